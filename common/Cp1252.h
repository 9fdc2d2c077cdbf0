#pragma once

#include <string>
#include <string_view>

// External 8-bit files (the refrigerant library, the letterhead) may be
// written in code page 1252. Text inside the program is UTF-8: a file that is
// valid UTF-8 is taken as it is (without a leading byte-order mark),
// anything else is decoded as Windows-1252.
bool IsValidUtf8(std::string_view bytes);
std::string Cp1252ToUtf8(std::string_view bytes);
std::string ExternalTextToUtf8(std::string_view bytes);
