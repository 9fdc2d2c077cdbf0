#pragma once

#include <string>
#include <string_view>

// Text comparisons of names (refrigerants, INI sections and keys) without
// regard to letter case, and trimming of blanks.
bool SameText(std::string_view a, std::string_view b);
// Case-insensitive ordering: true when a sorts before b.
bool LessText(std::string_view a, std::string_view b);
// The text without leading and trailing blanks (spaces, tabs, line ends).
std::string Trim(std::string_view text);
