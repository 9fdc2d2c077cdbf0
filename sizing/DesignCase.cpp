#include "sizing/DesignCase.h"

#include "common/TextToNumber.h"

double TCaseValue::Number() const
{
    if (const auto* text = std::get_if<std::string>(&Value))
        return TextToDouble(*text);
    return std::get<double>(Value);
}
