// The rules that tie fields of the design case together: what each writes
// into its partner field, as that field then shows it, and how a rule fails.
#include "sizing/CaseRules.h"

#include "common/Errors.h"
#include "sizing/DesignFields.h"

#include <functional>
#include <gtest/gtest.h>
#include <iterator>

namespace {

// Saturation pressures of the built-in R22 as the pressure fields show them.
struct TPressureCase {
    double Temperature; // °C
    const char* Shown;  // kPa
};

TEST(CaseRules, PressureOfTemperatureIsTheDewPressureAsTheFieldShowsIt)
{
    const TRefrigLib lib;
    const TPressureCase cases[] = {{40.0, "1540.346"}, {5.0, "586.201"}};
    for (const auto& c : cases)
        EXPECT_EQ(ShownText(dfPc, PressureOfTemperature(lib, c.Temperature)), c.Shown)
            << c.Temperature;
}

TEST(CaseRules, TemperatureOfPressureGivesBackTheTemperatureAsShown)
{
    const TRefrigLib lib;
    for (const double t : {-40.0, -10.0, 0.0, 5.0, 25.5, 40.0, 60.0}) {
        const double pressure = ShownValue(dfPc, PressureOfTemperature(lib, t));
        EXPECT_EQ(ShownText(dfTc, TemperatureOfPressure(lib, pressure)), ShownText(dfTc, t)) << t;
    }
}

// Duty and mass flow: the values as their fields show them, and the exact
// double of the extended-precision result where rounding the product or the
// quotient straight to double gives the neighbouring number.
struct TFlowCase {
    double Given;        // mass flow kg/s (DutyOfMassFlow) or duty kW (MassFlowOfDuty)
    double RefrigEffect; // kJ/kg
    double Exact;        // 0: not checked
    const char* Shown;   // nullptr: not checked
};

TEST(CaseRules, DutyOfMassFlow)
{
    const TFlowCase cases[] = {
        {0.01, 169.3, 0, "1.693"},
        {0.01667, 169.3, 0, "2.822"},
        {0.0, 169.3, 0, "0.000"},
        {0.029619, 264.91, 0x1.f62aea1938e12p+2, nullptr},
        {0.009883, 84.56, 0x1.abe1b8414f80ap-1, nullptr},
    };
    for (const auto& c : cases) {
        const double duty = DutyOfMassFlow(c.Given, c.RefrigEffect);
        if (c.Exact != 0) {
            EXPECT_EQ(duty, c.Exact) << std::hexfloat << c.Given << " x " << c.RefrigEffect;
        }
        if (c.Shown) {
            EXPECT_EQ(ShownText(dfQe, duty), c.Shown) << c.Given;
        }
    }
}

TEST(CaseRules, MassFlowOfDuty)
{
    const TFlowCase cases[] = {
        {1.693, 169.3, 0, "0.0100"},
        {1.63, 169.3, 0, "0.00963"},
        {0.1799, 126.37, 0x1.753000a2a25dep-10, nullptr},
        {1.7442, 82.54, 0x1.5a383d46b7ap-6, nullptr},
    };
    for (const auto& c : cases) {
        const double flow = MassFlowOfDuty(c.Given, c.RefrigEffect);
        if (c.Exact != 0) {
            EXPECT_EQ(flow, c.Exact) << std::hexfloat << c.Given << " / " << c.RefrigEffect;
        }
        if (c.Shown) {
            EXPECT_EQ(ShownText(dfMr, flow), c.Shown) << c.Given;
        }
    }
}

// A rule that cannot give a finite number raises the arithmetic fault, by
// name as the error box shows it.
TEST(CaseRules, FaultsAreRaised)
{
    enum TFault { Zero, Invalid, Over };
    struct TFaultCase {
        std::function<double()> Rule;
        TFault Fault;
    };
    const TFaultCase cases[] = {
        {[] { return MassFlowOfDuty(1.63, 0.0); }, Zero},
        {[] { return MassFlowOfDuty(-1.63, 0.0); }, Zero},
        {[] { return MassFlowOfDuty(0.0, 0.0); }, Invalid},
        {[] { return MassFlowOfDuty(1e300, 1e-300); }, Over},
        {[] { return DutyOfMassFlow(1e200, 1e200); }, Over},
        {[] { return DutyOfMassFlow(-1e200, 1e200); }, Over},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        switch (c.Fault) {
        case Zero:
            EXPECT_THROW(c.Rule(), EZeroDivide) << "case " << i;
            break;
        case Invalid:
            EXPECT_THROW(c.Rule(), EInvalidOp) << "case " << i;
            break;
        case Over:
            EXPECT_THROW(c.Rule(), EOverflow) << "case " << i;
            break;
        }
    }
}

} // namespace
