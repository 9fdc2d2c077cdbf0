#include "report/ReportSettingRanges.h"

#include <algorithm>
#include <QFontDatabase>

double TSettingRange::Nearest(double value) const
{
    return std::clamp(value, Low, High);
}

TSettingRange PositionRange(std::size_t index, const TPositions& positions, const TPageSizeCm& page)
{
    const double rightLine = page.Width - positions[1];
    switch (index) {
    case 0:
        return {0, page.Width};
    case 1:
        return {0, page.Width - positions[0]};
    case 2:
    case 3:
        return {0, page.Height / 2};
    case 4:
        return {0, rightLine};
    case 5:
        return {positions[4], rightLine};
    default:
        return {0, page.Width};
    }
}

TSettingRange FontSizeRange()
{
    const QList<int> sizes = QFontDatabase::standardSizes();
    if (sizes.isEmpty())
        return {6, 72};
    const auto [low, high] = std::minmax_element(sizes.begin(), sizes.end());
    return {static_cast<double>(*low), static_cast<double>(*high)};
}
