#pragma once

#include "report/ReportSettings.h"

#include <cstddef>

// What a stored report setting may be: the positions the preview's margin
// and tab-stop lines can be dragged to, and the sizes the font dialog lists.
// A value outside them lays the report out off the paper or on pages
// without room for a line.

struct TSettingRange {
    double Low = 0;
    double High = 0;
    bool Holds(double value) const { return value >= Low && value <= High; }
    // The value itself when it is in the range, else the nearer end.
    double Nearest(double value) const;
};

// The range of position `index` on the page, in centimetres, given the
// positions before it in the store's order (left, right, top, bottom, mX1 …
// mX8), which are already in their ranges:
//   left margin    0 .. page width
//   right margin   0 .. page width − left margin
//   top margin     0 .. half the page height (the line cannot pass the
//   bottom margin  0 .. half the page height   middle of the page)
//   mX1            0 .. the right margin's line
//   mX2            mX1 .. the right margin's line
//   mX3 … mX8      0 .. page width (not used by the report, kept on the page)
TSettingRange PositionRange(std::size_t index, const TPositions& positions,
                            const TPageSizeCm& page);

// The report font's sizes in points: those the font dialog lists, 6 to 72
// with the usual fonts.
TSettingRange FontSizeRange();
