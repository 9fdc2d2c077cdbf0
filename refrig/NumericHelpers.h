#pragma once

// +1 when x >= 0, otherwise -1.
double SignOf(double x);

// Whether b lies between a and c, ends included, whichever of a and c is larger.
bool IsBetween(int a, int b, int c);
