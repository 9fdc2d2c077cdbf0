#include "services/FontSettings.h"

#include <QFontInfo>

namespace {

enum TFontStyleBit { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The font's size in whole points, also for a font sized in pixels.
int PointSize(const QFont& font)
{
    const int size = font.pointSize();
    return size > 0 ? size : QFontInfo(font).pointSize();
}

} // namespace

int FontStyleBits(const QFont& font)
{
    return (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
           (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
}

void ApplyFontStyleBits(QFont& font, int bits)
{
    // A weight between normal and bold stays as it is unless boldness changes.
    if (font.bold() != ((bits & fsBold) != 0))
        font.setBold((bits & fsBold) != 0);
    font.setItalic((bits & fsItalic) != 0);
    font.setUnderline((bits & fsUnderline) != 0);
    font.setStrikeOut((bits & fsStrikeOut) != 0);
}

int ColorValue(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

std::optional<QColor> ColorFromValue(int value)
{
    if ((static_cast<unsigned>(value) & 0xFF000000U) != 0)
        return std::nullopt;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void SaveFont(const TStoredFont& font, const QString& section, const TSettingsStore& store)
{
    store.WriteString(section, QStringLiteral("Name"), font.Font.family());
    store.WriteInteger(section, QStringLiteral("Charset"), font.Charset);
    store.WriteInteger(section, QStringLiteral("Style"), FontStyleBits(font.Font));
    store.WriteInteger(section, QStringLiteral("Size"), PointSize(font.Font));
    store.WriteInteger(section, QStringLiteral("Color"), ColorValue(font.Color));
}

void LoadFont(TStoredFont& font, const QString& section, const TSettingsStore& store)
{
    font.Font.setFamily(store.ReadString(section, QStringLiteral("Name"), font.Font.family()));
    font.Charset = store.ReadInteger(section, QStringLiteral("Charset"), font.Charset);
    ApplyFontStyleBits(
        font.Font, store.ReadInteger(section, QStringLiteral("Style"), FontStyleBits(font.Font)));
    const int size = store.ReadInteger(section, QStringLiteral("Size"), PointSize(font.Font));
    if (size > 0 && size != PointSize(font.Font))
        font.Font.setPointSize(size);
    const int color = store.ReadInteger(section, QStringLiteral("Color"), ColorValue(font.Color));
    if (const auto value = ColorFromValue(color))
        font.Color = *value;
}

TStoredFont LoadFont(const QString& section, const TSettingsStore& store)
{
    TStoredFont font;
    LoadFont(font, section, store);
    return font;
}
