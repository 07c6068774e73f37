#include "base/Text.h"

#include "base/PlainDigits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

TEST(ReadDecimal, ReadsSignFractionAndIgnoresWhatFollows)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"123.50", 123.5},   {"-1.94", -1.94},  {"+1.25", 1.25}, {".25", 0.25},     {"7.", 7},
        {"3512700\r", 3512700}, {"  42", 42},   {"12abc", 12},   {"4213900,", 4213900},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ReadDecimal(c.text), c.value) << c.text;
}

TEST(ReadDecimal, TextThatIsNoNumberReadsZeroAndNothingIsInfinite)
{
    for (const char* text : {"", "abc", "-", ".", "N/A", "inf", "nan", "-infinity", "\"12\""})
        EXPECT_EQ(ReadDecimal(text), 0) << text;
    // No exponent: only the mantissa counts, so no input reaches infinity.
    EXPECT_EQ(ReadDecimal("1e999"), 1);
    EXPECT_TRUE(std::isfinite(ReadDecimal("99999999999999999999")));
}

TEST(ReadLeadingFloat, TakesAnExponentOnlyWhenDigitsFollowIt)
{
    const struct {
        const char* text;
        double value;
        std::size_t length;
    } cases[] = {
        {"9.44375e1", 94.4375, 9}, {"-1.5E+2x", -150, 7}, {"25e-2", 0.25, 5}, {".5e1", 5, 4},
        {"12e", 12, 2},            {"5E+x", 5, 1},        {"7e-", 7, 1},    {"e5", 0, 0},
        {"1e999", 0, 5},           {"1,5e1", 1, 1},
    };
    for (const auto& c : cases) {
        const LeadingNumber number = ReadLeadingFloat(c.text);
        EXPECT_DOUBLE_EQ(number.value, c.value) << c.text;
        EXPECT_EQ(number.length, c.length) << c.text;
    }
    EXPECT_EQ(ReadLeadingDecimal("9.44375e1").value, 9.44375);  // the local files keep their plain numbers
}

// The double from_chars gives for the whole text.
double Exact(const std::string& text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ReadDecimal, EveryDecimalIsTheCorrectlyRoundedDoubleAlsoPastTheShortcutsLimits)
{
    // Prices are read by a shortcut while their digits fit 2^53 and their
    // fraction 10^22; the texts at and just past those limits must read as
    // the longer way reads them.
    for (const std::string text :
         {"123.45", "0.1", "0.3", "9007199254740992", "9007199254740993", "900719925474099.3", "9999999999999999", "9007199254740.995",
          "12345678901234567", "0.1234567890123456789012", "0.12345678901234567890123", "1.7976931348623157",
          "4.35", "0.0000000000000000000001", "0.00000000000000000000001", "72057594037927.9375", "1234.5678"}) {
        EXPECT_TRUE(SameBits(ReadDecimal(text), Exact(text))) << text;
        EXPECT_TRUE(SameBits(ReadLeadingFloat(text + "e2").value, Exact(text + "e2"))) << text;
        EXPECT_TRUE(SameBits(ReadDecimal("-" + text), -Exact(text))) << text;
    }
    EXPECT_EQ(ReadLeadingDecimal("12.50x").length, 5U);
    EXPECT_EQ(ReadLeadingDecimal("7.").length, 2U);
    EXPECT_TRUE(std::signbit(ReadDecimal("-0")));
}

TEST(LeadingInteger, ReadsTheDayOfADate)
{
    EXPECT_EQ(LeadingInteger("5-Dec-00"), 5);
    EXPECT_EQ(LeadingInteger("31-Jan-01"), 31);
    EXPECT_EQ(LeadingInteger("Dec"), 0);
    EXPECT_EQ(LeadingInteger("99999999999999999999-x"), 2147483647);
    // One, two, three digits, with and without a text behind them.
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"7", 7},     {"12", 12},     {"123", 123}, {"7-", 7},      {"12-", 12},  {"123-Dec", 123}, {"4-Jul-76", 4},
        {"09/", 9},   {"1\xFA" "2", 1}, {" 5-x", 5},  {"-5-x", -5},   {"+12-", 12}, {"x12", 0},      {"", 0},
        {"1234", 1234},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingInteger(c.text), c.value) << c.text;
}

TEST(EqualsIgnoringCase, ComparesAsciiLettersWithoutCase)
{
    EXPECT_TRUE(EqualsIgnoringCase("ibm", "IBM"));
    EXPECT_TRUE(EqualsIgnoringCase("Brk.B", "BRK.b"));
    EXPECT_FALSE(EqualsIgnoringCase("IBM", "IBMX"));
    EXPECT_FALSE(EqualsIgnoringCase("IBM", "I8M"));
}


TEST(CaseMapping, OnlyAsciiLettersChangeCase)
{
    EXPECT_EQ(UpperAscii("brk.b-1_\xC3\xA9z"), "BRK.B-1_\xC3\xA9Z");
    EXPECT_EQ(LowerAscii("BRK.B-1_\xC3\x89Z"), "brk.b-1_\xC3\x89z");
}

// `whole` digits, then, unless `fraction` is -1, a point and `fraction`
// digits taken from `fractionFrom` on in the same run of digits.
std::string DigitText(std::size_t whole, int fraction, std::size_t fractionFrom)
{
    const std::string digits = "9876543210987654321";
    std::string text = digits.substr(whole % 3, whole);
    if (fraction >= 0)
        text += "." + digits.substr(fractionFrom, static_cast<std::size_t>(fraction));
    return text;
}

TEST(ReadPlainDecimal, EveryLengthOfWholeAndFractionReadsAsFromCharsWithOrWithoutRoomBehind)
{
    // Eight digits are read at a time where 16 bytes can be looked at, one
    // at a time near the end of the text: both must give from_chars' double
    // and length, for every count of digits before and after the point.
    for (std::size_t whole = 0; whole <= 10; ++whole) {
        for (int fraction = -1; fraction <= 10; ++fraction) {  // -1: no point
            const std::string number = DigitText(whole, fraction, 5);
            const std::size_t count = whole + static_cast<std::size_t>(std::max(fraction, 0));
            if (count == 0 || count > 15)
                continue;  // no digit at all, or maybe past 2^53
            for (const std::string& behind : {std::string(), std::string(","), std::string(",4213900,17.25\n")}) {
                const std::string text = number + behind;
                const LeadingNumber read = ReadPlainDecimal(text);
                EXPECT_TRUE(SameBits(read.value, Exact(number))) << text;
                EXPECT_EQ(read.length, number.size()) << text;
            }
        }
    }
}

TEST(ReadPlainDecimal, StopsAtTheFirstByteThatIsNoDigitAndLeavesTheRestToOthers)
{
    // Bytes just around the digits in ASCII, and bytes whose addition carries.
    for (const char after : {'/', ':', ' ', ',', '\xFA', '\xFF', '\0', 'e'}) {
        const std::string text = std::string("1234.56") + after + "789012345678";
        EXPECT_EQ(ReadPlainDecimal(text).length, 7U) << int(after);
        EXPECT_EQ(ReadPlainDecimal(text).value, 1234.56) << int(after);
        const std::string whole = std::string("98") + after + "7654321012345678";
        EXPECT_EQ(ReadPlainDecimal(whole).length, 2U) << int(after);
        EXPECT_EQ(ReadPlainDecimal(whole).value, 98) << int(after);
    }
    // Not plain: read by ReadLeadingDecimal's longer way, or not at all.
    for (const std::string text : {" 12.5,1111111111", "-1.5,11111111111", "+2,111111111111111", ".,1111111111111111",
                                   ",12,1111111111111", "12345678901234567,1", "9007199254740993,11"})
        EXPECT_EQ(ReadPlainDecimal(text).length, 0U) << text;
    EXPECT_EQ(ReadPlainDecimal("9007199254740992").value, 9007199254740992.0);
    EXPECT_EQ(ReadPlainDecimal(".5").value, 0.5);
    EXPECT_EQ(ReadPlainDecimal("7.,1111111111111111").length, 2U);
}

TEST(ReadPlainField, AWholeFieldReadsAsReadPlainDecimalReadsItAndAnyOtherFieldReadsNothing)
{
    for (std::size_t whole = 0; whole <= 16; ++whole) {
        for (int fraction = -1; fraction <= 16; ++fraction) {  // -1: no point
            const std::string field = DigitText(whole, fraction, 2);
            const std::size_t count = whole + static_cast<std::size_t>(std::max(fraction, 0));
            const LeadingNumber read = ReadPlainField(field);
            if (count == 0 || count > 15) {
                EXPECT_EQ(read.length, 0U) << field;
                continue;
            }
            EXPECT_EQ(read.length, field.size()) << field;
            EXPECT_TRUE(SameBits(read.value, Exact(field))) << field;
            EXPECT_TRUE(SameBits(read.value, ReadPlainDecimal(field + ",").value)) << field;
        }
    }
    for (const std::string_view field : {"", ".", "1.2.3", "12a", "-1", "+1", " 1", "1 ", "1,5", "1e5"})
        EXPECT_EQ(ReadPlainField(field).length, 0U) << field;
    EXPECT_EQ(ReadPlainField(std::string_view("1\0" "2", 3)).length, 0U);
}

TEST(ReadPlainField, AnyByteButOnePointInPlaceOfADigitMakesAShortFieldNoPlainNumber)
{
    // Every byte value at every place of fields of up to eight bytes, those
    // read eight bytes at a time: bytes above 0xF9 carry into the next byte.
    for (const std::string base : {"1", "12", "123", "4213900", "61.75", "1234.567"}) {
        for (std::size_t at = 0; at < base.size(); ++at) {
            for (int byte = 0; byte < 256; ++byte) {
                std::string field = base;
                field[at] = static_cast<char>(byte);
                const bool digit = byte >= '0' && byte <= '9';
                const bool secondPoint = byte == '.' && base.find('.') != std::string::npos && base[at] != '.';
                const bool plain = (digit || byte == '.') && !secondPoint && field != ".";
                const LeadingNumber read = ReadPlainField(field);
                ASSERT_EQ(read.length, plain ? field.size() : 0U) << base << " " << at << " " << byte;
                if (plain) {
                    ASSERT_TRUE(SameBits(read.value, Exact(field))) << field;
                }
            }
        }
    }
}

TEST(PlainFieldOfWord, ReadsTheFieldAsReadPlainFieldWhateverTheBytesBehindIt)
{
    // The word of a row's field holds the bytes after it too: separators,
    // the next field, or anything.
    for (const std::string field : {"7", "42", "5.", ".5", "61.75", "4213900", "12345678", "1234.567", ".", "1,2",
                                    "6a.25", "1..2", "\xFA" "1", "-1"}) {
        for (const std::string behind : {"", ",61.94,61", "99999999", "........", "\n\xFF\xFA\0\0"}) {
            const std::string bytes = (field + behind + std::string(8, '\0')).substr(0, 8);
            const LeadingNumber word = PlainFieldOfWord(EightBytes(bytes.data()), field.size());
            const LeadingNumber read = ReadPlainField(field);
            EXPECT_EQ(word.length, read.length) << field << " + " << behind;
            EXPECT_TRUE(SameBits(word.value, read.value)) << field << " + " << behind;
        }
    }
}

TEST(ReadPlainField, ReadsOnlyTheBytesOfItsField)
{
    // Digits all around the field: none of them may join its number.
    const std::string text = "98765432112.599887766554433";
    for (std::size_t size = 1; size <= 8; ++size) {
        const std::string_view field = std::string_view(text).substr(9, size);
        EXPECT_TRUE(SameBits(ReadPlainField(field).value, Exact(std::string(field)))) << field;
    }
}
