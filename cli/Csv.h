#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Comma-separated values: fields may be quoted with "..." (a doubled quote
// inside stands for one); blanks around unquoted fields are dropped; CRLF or
// LF line ends.
std::optional<std::vector<std::string>> ReadCsvRecord(std::istream& in);
// The first record of a file, without the UTF-8 byte-order mark it may start with.
std::optional<std::vector<std::string>> ReadCsvHeader(std::istream& in);
std::string CsvField(const std::string& text);
// The same field added at the end of `out`.
void AppendCsvField(std::string& out, std::string_view text);
