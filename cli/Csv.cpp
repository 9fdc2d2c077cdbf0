#include "cli/Csv.h"

#include "common/Text.h"

namespace {

// The record that starts with `line`; a quoted field may run on over the
// following lines of the stream.
std::vector<std::string> ParseCsvRecord(std::istream& in, std::string line)
{
    std::vector<std::string> fields;
    fields.reserve(16); // a case row has twelve columns at most
    std::string field;
    bool quoted = false;
    bool wasQuoted = false;
    for (;;) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quoted) {
                if (c == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        ++i;
                    } else {
                        quoted = false;
                    }
                } else {
                    field += c;
                }
            } else if (c == '"' && Trim(field).empty()) {
                field.clear();
                quoted = true;
                wasQuoted = true;
            } else if (c == ',') {
                fields.push_back(wasQuoted ? field : Trim(field));
                field.clear();
                wasQuoted = false;
            } else if (c != '\r' || i + 1 != line.size()) {
                field += c;
            }
        }
        if (!quoted)
            break;
        // A quoted field runs on over the line end.
        field += '\n';
        if (!std::getline(in, line))
            break;
    }
    fields.push_back(wasQuoted ? field : Trim(field));
    return fields;
}

} // namespace

std::optional<std::vector<std::string>> ReadCsvRecord(std::istream& in)
{
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    return ParseCsvRecord(in, std::move(line));
}

std::optional<std::vector<std::string>> ReadCsvHeader(std::istream& in)
{
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    // Spreadsheets often start a UTF-8 file with a byte-order mark.
    if (line.starts_with("\xEF\xBB\xBF"))
        line.erase(0, 3);
    return ParseCsvRecord(in, std::move(line));
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

void AppendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}
