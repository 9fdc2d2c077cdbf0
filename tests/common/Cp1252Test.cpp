#include "common/Cp1252.h"

#include <gtest/gtest.h>
#include <string>

using namespace std::string_literals;

// External text: valid UTF-8 stays as it is, anything else is read as
// Windows-1252 (the unit labels' °, ², ³, ·, µ and the euro sign included).
TEST(Cp1252, ExternalTextBecomesUtf8)
{
    const struct {
        std::string Bytes;
        std::string Expected;
        bool ValidUtf8;
    } cases[] = {
        {"", "", true},
        {"R22 kPa", "R22 kPa", true},
        {"a\0b"s, "a\0b"s, true},
        {"\u00B0C m\u00B3", "\u00B0C m\u00B3", true},
        {"\xE2\x82\xAC", "\xE2\x82\xAC", true},         // euro sign in UTF-8
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", true}, // four-byte sequence
        {"\xB0"
         "C",
         "\u00B0C", false},
        {"m\xB2 m\xB3 \xB7 \xB5m", "m\xC2\xB2 m\xC2\xB3 \xC2\xB7 \xC2\xB5m", false},
        {"\x80", "\xE2\x82\xAC", false},
        {"\x9F", "\xC5\xB8", false},     // Y with diaeresis
        {"\x99", "\xE2\x84\xA2", false}, // trade mark sign
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", false},
        {"\xFF", "\xC3\xBF", false},
        // One stray byte makes the whole text Windows-1252, its UTF-8 part too.
        {"\xC2\xB0 \xB0", "\xC3\x82\xC2\xB0 \xC2\xB0", false},
        {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A", false},                             // cut-off sequence
        {"\xC0\xAF", "\xC3\x80\xC2\xAF", false},                                 // overlong
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC", false},                 // surrogate
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC", false}, // > U+10FFFF
        {"\x80"
         "abc",
         "\u20ACabc", false}, // continuation byte first
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.Bytes), c.ValidUtf8) << testing::PrintToString(c.Bytes);
        EXPECT_EQ(ExternalTextToUtf8(c.Bytes), c.Expected) << testing::PrintToString(c.Bytes);
    }
}

TEST(Cp1252, EveryByteDecodesToOneValidCharacter)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string text = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(text));
    std::size_t characters = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    EXPECT_EQ(characters, 256u);
}

TEST(ExternalText, ByteOrderMarkIsNotPartOfTheText)
{
    EXPECT_EQ(ExternalTextToUtf8("\xEF\xBB\xBF[R22]\n"), "[R22]\n");
    EXPECT_EQ(ExternalTextToUtf8("\xEF\xBB\xBF" "\xB0" "C"), "\xC2\xB0" "C");
}
