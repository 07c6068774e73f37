#include "base/Utf8Text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

TEST(Utf8Text, ValidUtf8StaysAndEverythingElseIsReadAsWindows1252)
{
    EXPECT_EQ(AsUtf8("5-Déc-00 \xF0\x9F\x93\x88"), "5-Déc-00 \xF0\x9F\x93\x88");
    EXPECT_EQ(AsUtf8("5-D\xE9" "c-00"), "5-Déc-00");
    EXPECT_EQ(AsUtf8("\x80 \x85 \x9F"), "€ … Ÿ");
    EXPECT_EQ(AsUtf8("\x81"), "\xC2\x81");  // undefined in Windows-1252: the C1 control of that number
    // Not UTF-8, though they look like it: overlong, a surrogate, cut short, too high.
    EXPECT_EQ(AsUtf8("\xC0\xAF"), "À¯");
    EXPECT_EQ(AsUtf8("\xED\xA0\x80"), "í\xC2\xA0€");
    EXPECT_EQ(AsUtf8("ab\xC3"), "abÃ");
    EXPECT_EQ(AsUtf8("\xF4\x90\x80\x80"), "ô\xC2\x90€€");
    EXPECT_EQ(CodePoints("D\xE9"), U"Dé");
    EXPECT_EQ(CodePoints("Dé"), U"Dé");
}

TEST(Utf8Text, WhateverTheBytesTheResultIsUtf8ThatStaysAsItIs)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(round % 17), '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        const std::string utf8 = AsUtf8(bytes);
        ASSERT_EQ(AsUtf8(utf8), utf8) << round;
        ASSERT_EQ(CodePoints(utf8), CodePoints(bytes)) << round;
        const std::string safe = TerminalSafe(bytes);
        ASSERT_EQ(AsUtf8(safe), safe) << round;
        for (const char32_t c : CodePoints(safe))
            ASSERT_TRUE(c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7F && (c < 0x80 || c >= 0xA0))) << round;
    }
}

TEST(Utf8Text, ATerminalSeesControlCharactersAsEscapes)
{
    EXPECT_EQ(TerminalSafe("IBM\x1B]0;owned\x07\r\n\tnext"), "IBM\\x1B]0;owned\\x07\\x0D\n\tnext");
    EXPECT_EQ(TerminalSafe("a\x7F" "b\xC2\x9B" "c"), "a\\x7Fb\\u009Bc");
    EXPECT_EQ(TerminalSafe("D\xE9" "c \x85"), "Déc …");
}
