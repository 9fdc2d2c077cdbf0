#pragma once

#include <string>
#include <string_view>

// Text comparisons of names (refrigerants, INI sections and keys) without
// regard to letter case, and trimming of blanks.
bool SameText(std::string_view a, std::string_view b);
// Case-insensitive ordering: true when a sorts before b.
bool LessText(std::string_view a, std::string_view b);
// The text with A to Z in lower case: equal for names that SameText finds
// equal, so that names can be hashed.
std::string FoldedText(std::string_view text);
// The text without leading and trailing blanks (spaces, tabs, line ends).
std::string Trim(std::string_view text);

// A UTF-8 text cut after `count` characters (code points).
std::string CutCharacters(std::string_view text, std::size_t count);

// A value quoted in a message: "'" + text + "'", cut after its first 60
// characters (UTF-8 code points) and ended with "…" when longer, so that a
// pasted page of text cannot make a message box taller than the screen.
std::string QuotedValue(std::string_view text);
