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

// clang-format off
const std::array<TDesignFieldLayout, DesignFieldCount> DesignFieldLayouts = {{
    {.Field = dfTc, .Name = "tc",
     .Key = "tc", .JsonKey = "tc", .JsonGroup = TJsonGroup::Case, .OutputOrder = 0,
     .ValueName = "C", .Meaning = "condensing temperature", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Condensing", .Window = {1, 1, "&Condensing"},
     .Coupling = TFieldCoupling::SaturationPressure, .Partner = dfPc,
     .ReportGroup = TReportGroup::Condensing, .ReportCaption = "Temperature",
     .UnitsType = utTemperature, .FormatStr = "%0.1f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 0, .InitialText = "40.0", .Unit = "°C",
     .StoredKey = "tc", .FirstRunValue = 45.0, .NewValue = 50.0, .Value = &TDesignCase::tc},
    {.Field = dfTe, .Name = "te",
     .Key = "te", .JsonKey = "te", .JsonGroup = TJsonGroup::Case, .OutputOrder = 1,
     .ValueName = "C", .Meaning = "evaporating temperature", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Evaporating", .Window = {2, 1, "&Evaporating"},
     .Coupling = TFieldCoupling::SaturationPressure, .Partner = dfPe,
     .ReportGroup = TReportGroup::Evaporating, .ReportCaption = "Temperature",
     .UnitsType = utTemperature, .FormatStr = "%0.1f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 0, .InitialText = "5.0", .Unit = "°C",
     .StoredKey = "te", .FirstRunValue = 5.0, .NewValue = 5.0, .Value = &TDesignCase::te},
    {.Field = dfPc, .Name = "pc",
     .Key = "pc", .JsonKey = "pc", .JsonGroup = TJsonGroup::Case, .OutputOrder = 2,
     .ValueName = "KPA", .Meaning = "condensing pressure", .DefaultFor = "dew pressure at tc", .UsageNote = nullptr,
     .Caption = "Condensing pressure", .Window = {1, 3, nullptr},
     .Coupling = TFieldCoupling::SaturationTemperature, .Partner = dfTc,
     .ReportGroup = TReportGroup::Condensing, .ReportCaption = "Pressure",
     .UnitsType = utPressure, .FormatStr = "%0.3f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 0, .InitialText = "1500.000", .Unit = "kPa",
     .StoredKey = nullptr, .FirstRunValue = std::nullopt, .NewValue = std::nullopt, .Value = &TDesignCase::pc},
    {.Field = dfPe, .Name = "pe",
     .Key = "pe", .JsonKey = "pe", .JsonGroup = TJsonGroup::Case, .OutputOrder = 3,
     .ValueName = "KPA", .Meaning = "evaporating pressure", .DefaultFor = "dew pressure at te", .UsageNote = nullptr,
     .Caption = "Evaporating pressure", .Window = {2, 3, nullptr},
     .Coupling = TFieldCoupling::SaturationTemperature, .Partner = dfTe,
     .ReportGroup = TReportGroup::Evaporating, .ReportCaption = "Pressure",
     .UnitsType = utPressure, .FormatStr = "%0.3f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 0, .InitialText = "600.000", .Unit = "kPa",
     .StoredKey = nullptr, .FirstRunValue = std::nullopt, .NewValue = std::nullopt, .Value = &TDesignCase::pe},
    {.Field = dfSc, .Name = "sc",
     .Key = "sc", .JsonKey = "sc", .JsonGroup = TJsonGroup::Case, .OutputOrder = 4,
     .ValueName = "K", .Meaning = "liquid sub-cooling", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Sub-Cooling", .Window = {3, 1, "Sub-C&ooling"},
     .Coupling = TFieldCoupling::EffectAndDuty, .Partner = dfSc,
     .ReportGroup = TReportGroup::Condensing, .ReportCaption = "Sub-cooling",
     .UnitsType = utTemperatureChange, .FormatStr = "%0.1f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 20, .InitialText = "5.0", .Unit = "K",
     .StoredKey = "sc", .FirstRunValue = 5.0, .NewValue = 5.0, .Value = &TDesignCase::sc},
    {.Field = dfSh, .Name = "sh",
     .Key = "sh", .JsonKey = "sh", .JsonGroup = TJsonGroup::Case, .OutputOrder = 5,
     .ValueName = "K", .Meaning = "suction superheat", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Superheat", .Window = {4, 1, "S&uperheat"},
     .Coupling = TFieldCoupling::EffectAndDuty, .Partner = dfSh,
     .ReportGroup = TReportGroup::Evaporating, .ReportCaption = "Superheating",
     .UnitsType = utTemperatureChange, .FormatStr = "%0.1f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 20, .InitialText = "7.5", .Unit = "K",
     .StoredKey = "sh", .FirstRunValue = 7.5, .NewValue = 7.5, .Value = &TDesignCase::sh},
    {.Field = dfQe, .Name = "Qe",
     .Key = "duty", .JsonKey = "duty", .JsonGroup = TJsonGroup::Flow, .OutputOrder = 7,
     .ValueName = "KW", .Meaning = "circuit duty", .DefaultFor = "", .UsageNote = "the mass flow is then duty ÷ effect",
     .Caption = "Circuit Duty", .Window = {5, 1, "Circuit &Duty"},
     .Coupling = TFieldCoupling::MassFlowOfDuty, .Partner = dfMr,
     .ReportGroup = TReportGroup::Circuit, .ReportCaption = "Duty",
     .UnitsType = utDutyPrim, .FormatStr = "%0.3f", .FormatType = ft_AutoOverride, .SigDigs = 7,
     .RangeLo = 0, .RangeHi = 0, .InitialText = "1.630", .Unit = "kW",
     .StoredKey = nullptr, .FirstRunValue = std::nullopt, .NewValue = std::nullopt, .Value = &TDesignCase::Qe},
    {.Field = dfMr, .Name = "mr",
     .Key = "mr", .JsonKey = "massFlow", .JsonGroup = TJsonGroup::Flow, .OutputOrder = 6,
     .ValueName = "KGS", .Meaning = "refrigerant mass flow", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Mass Flow", .Window = {6, 1, "&Mass Flow"},
     .Coupling = TFieldCoupling::EffectAndDuty, .Partner = dfQe,
     .ReportGroup = TReportGroup::Circuit, .ReportCaption = "Mass flow",
     .UnitsType = utMassFlow, .FormatStr = "%0.3f", .FormatType = ft_AutoOverride, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 0, .InitialText = "0.0100", .Unit = "kg/s",
     .StoredKey = "mr", .FirstRunValue = 0.01, .NewValue = 0.01667, .Value = &TDesignCase::mr},
    {.Field = dfDp, .Name = "dp",
     .Key = "dpl", .JsonKey = "dpl", .JsonGroup = TJsonGroup::Case, .OutputOrder = 8,
     .ValueName = "KPA", .Meaning = "pressure drop of the fittings ahead of the tube", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Fitting dP", .Window = {7, 1, "&Fitting dP"},
     .Coupling = TFieldCoupling::Effect, .Partner = dfDp,
     .ReportGroup = TReportGroup::PressureDrops, .ReportCaption = "Fittings",
     .UnitsType = utWaterPressDrop, .FormatStr = "%0.3f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 500, .InitialText = "30.000", .Unit = "kPa",
     .StoredKey = "dpl", .FirstRunValue = 30.0, .NewValue = 20.0, .Value = &TDesignCase::dp},
    {.Field = dfDpEvap, .Name = "dpEvap",
     .Key = "dpe", .JsonKey = "dpe", .JsonGroup = TJsonGroup::Case, .OutputOrder = 9,
     .ValueName = "KPA", .Meaning = "pressure drop of the evaporator coil", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "EvapCoil dP", .Window = {8, 1, "Eva&pCoil dP"},
     .Coupling = TFieldCoupling::Effect, .Partner = dfDpEvap,
     .ReportGroup = TReportGroup::PressureDrops, .ReportCaption = "Evaporator",
     .UnitsType = utWaterPressDrop, .FormatStr = "%0.3f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0, .RangeHi = 500, .InitialText = "140.000", .Unit = "kPa",
     .StoredKey = "dpe", .FirstRunValue = 140.0, .NewValue = 20.0, .Value = &TDesignCase::dpEvap},
    {.Field = dfId, .Name = "id",
     .Key = "id", .JsonKey = "id", .JsonGroup = TJsonGroup::Case, .OutputOrder = 10,
     .ValueName = "MM", .Meaning = "measured inside diameter of the tube", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Tube ID", .Window = {9, 1, "&Tube ID"},
     .Coupling = TFieldCoupling::Effect, .Partner = dfId,
     .ReportGroup = TReportGroup::Tube, .ReportCaption = "Inside diameter",
     .UnitsType = utLengthSmall, .FormatStr = "%0.4f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = 0.5, .RangeHi = 50, .InitialText = "1.6300", .Unit = "mm",
     .StoredKey = "id", .FirstRunValue = 1.63, .NewValue = 1.68, .Value = &TDesignCase::id},
    {.Field = dfLength, .Name = "Length",
     .Key = "length", .JsonKey = "length", .JsonGroup = TJsonGroup::Case, .OutputOrder = 11,
     .ValueName = "M", .Meaning = "tube length", .DefaultFor = nullptr, .UsageNote = nullptr,
     .Caption = "Tube length", .Window = {0, 0, "Tube &length"},
     .Coupling = TFieldCoupling::None, .Partner = dfLength,
     .ReportGroup = TReportGroup::None, .ReportCaption = "Tube length",
     .UnitsType = utLengthPrim, .FormatStr = "%0.3f", .FormatType = ft_Fixed, .SigDigs = 5,
     .RangeLo = TubeLengthLo, .RangeHi = TubeLengthHi, .InitialText = "3.000", .Unit = "m",
     .StoredKey = "len", .FirstRunValue = TubeLengthDefault, .NewValue = std::nullopt, .Value = nullptr},
}};
// clang-format on

const TDesignFieldLayout& DesignFieldLayout(TDesignField field)
{
    return DesignFieldLayouts[static_cast<std::size_t>(field)];
}

const char* ReportGroupHeading(TReportGroup group)
{
    switch (group) {
    case TReportGroup::Circuit:
        return "Circuit";
    case TReportGroup::Condensing:
        return "Condensing";
    case TReportGroup::Evaporating:
        return "Evaporating";
    case TReportGroup::PressureDrops:
        return "Pressure Drops";
    case TReportGroup::Tube:
        return "Capillary tube";
    case TReportGroup::None:
        break;
    }
    return "";
}

namespace {

// The case's fields sorted by a key of their layout.
template <typename Key>
std::vector<TDesignField> CaseFieldsBy(Key key)
{
    std::vector<TDesignField> fields;
    for (std::size_t i = 0; i < CaseFieldCount; ++i)
        fields.push_back(static_cast<TDesignField>(i));
    std::stable_sort(fields.begin(), fields.end(), [&](TDesignField a, TDesignField b) {
        return key(DesignFieldLayout(a)) < key(DesignFieldLayout(b));
    });
    return fields;
}

} // namespace

const std::vector<TDesignField>& WindowOrder()
{
    static const std::vector<TDesignField> order = CaseFieldsBy(
        [](const TDesignFieldLayout& l) { return std::pair(l.Window.Row, l.Window.Column); });
    return order;
}

const std::vector<TDesignField>& OutputOrder()
{
    static const std::vector<TDesignField> order =
        CaseFieldsBy([](const TDesignFieldLayout& l) { return l.OutputOrder; });
    return order;
}

double InitialValue(TDesignField field)
{
    static const auto initial = [] {
        std::array<double, DesignFieldCount> values{};
        for (const auto& layout : DesignFieldLayouts)
            values[static_cast<std::size_t>(layout.Field)] = TextToDouble(layout.InitialText);
        return values;
    }();
    return initial[static_cast<std::size_t>(field)];
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
