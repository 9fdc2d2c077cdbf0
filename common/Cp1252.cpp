#include "common/Cp1252.h"

#include <cstdint>

namespace {

// Code points of bytes 0x80..0x9F in Windows-1252; 0 marks the five unused
// positions, which are kept as the C1 control of the same number.
constexpr std::uint16_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        int follow = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1;
            cp = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2;
            cp = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(follow) >= bytes.size())
            return false;
        for (int k = 1; k <= follow; ++k) {
            const auto d = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3Fu);
        }
        static constexpr std::uint32_t Minimum[4] = {0, 0x80, 0x800, 0x10000};
        if (cp < Minimum[follow] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(follow) + 1;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0 && High[c - 0x80] != 0)
            AppendUtf8(out, High[c - 0x80]);
        else
            AppendUtf8(out, c);
    }
    return out;
}

std::string ExternalTextToUtf8(std::string_view bytes)
{
    // Editors may put a byte-order mark in front of UTF-8 text; it is not
    // part of the text.
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        bytes.remove_prefix(ByteOrderMark.size());
    return IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}
