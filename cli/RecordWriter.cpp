#include "cli/RecordWriter.h"

#include "cli/Csv.h"
#include "cli/NumberOut.h"
#include "cli/ResultValueOut.h"

TCsvRecord::TCsvRecord(std::string& buffer) : Buffer(buffer)
{
    Buffer.clear();
}

void TCsvRecord::Separate()
{
    if (Started)
        Buffer += ',';
    Started = true;
}

void TCsvRecord::Text(std::string_view text)
{
    Separate();
    AppendCsvField(Buffer, text);
}

void TCsvRecord::Number(const std::optional<double>& value)
{
    Separate();
    if (value)
        AppendFullPrecision(Buffer, *value);
}

void TCsvRecord::Flag(const std::optional<bool>& value)
{
    Separate();
    if (value)
        Buffer += *value ? "true" : "false";
}

void TCsvRecord::Value(const TResultValue& value)
{
    Separate();
    AppendCsvValue(Buffer, value);
}

void TCsvRecord::Empty(std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        Separate();
}

void TCsvRecord::WriteTo(std::ostream& out)
{
    Buffer += '\n';
    out.write(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
}

std::string JsonFlag(const std::optional<bool>& value)
{
    return value ? (*value ? "true" : "false") : "null";
}

std::string JsonArray(const std::vector<std::string>& items, int indent)
{
    if (items.empty())
        return "[]";
    const std::string in(static_cast<std::size_t>(indent), ' ');
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "\n" : ",\n") + in + items[i];
    return text + "\n" + in.substr(2) + "]";
}

TJsonObject::TJsonObject(std::ostream& out, int indent) : Out(out), Indent(indent)
{
    Out << '{';
}

void TJsonObject::Member(std::string_view name, const std::string& json)
{
    Out << (First ? "\n" : ",\n") << std::string(static_cast<std::size_t>(Indent), ' ')
        << JsonString(std::string(name)) << ": " << json;
    First = false;
}

void TJsonObject::Number(std::string_view name, const std::optional<double>& value)
{
    Member(name, JsonNumber(value));
}

void TJsonObject::Value(std::string_view name, const TResultValue& value)
{
    Member(name, JsonValue(value));
}

TJsonObject TJsonObject::Object(std::string_view name)
{
    Out << (First ? "\n" : ",\n") << std::string(static_cast<std::size_t>(Indent), ' ')
        << JsonString(std::string(name)) << ": ";
    First = false;
    return TJsonObject(Out, Indent + 2);
}

void TJsonObject::End()
{
    Out << '\n' << std::string(static_cast<std::size_t>(Indent - 2), ' ') << '}';
}

void TJsonInline::Member(std::string_view name, const std::string& json)
{
    if (Text_.size() > 1)
        Text_ += ", ";
    Text_ += JsonString(std::string(name)) + ": " + json;
}
