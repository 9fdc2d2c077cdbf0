// The step sequence works every other step's outlet and both friction factors
// out ahead, in pairs. It must hand out exactly the steps of working each one
// out alone, whichever step of a pair is the last, in laminar and turbulent
// flow, and raise a fault of a step worked out ahead in that step's turn.
#include "sizing/StepSequence.h"

#include "common/Errors.h"
#include "sizing/StepFriction.h"
#include "support/ParamName.h"
#include "support/TempDir.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>
#include <numbers>
#include <string>

namespace {

struct TSequenceCase {
    std::string Name;
    std::string Refrigerant; // of the shipped library; empty for the built-in R22
    double T1;               // °C, the first step's inlet, saturated liquid
    double TEnd;             // °C
    double Mr;               // kg/s
    double Id;               // mm
};

class StepSequence : public testing::TestWithParam<TSequenceCase> {};

TEST_P(StepSequence, HandsOutTheStepsWorkedOutAlone)
{
    const TSequenceCase& c = GetParam();
    TRefrigLib lib(c.Refrigerant.empty() ? std::string() : ShippedLibraryFile());
    if (!c.Refrigerant.empty())
        lib.SelectRefrigerant(c.Refrigerant);
    const double D = c.Id / 1000;
    const double G = c.Mr / (std::numbers::pi * D * D / 4);
    double t1 = c.T1;
    double h1 = lib.LiquidEnthalpy(t1);
    double V1 = G * lib.LiquidVolume(t1);

    TStepSequence steps(lib, G, D, c.TEnd, t1, h1, V1);
    int count = 0;
    for (;;) {
        const TStepOutlet alone = StepOutlet(lib, G, D, t1, h1, V1);
        const TStepAhead step = steps.Next();
        ++count;
        EXPECT_EQ(step.Outlet.t2, alone.t2) << count;
        EXPECT_EQ(step.Outlet.p2, alone.p2) << count;
        EXPECT_EQ(step.Outlet.x, alone.x) << count;
        EXPECT_EQ(step.Outlet.v2, alone.v2) << count;
        EXPECT_EQ(step.Outlet.h2, alone.h2) << count;
        EXPECT_EQ(step.Outlet.V2, alone.V2) << count;
        EXPECT_EQ(step.Outlet.Re2, alone.Re2) << count;
        EXPECT_EQ(step.Friction, StepFriction(alone.Re2, D)) << count;
        t1 = alone.t2;
        h1 = alone.h2;
        V1 = alone.V2;
        if (t1 < c.TEnd || count > 200)
            break;
    }
    EXPECT_EQ(count, static_cast<int>(c.T1 - c.TEnd) + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, StepSequence,
                         testing::Values(
                             // An even and an odd number of steps: the last step ends a pair or
                             // stands alone.
                             TSequenceCase{"WorkedExampleEvenSteps", "", 40, 30.5, 0.01, 1.63},
                             TSequenceCase{"WorkedExampleOddSteps", "", 40, 31.5, 0.01, 1.63},
                             TSequenceCase{"HighVelocities", "", 40, 14.5, 0.02, 1.63},
                             // Laminar liquid: the pair gives the direct factors.
                             TSequenceCase{"LowFlowWideBore", "", 30, 19.5, 0.0005, 3.0},
                             TSequenceCase{"OneStep", "", 40, 39.5, 0.01, 1.63},
                             TSequenceCase{"R134a", "R134a", 45, 0.5, 0.002, 0.8},
                             TSequenceCase{"R410A", "R410A", 40, 9.5, 0.01, 1.2},
                             TSequenceCase{"R717", "R717", 35, -10.5, 0.002, 1.0}),
                         TParamName{});

TEST(StepSequence, AFaultAheadComesInItsTurn)
{
    // A vapour viscosity that turns negative below a temperature makes the
    // Reynolds number negative there, and the friction factor's start value
    // a negative base. The fault falls in the first or the second step of a
    // pair.
    struct {
        const char* Uv; // µPa·s, root at 30.5 or 31.5 °C
        int StepsBefore;
    } const cases[] = {{"-3050000,100000,0,0", 9}, {"-3150000,100000,0,0", 8}};
    for (const auto& c : cases) {
        TTempDir dir;
        TRefrigLib lib(dir.Write("lib.rdf", std::string("[V]\nRNumber=V\nuv=") + c.Uv + "\n"));
        lib.SelectRefrigerant("V");
        const double D = 0.00163;
        const double G = 0.01 / (std::numbers::pi * D * D / 4);
        TStepSequence steps(lib, G, D, 5.0, 40.0, lib.LiquidEnthalpy(40.0),
                            G * lib.LiquidVolume(40.0));
        for (int i = 0; i < c.StepsBefore; ++i)
            EXPECT_NO_THROW(steps.Next()) << c.Uv << " step " << i + 1;
        EXPECT_THROW(steps.Next(), EInvalidOp) << c.Uv;
    }
}

} // namespace
