#pragma once

#include <functional>

// A root of a function that falls as its argument grows (a tube's length as a
// function of the mass flow through it), searched for in a range [lo, hi] of
// positive arguments. The search first brackets the crossing by doubling (or
// halving) the argument from a start value, then closes in on it by Brent's
// method (inverse quadratic interpolation, secant steps and bisection) carried
// out on the logarithm of the argument, so that its tolerance is relative.
//
// The function may jump (a friction regime changing, a simulation choking): the
// search then still ends at a point where its sign changes from + to −. It may
// raise an exception, which the search passes on unchanged.

enum TRootStatus : unsigned char {
    rsFound,      // X is the crossing within the tolerance
    rsBelowRange, // the function is already negative at lo: the root lies below
    rsAboveRange, // the function is still positive at hi: the root lies above
    rsNotSettled, // the evaluations allowed ran out before the tolerance was met
};

struct TRootResult {
    TRootStatus Status = rsNotSettled;
    double X = 0;        // the crossing (rsFound), else the last argument tried
    double Fx = 0;       // the function's value at X
    int Evaluations = 0; // how many times the function was evaluated
};

struct TRootSearch {
    double Lo = 1e-6;
    double Hi = 1.0;
    double RelativeTolerance = 1e-9;
    // Doubling from one end of [1e-6, 1] to the other takes 20 evaluations;
    // Brent's method meets 1e-9 within some 10 to 50 more.
    int MaxEvaluations = 200;
};

// Searches from `start` (clamped into the range). The function should return
// finite values; a value that is not finite is taken as a fault and raised as
// EInvalidOp.
TRootResult FindFallingRoot(const std::function<double(double)>& f, double start,
                            const TRootSearch& search = {});
