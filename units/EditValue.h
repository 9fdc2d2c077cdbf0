#pragma once

#include <cstdint>
#include <string>
#include <variant>

// What a numeric edit gives back: a number in its storage unit, an integer
// (integer formats), or a text (a text format, or text that is not a number).
class TEditValue {
public:
    TEditValue(double value) : Value(value) {}
    TEditValue(std::int64_t value) : Value(value) {}
    TEditValue(std::string text) : Value(std::move(text)) {}

    bool IsNumber() const { return std::holds_alternative<double>(Value); }
    bool IsInteger() const { return std::holds_alternative<std::int64_t>(Value); }
    bool IsText() const { return std::holds_alternative<std::string>(Value); }

    // The value as a number; a text is converted now and raises
    // EConvertError when it is not a number.
    double Number() const;
    // The value as text: a text as it is, a number in full precision.
    std::string Text() const;

    std::variant<double, std::int64_t, std::string> Value;
};
