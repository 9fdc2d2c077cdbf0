#include "sizing/DesignFields.h"

#include "common/TextToNumber.h"

const std::array<TDesignFieldLayout, 11> DesignFieldLayouts = {{
    {dfTc, "Condensing", utTemperature, "%0.1f", ft_Fixed, 5, 0, 0, "40.0"},
    {dfTe, "Evaporating", utTemperature, "%0.1f", ft_Fixed, 5, 0, 0, "5.0"},
    {dfPc, "Condensing pressure", utPressure, "%0.3f", ft_Fixed, 5, 0, 0, "1500.000"},
    {dfPe, "Evaporating pressure", utPressure, "%0.3f", ft_Fixed, 5, 0, 0, "600.000"},
    {dfSc, "Sub-Cooling", utTemperatureChange, "%0.1f", ft_Fixed, 5, 0, 20, "5.0"},
    {dfSh, "Superheat", utTemperatureChange, "%0.1f", ft_Fixed, 5, 0, 20, "7.5"},
    {dfQe, "Circuit Duty", utDutyPrim, "%0.3f", ft_AutoOverride, 7, 0, 0, "1.630"},
    {dfMr, "Mass Flow", utMassFlow, "%0.3f", ft_AutoOverride, 5, 0, 0, "0.0100"},
    {dfDp, "Fitting dP", utWaterPressDrop, "%0.3f", ft_Fixed, 5, 0, 500, "30.000"},
    {dfDpEvap, "EvapCoil dP", utWaterPressDrop, "%0.3f", ft_Fixed, 5, 0, 500, "140.000"},
    {dfId, "Tube ID", utLengthSmall, "%0.4f", ft_Fixed, 5, 0.5, 50, "1.6300"},
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

double ShownValue(TDesignField field, double value)
{
    return TextToDouble(ShownText(field, value));
}

bool InFieldRange(TDesignField field, double value)
{
    const auto& layout = DesignFieldLayout(field);
    if (layout.RangeLo == 0 && layout.RangeHi == 0)
        return true;
    return value >= layout.RangeLo && value <= layout.RangeHi;
}
