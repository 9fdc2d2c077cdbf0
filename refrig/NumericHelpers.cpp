#include "refrig/NumericHelpers.h"

double SignOf(double x)
{
    return x >= 0 ? 1.0 : -1.0;
}

bool IsBetween(int a, int b, int c)
{
    return (a <= b && b <= c) || (a >= b && b >= c);
}
