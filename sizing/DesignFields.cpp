#include "sizing/DesignFields.h"

#include "common/FixedRounding.h"
#include "common/Format.h"
#include "common/TextToNumber.h"
#include "sizing/Rating.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

const std::array<TDesignFieldLayout, DesignFieldCount> DesignFieldLayouts = {{
    {dfTc, "tc", "tc", "Condensing", utTemperature, "%0.1f", ft_Fixed, 5, 0, 0, "40.0", "°C",
     &TDesignCase::tc},
    {dfTe, "te", "te", "Evaporating", utTemperature, "%0.1f", ft_Fixed, 5, 0, 0, "5.0", "°C",
     &TDesignCase::te},
    {dfPc, "pc", "pc", "Condensing pressure", utPressure, "%0.3f", ft_Fixed, 5, 0, 0, "1500.000",
     "kPa", &TDesignCase::pc},
    {dfPe, "pe", "pe", "Evaporating pressure", utPressure, "%0.3f", ft_Fixed, 5, 0, 0, "600.000",
     "kPa", &TDesignCase::pe},
    {dfSc, "sc", "sc", "Sub-Cooling", utTemperatureChange, "%0.1f", ft_Fixed, 5, 0, 20, "5.0", "K",
     &TDesignCase::sc},
    {dfSh, "sh", "sh", "Superheat", utTemperatureChange, "%0.1f", ft_Fixed, 5, 0, 20, "7.5", "K",
     &TDesignCase::sh},
    {dfQe, "duty", "duty", "Circuit Duty", utDutyPrim, "%0.3f", ft_AutoOverride, 7, 0, 0, "1.630",
     "kW", &TDesignCase::Qe},
    {dfMr, "mr", "massFlow", "Mass Flow", utMassFlow, "%0.3f", ft_AutoOverride, 5, 0, 0, "0.0100",
     "kg/s", &TDesignCase::mr},
    {dfDp, "dpl", "dpl", "Fitting dP", utWaterPressDrop, "%0.3f", ft_Fixed, 5, 0, 500, "30.000",
     "kPa", &TDesignCase::dp},
    {dfDpEvap, "dpe", "dpe", "EvapCoil dP", utWaterPressDrop, "%0.3f", ft_Fixed, 5, 0, 500,
     "140.000", "kPa", &TDesignCase::dpEvap},
    {dfId, "id", "id", "Tube ID", utLengthSmall, "%0.4f", ft_Fixed, 5, 0.5, 50, "1.6300", "mm",
     &TDesignCase::id},
    {dfLength, "length", "length", "Tube length", utLengthPrim, "%0.3f", ft_Fixed, 5, TubeLengthLo,
     TubeLengthHi, "3.000", "m", nullptr},
}};

const TDesignFieldLayout& DesignFieldLayout(TDesignField field)
{
    return DesignFieldLayouts[static_cast<std::size_t>(field)];
}

std::string ShownText(TDesignField field, double value)
{
    const auto& layout = DesignFieldLayout(field);
    return FormatByType(value, layout.FormatStr, layout.FormatType, layout.SigDigs,
                        FormatDecimalsOf(layout.FormatStr));
}

namespace {

// How a field's display rounds, read once from its layout: the decimals of
// its "%0.nf" format, and for automatic formats the value below which the
// decimals follow the value's own digits.
struct TShownRounding {
    bool Fixed = false; // the format is "%0.nf"
    int Decimals = 0;
    bool Auto = false; // automatic decimals below AutoBelow
    double AutoBelow = 0;
};

std::array<TShownRounding, DesignFieldCount> MakeShownRoundings()
{
    std::array<TShownRounding, DesignFieldCount> roundings{};
    for (const auto& layout : DesignFieldLayouts) {
        auto& r = roundings[static_cast<std::size_t>(layout.Field)];
        const std::string_view format = layout.FormatStr;
        r.Fixed = format.size() == 5 && format.starts_with("%0.") && format[3] >= '0' &&
                  format[3] <= '9' && format[4] == 'f' &&
                  (layout.FormatType == ft_Fixed || layout.FormatType == ft_AutoOverride);
        r.Decimals = FormatDecimalsOf(format);
        r.Auto = layout.FormatType == ft_AutoOverride;
        r.AutoBelow = std::pow(10.0, 2 - r.Decimals);
    }
    return roundings;
}

// The decimals an automatic format shows for a value in [0, 0.1): two more
// than the position of its first non-zero decimal when written with twelve,
// three when there is none.
std::optional<int> AutoDecimalsOfSmall(double value)
{
    const auto twelve = FixedDigits(value, 12);
    if (!twelve)
        return std::nullopt;
    if (*twelve == 0)
        return 3;
    int digits = 0;
    for (std::uint64_t n = *twelve; n != 0; n /= 10)
        ++digits;
    return std::min(15 - digits, 12);
}

// ShownValue without making the text, where that gives the same number.
std::optional<double> ShownValueByNumber(TDesignField field, double value)
{
    static const std::array<TShownRounding, DesignFieldCount> roundings = MakeShownRoundings();
    const TShownRounding& r = roundings[static_cast<std::size_t>(field)];
    if (!r.Fixed || !std::isfinite(value))
        return std::nullopt;
    if (!r.Auto || !(r.AutoBelow > value))
        return FixedRoundTrip(value, r.Decimals);
    // Automatic decimals; a negative value takes them from its sign and
    // integer digits, which is left to the text.
    if (value < 0)
        return std::nullopt;
    const auto decimals = AutoDecimalsOfSmall(value);
    if (!decimals)
        return std::nullopt;
    return FixedRoundTrip(value, *decimals);
}

} // namespace

double ShownValue(TDesignField field, double value)
{
    if (const auto byNumber = ShownValueByNumber(field, value))
        return *byNumber;
    return TextToDouble(ShownText(field, value));
}

bool InFieldRange(TDesignField field, double value)
{
    const auto& layout = DesignFieldLayout(field);
    if (layout.RangeLo == 0 && layout.RangeHi == 0)
        return true;
    return value >= layout.RangeLo && value <= layout.RangeHi;
}

std::string FieldRangeText(TDesignField field)
{
    const auto& layout = DesignFieldLayout(field);
    return Format("%g to %g %s", {layout.RangeLo, layout.RangeHi, layout.Unit});
}
