#include "cli/TextColumns.h"

std::size_t TextWidth(std::string_view text)
{
    std::size_t width = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) // not a continuation byte
            ++width;
    return width;
}

std::string PadRight(std::string_view text, std::size_t width)
{
    std::string out(text);
    const std::size_t has = TextWidth(text);
    if (has < width)
        out.append(width - has, ' ');
    return out;
}

std::string PadLeft(std::string_view text, std::size_t width)
{
    const std::size_t has = TextWidth(text);
    std::string out(has < width ? width - has : 0, ' ');
    out += text;
    return out;
}

std::string OnOneLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // the LF after it makes the blank
        line.push_back(text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
    }
    return line;
}
