#include "units/EditValue.h"

#include "common/Format.h"
#include "common/TextToNumber.h"

double TEditValue::Number() const
{
    if (const auto* number = std::get_if<double>(&Value))
        return *number;
    if (const auto* integer = std::get_if<std::int64_t>(&Value))
        return static_cast<double>(*integer);
    return TextToDouble(std::get<std::string>(Value));
}

std::string TEditValue::Text() const
{
    if (const auto* text = std::get_if<std::string>(&Value))
        return *text;
    if (const auto* integer = std::get_if<std::int64_t>(&Value))
        return std::to_string(*integer);
    return FormatGeneral(std::get<double>(Value), 15);
}
