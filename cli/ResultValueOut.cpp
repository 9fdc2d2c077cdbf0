#include "cli/ResultValueOut.h"

#include "cli/Csv.h"
#include "cli/NumberOut.h"

namespace {

const char* FlagText(bool flag)
{
    return flag ? "true" : "false";
}

} // namespace

std::string JsonValue(const TResultValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return FullPrecision(*number);
    if (const auto* flag = std::get_if<bool>(&value))
        return FlagText(*flag);
    if (const auto* text = std::get_if<std::string>(&value))
        return JsonString(*text);
    return "null";
}

void AppendCsvValue(std::string& out, const TResultValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        AppendFullPrecision(out, *number);
    else if (const auto* flag = std::get_if<bool>(&value))
        out += FlagText(*flag);
    else if (const auto* text = std::get_if<std::string>(&value))
        AppendCsvField(out, *text);
}
