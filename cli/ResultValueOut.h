#pragma once

#include "sizing/SolveFields.h"

#include <string>

// A result's value as JSON: null, a number in full precision, true or false,
// or a string literal.
std::string JsonValue(const TResultValue& value);
// The same as a CSV field added at the end of `out`: empty for none.
void AppendCsvValue(std::string& out, const TResultValue& value);
