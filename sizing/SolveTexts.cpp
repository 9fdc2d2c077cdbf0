#include "sizing/SolveTexts.h"

#include "common/Format.h"

std::string RefrigEffectText(double refrigEffect)
{
    return Format("Refrigerating Effect = %0.1f kJ/kg", {refrigEffect});
}

std::string WolfLabel(double length)
{
    return Format("Wolf method L = %0.3fm", {length});
}

std::string ChoiLabel(double length)
{
    return Format("Choi method L = %0.3fm", {length});
}

std::string StoeckerLabel(double length)
{
    if (length > 0)
        return Format("Stoecker method = %0.3f m", {length});
    return "Stoecker method = *****";
}

std::string CapillaryLengthText(double choiLength)
{
    return Format("Capillary Length = %0.3f m", {choiLength});
}

std::string LeavingTempText(double leavingTemp)
{
    return Format("%0.1f °C", {leavingTemp});
}

std::string SolvedText(bool solved)
{
    return solved ? "Solved.." : "Not Solved..";
}
