#pragma once

#include <string>
#include <string_view>

// Aligning UTF-8 text in columns of a fixed-width terminal: widths count
// characters, not bytes ("–" and "°C" take one and two).
std::size_t TextWidth(std::string_view text);
// `text` with blanks after it (left-aligned) or before it (right-aligned) up
// to `width`; a wider text is left as it is.
std::string PadRight(std::string_view text, std::size_t width);
std::string PadLeft(std::string_view text, std::size_t width);
// A message on one line: each line break (CR LF, LF or CR) becomes a blank.
std::string OnOneLine(std::string_view text);
