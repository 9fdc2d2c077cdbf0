#pragma once

#include <array>

// A bore the tube mills sell: metric bores by their size in mm, inch bores by
// their size in inches (Mm is then the same bore in mm).
struct TStandardBore {
    double Mm;   // inside diameter, mm
    double Inch; // inside diameter, in; 0 for a metric bore
    bool IsInch() const { return Inch > 0; }
};

// The 17 metric bores from 0.5 to 2.5 mm, then the 13 inch bores from 0.026 to
// 0.080 in, each list from the smallest bore up.
extern const std::array<TStandardBore, 30> StandardBores;
