#pragma once

#include "services/FontSettings.h"
#include "services/SettingsStore.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The report's page settings for the whole run: the four margins and the
// eight tab stops in centimetres, the report font and the preview's zoom
// mode. Loaded once at the main window's first activation, changed by the
// preview, written back when the main window closes (section "Report").
//
// Positions, all in centimetres:
//   0 left margin (from the left edge)    1 right margin (from the right edge)
//   2 top margin (from the top edge)      3 bottom margin (from the bottom edge)
//   4..11 tab stops mX1..mX8 (from the left edge); mX1 is the report's value
//   column, mX2 its unit column.
constexpr std::size_t PositionCount = 12;
using TPositions = std::array<double, PositionCount>;

enum TZoomMode : std::uint8_t { zmActualSize = 0, zmWholePage = 1 };

struct TReportSettings {
    TPositions Positions{};
    TStoredFont Font;
    std::uint8_t Zoom = zmActualSize;
};

// The run's one set of report settings; before any loading they are the
// default margins, the toolkit's interface font at 8 points and actual size.
constexpr int DefaultFontSize = 8;
TReportSettings& ReportSettings();

// The positions used when nothing is stored and by the preview's "Reset
// margins": 2.5 cm margins, tab stops at 3.5, 11, 12 … 17 cm until
// SetDefaultTabs moves them.
const TPositions& DefaultMargins();
// Entry k of the list replaces the default of tab stop k + 1; at most eight
// entries are taken.
void SetDefaultTabs(const std::vector<double>& tabs);

// The key of a position in section "Report": "Left margin", … "mX8".
const char* PositionKey(std::size_t index);

// A page's size in centimetres. The default, A4, is the page the preview
// lays out when no printer page is known and the page of a PDF report.
struct TPageSizeCm {
    double Width = 21.0;
    double Height = 29.7;
};

// Fills the settings from the store. A stored value that cannot be used
// takes its default and the loading goes on: a position that is not a
// number or lies outside its range on the page (ReportSettingRanges.h), a
// font size the font dialog does not list. Returns one text for each such
// value, naming its key, its range and the value used instead:
//   report setting 'Top margin' = 30 is out of range [0..14.85] cm; using 2.5
// A default that is itself outside the range (a tab stop right of a stored
// right margin) gives way to the nearer end of the range.
[[nodiscard]] std::vector<std::string> LoadReportSettings(const TSettingsStore& store,
                                                          const TPageSizeCm& page = {});
// Replaces section "Report" of the store with the settings.
void SaveReportSettings(const TSettingsStore& store);

// A position as the store keeps it: the shortest general text with up to 15
// significant digits, "." as the decimal separator.
std::string PositionText(double centimetres);
