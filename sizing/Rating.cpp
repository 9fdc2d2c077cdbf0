#include "sizing/Rating.h"

#include "common/CheckedMath.h"
#include "common/Format.h"
#include "sizing/CaseRules.h"
#include "sizing/DesignFields.h"
#include "sizing/RefrigEffect.h"
#include "sizing/RootFinder.h"

#include <cmath>
#include <exception>
#include <limits>

namespace {

constexpr double DefaultStartFlow = 0.01; // kg/s

// A trial flow at which the method gave no length.
struct TNoLength {
    TMethodLength Why;
};

// The case with every text that is a number read once, so that the many trial
// runs do not convert it again; a text that is not a number stays, to fault
// where a method reads it just as sizing would.
TDesignCase ReadOnce(const TDesignCase& designCase)
{
    TDesignCase c = designCase;
    for (std::size_t i = 0; i < CaseFieldCount; ++i) {
        TCaseValue* value = &CaseValue(c, static_cast<TDesignField>(i));
        if (!value->IsText())
            continue;
        try {
            value->SetNumber(value->Number());
        } catch (const std::exception&) {
        }
    }
    return c;
}

// The method's length at trial flows; whether the last trial choked.
class TTrialLength {
public:
    TTrialLength(const TRefrigLib& lib, const TDesignCase& designCase, TSizingMethod method)
        : Lib(lib), Case(designCase), Method(method)
    {
    }

    double At(double flow)
    {
        ++Count;
        LastFlow = flow;
        Case.mr.SetNumber(flow);
        const TMethodLength result = MethodLength(Lib, Case, Method);
        if (!result.Solved)
            throw TNoLength{result};
        LastChoked = result.Choked;
        return result.Length;
    }

    int Count = 0; // lengths computed
    double LastFlow = 0;
    bool LastChoked = false;

private:
    const TRefrigLib& Lib;
    TDesignCase Case;
    TSizingMethod Method;
};

double StartFlow(const TDesignCase& designCase)
{
    try {
        const double mr = designCase.mr.Number();
        if (std::isfinite(mr) && mr >= RatingFlowLo && mr <= RatingFlowHi)
            return mr;
    } catch (const std::exception&) {
    }
    return DefaultStartFlow;
}

TRating NotRated(TRating rating, std::string message)
{
    rating.Rated = false;
    rating.MassFlow = 0;
    rating.Duty = 0;
    rating.Choked = false;
    rating.Message = std::move(message);
    return rating;
}

} // namespace

TRating RateTube(const TRefrigLib& lib, const TDesignCase& designCase, double length,
                 TSizingMethod method)
{
    TRating rating;
    rating.Method = method;
    if (!std::isfinite(length) || length <= 0)
        return NotRated(rating, "the tube length must be a positive number of metres");

    const TDesignCase c = ReadOnce(designCase);
    double effect;
    try {
        // A case no method can size is refused before any flow is tried.
        if (const std::string refusal = CaseRefusal(lib, c); !refusal.empty())
            return NotRated(rating, RefusedCaseMessage(refusal));
        effect = RefrigeratingEffect(lib, c);
    } catch (const std::exception& error) {
        return NotRated(rating, std::string("the refrigerating effect could not be found: ") +
                                    error.what());
    }

    TTrialLength trial(lib, c, method);
    // The correlations are power laws of the flow: ln L is straight in ln flow
    // and the search settles in a few steps. The simulation's length reaches
    // zero and below when the first step chokes, so it is compared as it is.
    const bool correlation = !MethodEntry(method).Simulates;
    const double logLength = std::log(length);
    auto excess = [&](double flow) {
        const double L = trial.At(flow);
        return correlation ? Checked::ToDouble(Checked::Ln(L) - logLength) : L - length;
    };

    TRootSearch search;
    search.Lo = RatingFlowLo;
    search.Hi = RatingFlowHi;
    search.RelativeTolerance = RatingTolerance;
    search.MaxEvaluations = RatingMaxEvaluations;

    TRootResult root;
    const auto counted = [&](TRating r) {
        r.Evaluations = trial.Count;
        return r;
    };
    try {
        root = FindFallingRoot(excess, StartFlow(c), search);
        if (root.Status == rsFound && trial.LastFlow != root.X)
            trial.At(root.X); // the choked flag at the rated flow itself
    } catch (const TNoLength& failed) {
        // A refusal does not depend on the flow; a fault is told with its flow.
        if (failed.Why.Refused)
            return NotRated(counted(rating), failed.Why.Message);
        return NotRated(counted(rating), Format("at a mass flow of %0.6f kg/s, %s",
                                                {trial.LastFlow, failed.Why.Message}));
    } catch (const std::exception& error) {
        // Only the search itself raises: a length that is not finite.
        return NotRated(counted(rating),
                        Format("at a mass flow of %0.6f kg/s, the calculation failed: %s",
                               {trial.LastFlow, std::string(error.what())}));
    }
    rating.Evaluations = trial.Count;

    switch (root.Status) {
    case rsFound:
        break;
    case rsBelowRange:
        return NotRated(rating, "the tube passes less than 0.000001 kg/s: the length at that flow "
                                "is already shorter than the tube");
    case rsAboveRange:
        return NotRated(rating, "the tube passes more than 1 kg/s: the length at that flow is "
                                "still longer than the tube");
    case rsNotSettled:
        return NotRated(rating, Format("the search for the flow did not settle within %d lengths",
                                       {root.Evaluations}));
    }

    // The duty of the flow by the same rule the duty field follows the mass
    // flow field with.
    double duty = 0;
    try {
        if (std::isfinite(root.X))
            duty = DutyOfMassFlow(root.X, effect);
    } catch (const std::exception&) {
        duty = std::numeric_limits<double>::infinity();
    }
    if (!std::isfinite(root.X) || !std::isfinite(duty))
        return NotRated(rating, "the calculation gave no finite flow");
    rating.Rated = true;
    rating.MassFlow = root.X;
    rating.Duty = duty;
    rating.Choked = MethodEntry(method).Simulates && trial.LastChoked;
    return rating;
}

std::array<TRating, SizingMethodCount> RateTube(const TRefrigLib& lib,
                                                const TDesignCase& designCase, double length)
{
    std::array<TRating, SizingMethodCount> ratings;
    for (std::size_t i = 0; i < SizingMethods.size(); ++i)
        ratings[i] = RateTube(lib, designCase, length, SizingMethods[i]);
    return ratings;
}
