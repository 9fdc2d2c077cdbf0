#include "sizing/CaseRules.h"

#include "common/CheckedMath.h"
#include "common/Format.h"
#include "common/UnitConversions.h"

double PressureOfTemperature(const TRefrigLib& lib, double temperature)
{
    return Checked::ToDouble(PascalsToKilopascals<Extended>(lib.DewPressure(temperature)));
}

double TemperatureOfPressure(const TRefrigLib& lib, double pressure)
{
    return lib.DewTemperature(Checked::ToDouble(KilopascalsToPascals<Extended>(pressure)));
}

double DutyOfMassFlow(double massFlow, double refrigEffect)
{
    return Checked::ToDouble(static_cast<Extended>(massFlow) * refrigEffect);
}

double MassFlowOfDuty(double duty, double refrigEffect)
{
    return Checked::ToDouble(Checked::Div(duty, refrigEffect));
}

std::string CaseRefusal(const TRefrigLib& lib, const TDesignCase& designCase)
{
    const double tc = designCase.tc.Number();
    const double te = designCase.te.Number();
    const double upper = lib.UpperTemperatureLimit();
    const double lower = lib.LowerTemperatureLimit();
    // Evaporating temperatures reach 30 K further down than condensing ones,
    // unless the refrigerant's own limit is already below −40 °C.
    const double teLower = lower > -40 ? lower - 30 : lower;
    auto range = [&] { return Format("[%0.1f..%0.1f]", {teLower, upper}); };
    if (te < teLower || te > upper)
        return "te is out of range...\r\n" + range();
    if (tc < lower || tc > upper)
        return "tc is out of range...\r\n" + range();
    if (tc < te)
        return "te must be less than tc...";
    if (designCase.pe.Number() >= designCase.pc.Number())
        return "pe must be less than pc...";
    return {};
}

std::string OneLineMessage(const std::string& text)
{
    // Built piece by piece: GCC 12 warns falsely on an in-place replace at -O3.
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line.push_back(' ');
            ++i;
        } else {
            line.push_back(text[i]);
        }
    }
    return line;
}
