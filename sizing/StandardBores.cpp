#include "sizing/StandardBores.h"

#include "common/UnitConversions.h"

namespace {

constexpr TStandardBore Metric(double mm)
{
    return {mm, 0};
}

constexpr TStandardBore Inch(double inch)
{
    return {InchesToMillimetres(inch), inch};
}

} // namespace

const std::array<TStandardBore, 30> StandardBores = {{
    Metric(0.5),  Metric(0.6), Metric(0.7), Metric(0.8), Metric(0.9), Metric(1.0),
    Metric(1.1),  Metric(1.2), Metric(1.3), Metric(1.4), Metric(1.5), Metric(1.6),
    Metric(1.63), Metric(1.8), Metric(2.0), Metric(2.2), Metric(2.5), Inch(0.026),
    Inch(0.028),  Inch(0.031), Inch(0.036), Inch(0.040), Inch(0.042), Inch(0.049),
    Inch(0.054),  Inch(0.059), Inch(0.064), Inch(0.070), Inch(0.075), Inch(0.080),
}};
