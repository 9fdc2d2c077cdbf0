#include "common/CheckedMath.h"

#include "common/Errors.h"
#include "common/Rounding.h"

#include <cfloat>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace Checked;

namespace {

// The name of the error an operation raises, "none" when it raises nothing.
template <typename F>
std::string FaultOf(F&& operation)
{
    try {
        operation();
        return "none";
    } catch (const EZeroDivide&) {
        return "EZeroDivide";
    } catch (const EInvalidOp&) {
        return "EInvalidOp";
    } catch (const EOverflow&) {
        return "EOverflow";
    } catch (...) {
        return "another exception";
    }
}

const Extended NaN = std::numeric_limits<Extended>::quiet_NaN();
const Extended Inf = std::numeric_limits<Extended>::infinity();

struct TFaultCase {
    const char* What;
    std::function<Extended()> Operation;
    const char* Expected;
};

struct TValueCase {
    const char* What;
    std::function<Extended()> Operation;
    Extended Expected;
};

// The C library's extended-precision logarithm and exponential may differ in
// the last bit between processors, so their results are compared within a few
// units in the last place. Zero stays exact.
::testing::AssertionResult WithinUlps(Extended actual, Extended expected, int ulps = 4)
{
    const Extended magnitude = std::fabs(expected);
    const Extended ulp = std::nextafter(magnitude, std::numeric_limits<Extended>::infinity()) -
                         magnitude;
    if (actual == expected || std::fabs(actual - expected) <= ulps * ulp)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << static_cast<double>(actual) << " is more than " << ulps << " ulps from "
           << static_cast<double>(expected);
}

} // namespace

TEST(CheckedMath, FaultsAreRaisedWhereTheyHappen)
{
    const TFaultCase cases[] = {
        {"1/0", [] { return Div(1, 0); }, "EZeroDivide"},
        {"-1/0", [] { return Div(-1, 0); }, "EZeroDivide"},
        {"1/-0", [] { return Div(1, -0.0L); }, "EZeroDivide"},
        {"0/0", [] { return Div(0, 0); }, "EInvalidOp"},
        {"NaN/1", [] { return Div(NaN, 1); }, "EInvalidOp"},
        {"inf/1", [] { return Div(Inf, 1); }, "EOverflow"},
        {"1e4000/1e-4000", [] { return Div(1e4000L, 1e-4000L); }, "EOverflow"},
        {"ln 0", [] { return Ln(0); }, "EInvalidOp"},
        {"ln -1", [] { return Ln(-1); }, "EInvalidOp"},
        {"log10 0", [] { return Log10(0); }, "EInvalidOp"},
        {"log10 -1e-300", [] { return Log10(-1e-300L); }, "EInvalidOp"},
        {"exp 20000", [] { return Exp(20000); }, "EOverflow"},
        {"exp NaN", [] { return Exp(NaN); }, "EInvalidOp"},
        {"sqrt -1e-300", [] { return Sqrt(-1e-300L); }, "EInvalidOp"},
        {"0^-1", [] { return Power(0, -1); }, "EZeroDivide"},
        {"0^-2", [] { return Power(0, -2); }, "EZeroDivide"},
        {"0^-3e9", [] { return Power(0, -3e9L); }, "EZeroDivide"},
        {"-2^0.5", [] { return Power(-2, 0.5L); }, "EInvalidOp"},
        {"-8^(1/3)", [] { return Power(-8, 1.0L / 3); }, "EInvalidOp"},
        {"-2^3e9", [] { return Power(-2, 3e9L); }, "EOverflow"},
        {"10^5000", [] { return Power(10, 5000); }, "EOverflow"},
        {"2^1e4000", [] { return Power(2, 1e4000L); }, "EOverflow"},
        {"10^1e6 (not integral path)", [] { return Power(10, 1e6L + 0.5L); }, "EOverflow"},
        {"0.5^-20000 (power underflows, reciprocal overflows)", [] { return Power(0.5L, -20000); },
         "EOverflow"},
        {"NaN^1", [] { return Power(NaN, 1); }, "EInvalidOp"},
        {"2^NaN", [] { return Power(2, NaN); }, "EInvalidOp"},
        {"store 1e309", [] { return ToDouble(1e309L); }, "EOverflow"},
        {"store -1e309", [] { return ToDouble(-1e309L); }, "EOverflow"},
        {"store NaN", [] { return ToDouble(NaN); }, "EInvalidOp"},
        {"store inf", [] { return ToDouble(Inf); }, "EOverflow"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FaultOf(c.Operation), c.Expected) << c.What;
}

TEST(CheckedMath, ResultsIncludingUnderflowToZero)
{
    const TValueCase cases[] = {
        {"6/3", [] { return Div(6, 3); }, 2},
        {"1e-4000/1e4000 underflows", [] { return Div(1e-4000L, 1e4000L); }, 0},
        {"sqrt 4", [] { return Sqrt(4); }, 2},
        {"sqrt -0", [] { return Sqrt(-0.0L); }, 0},
        // Whole exponents multiply: exact, and negative bases are fine.
        {"3^5", [] { return Power(3, 5); }, 243},
        {"-2^3", [] { return Power(-2, 3); }, -8},
        {"-2^-3", [] { return Power(-2, -3); }, -0.125L},
        {"2^-2", [] { return Power(2, -2); }, 0.25L},
        {"10^-1 is the reciprocal of 10", [] { return Power(10, -1); }, 1.0L / 10},
        {"1.1^2", [] { return Power(1.1L, 2); }, 1.1L * 1.1L},
        {"0^0", [] { return Power(0, 0); }, 1},
        {"-5^0", [] { return Power(-5, 0); }, 1},
        {"0^3", [] { return Power(0, 3); }, 0},
        {"-1^3e9", [] { return Power(-1, 3e9L); }, 1},
        {"-1^(3e9+1)", [] { return Power(-1, 3e9L + 1); }, -1},
        {"1^1e4000", [] { return Power(1, 1e4000L); }, 1},
        {"10^-5000 underflows", [] { return Power(10, -5000); }, 0},
        {"0.5^20000 underflows", [] { return Power(0.5L, 20000); }, 0},
        {"0.5^1e30 underflows", [] { return Power(0.5L, 1e30L); }, 0},
        // A zero base with a non-integral exponent gives zero, negative or not.
        {"0^0.5", [] { return Power(0, 0.5L); }, 0},
        {"0^-0.5", [] { return Power(0, -0.5L); }, 0},
        {"0^-1e9-0.5", [] { return Power(0, -1e9L - 0.5L); }, 0},
        {"store 1e-400 underflows", [] { return ToDouble(1e-400L); }, 0},
        {"store DBL_MAX", [] { return ToDouble(DBL_MAX); }, DBL_MAX},
        {"store just above DBL_MAX rounds down",
         [] { return ToDouble(static_cast<Extended>(DBL_MAX) * (1 + 1e-18L)); }, DBL_MAX},
    };
    for (const auto& c : cases) {
        Extended value = NaN;
        EXPECT_NO_THROW(value = c.Operation()) << c.What;
        EXPECT_EQ(value, c.Expected) << c.What;
    }
}

TEST(CheckedMath, TranscendentalResultsWithinAFewUlps)
{
    const TValueCase cases[] = {
        {"ln 1", [] { return Ln(1); }, 0},
        {"ln e", [] { return Ln(2.718281828459045235360287L); }, 1},
        {"log10 1000", [] { return Log10(1000); }, 3},
        {"log10 1e-300", [] { return Log10(1e-300L); }, -300},
        {"exp 0", [] { return Exp(0); }, 1},
        {"exp ln 10", [] { return Exp(2.302585092994045684017991L); }, 10},
        {"exp -20000 underflows", [] { return Exp(-20000); }, 0},
        {"4^0.5", [] { return Power(4, 0.5L); }, 2},
        {"2^2.5", [] { return Power(2, 2.5L); }, 5.656854249492380195206755L},
        {"8^(-1/3)", [] { return Power(8, -1.0L / 3); }, 0.5L},
        {"100^1.5", [] { return Power(100, 1.5L); }, 1000},
    };
    for (const auto& c : cases) {
        Extended value = NaN;
        EXPECT_NO_THROW(value = c.Operation()) << c.What;
        EXPECT_TRUE(WithinUlps(value, c.Expected, 16)) << c.What;
    }
}

TEST(Rounding, RoundSendsHalvesToEvenAndTruncDropsTheFraction)
{
    const struct {
        Extended X;
        std::int64_t Rounded;
        std::int64_t Truncated;
    } cases[] = {
        {0.5L, 0, 0},
        {1.5L, 2, 1},
        {2.5L, 2, 2},
        {3.5L, 4, 3},
        {-0.5L, 0, 0},
        {-1.5L, -2, -1},
        {-2.5L, -2, -2},
        {2.4999999L, 2, 2},
        {2.5000001L, 3, 2},
        {-3.7L, -4, -3},
        {-0.1L, 0, 0},
        {1e18L + 0.5L, 1000000000000000000LL, 1000000000000000000LL},
        {1e18L + 1.5L, 1000000000000000002LL, 1000000000000000001LL},
        {9223372036854775807.0L, INT64_MAX, INT64_MAX},
        {-9223372036854775808.0L, INT64_MIN, INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.X), c.Rounded) << static_cast<double>(c.X);
        EXPECT_EQ(Trunc(c.X), c.Truncated) << static_cast<double>(c.X);
    }
    EXPECT_EQ(FaultOf([] { return Round(9223372036854775808.0L); }), "EOverflow");
    EXPECT_EQ(FaultOf([] { return Trunc(-1e19L); }), "EOverflow");
    EXPECT_EQ(FaultOf([] { return Round(NaN); }), "EInvalidOp");
    EXPECT_EQ(FaultOf([] { return Trunc(Inf); }), "EOverflow");
}

TEST(Rounding, RoundToDecimals)
{
    const struct {
        double X;
        int Decimals;
        double Expected;
    } cases[] = {
        {2.675, 2, 2.67},   // the stored binary value lies below the half
        {0.125, 2, 0.12},   // an exact half goes to the even neighbour
        {0.375, 2, 0.38},   //
        {-0.125, 2, -0.12}, //
        {1.63004, 4, 1.63}, {1234.5, 0, 1234},  {1235.5, 0, 1236},
        {1e300, 4, 1e300},  {1234.0, -2, 1200},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(RoundToDecimals(c.X, c.Decimals), c.Expected)
            << c.X << " to " << c.Decimals << " decimals";
}
