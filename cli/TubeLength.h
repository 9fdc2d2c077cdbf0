#pragma once

#include "sizing/Rating.h"

#include <string>

// The length of a tube to rate, in m, taken as the window's Tube length field
// takes it: TubeLengthLo to TubeLengthHi, held at the field's three decimals
// of a metre.

// Reads the length given to `name` (an option or a batch column, named in
// the message). Raises EBadInput for a text that is not a finite number or a
// length outside the range.
double ReadTubeLength(const std::string& name, const std::string& text);
// The length as the field shows it: "2.996".
std::string TubeLengthText(double length);
