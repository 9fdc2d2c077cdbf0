#pragma once

#include <optional>
#include <string>

// A double in full precision (the shortest text that reads back to the same
// double), "." as decimal separator.
std::string FullPrecision(double value);
// The same text added at the end of `out`.
void AppendFullPrecision(std::string& out, double value);
// The same, or "null" for no value.
std::string JsonNumber(const std::optional<double>& value);
// A JSON string literal with quotes and escapes.
std::string JsonString(const std::string& text);
