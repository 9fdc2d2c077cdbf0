#include "sizing/CaseRules.h"

#include "common/CheckedMath.h"

double PressureOfTemperature(const TRefrigLib& lib, double temperature)
{
    return Checked::ToDouble(lib.DewPressure(temperature) * 0.001L);
}

double TemperatureOfPressure(const TRefrigLib& lib, double pressure)
{
    return lib.DewTemperature(Checked::ToDouble(1000.0L * pressure));
}

double DutyOfMassFlow(double massFlow, double refrigEffect)
{
    return Checked::ToDouble(static_cast<Extended>(massFlow) * refrigEffect);
}

double MassFlowOfDuty(double duty, double refrigEffect)
{
    return Checked::ToDouble(Checked::Div(duty, refrigEffect));
}
