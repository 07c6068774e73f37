#include "quotes/PlainField.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// True when both read the same length and, where they read one, a number of
// the same bits.
bool SameAsReadPlainField(const std::string& text, std::size_t length)
{
    const LeadingNumber expected = ReadPlainField(std::string_view(text).substr(0, length));
    const LeadingNumber read = ReadPlainFieldAt(text.data(), length);
    return read.length == expected.length &&
           (expected.length == 0 || std::memcmp(&read.value, &expected.value, sizeof read.value) == 0);
}

}  // namespace

TEST(ReadPlainFieldAt, EveryCountOfDigitsBeforeAndAfterThePointReadsAsReadPlainField)
{
    // The field ends where its length says, whatever bytes follow: digits,
    // a point, a separator.
    const std::string digits = "98765432109876543210";
    for (const std::string after : {"1234567890123456", ".5.5.5.5.5.5.5.5", ",,,,,,,,,,,,,,,,"}) {
        for (std::size_t whole = 0; whole <= 17; ++whole) {
            for (int fraction = -1; fraction <= 17; ++fraction) {  // -1: no point
                std::string field = digits.substr(whole % 3, whole);
                if (fraction >= 0)
                    field += "." + digits.substr(2, static_cast<std::size_t>(fraction));
                EXPECT_TRUE(SameAsReadPlainField(field + after, field.size())) << field << " then " << after;
            }
        }
    }
}

TEST(ReadPlainFieldAt, AnyByteButADigitOrOnePointAnywhereInTheFieldRefusesIt)
{
    // Every byte at every place of fields of every length up to 16, among
    // digits and a point: bytes next to the digits, high bytes whose
    // arithmetic carries, a second point, NUL.
    for (std::size_t length = 1; length <= 16; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            for (int byte = 0; byte < 256; ++byte) {
                std::string text = std::string("31415926.5358979") + "32384626433832795";
                text[at] = static_cast<char>(byte);
                ASSERT_TRUE(SameAsReadPlainField(text, length)) << "length " << length << ", byte " << byte
                                                                << " at " << at;
            }
        }
    }
    EXPECT_EQ(ReadPlainFieldAt("1.2.3...........", 5).length, 0U);
    EXPECT_EQ(ReadPlainFieldAt("................", 1).length, 0U);
    EXPECT_EQ(ReadPlainFieldAt("1234567890123456", 0).length, 0U);
    EXPECT_EQ(ReadPlainFieldAt("123456789012345.6789", 17).length, 0U);
}
