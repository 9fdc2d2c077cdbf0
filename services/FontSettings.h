#pragma once

#include "services/SettingsStore.h"

#include <optional>
#include <QColor>
#include <QFont>

// A font as the settings store keeps it: typeface, style and size, its colour
// and the character-set number it was chosen with. The character set has no
// meaning for the fonts here; it is kept so that a stored value survives.
struct TStoredFont {
    QFont Font;
    QColor Color = QColor(Qt::black);
    int Charset = 1; // the "default character set" number
};

// Font values in a section the caller names:
//   Name     text: typeface (family) name
//   Charset  integer: character-set number, kept as stored
//   Style    integer: 1 bold, 2 italic, 4 underline, 8 strike-out
//   Size     integer: size in points
//   Color    integer: colour as 0x00BBGGRR (red in the low byte)

int FontStyleBits(const QFont& font);
void ApplyFontStyleBits(QFont& font, int bits);
int ColorValue(const QColor& color);
// The colour of a 0x00BBGGRR value; nothing for a value with bits set above
// the blue byte (not a plain colour).
std::optional<QColor> ColorFromValue(int value);

// Stores Name, Charset, Style, Size and Color.
void SaveFont(const TStoredFont& font, const QString& section,
              const TSettingsStore& store = TSettingsStore());

// Reads the values in the same order, each with the font's current value as
// its default, and applies each at once. A size below 1 point or a colour
// that is not a plain colour leaves the font's own.
void LoadFont(TStoredFont& font, const QString& section,
              const TSettingsStore& store = TSettingsStore());

// The same for a font made for the caller from the application's default.
TStoredFont LoadFont(const QString& section, const TSettingsStore& store = TSettingsStore());
