#pragma once

#include <string>

// The length of a tube to rate, in m, taken as the window's Tube length field
// takes it: 5 cm to 20 m, held at the field's three decimals of a metre.
inline constexpr double TubeLengthLo = 0.05;
inline constexpr double TubeLengthHi = 20.0;

// Reads the length given to `name` (an option or a batch column, named in
// the message). Raises EBadInput for a text that is not a finite number or a
// length outside the range.
double ReadTubeLength(const std::string& name, const std::string& text);
// The length as the field shows it: "2.996".
std::string TubeLengthText(double length);
