#include "base/Text.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    return pos;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when a number starts at `pos`: a digit, or a point and a digit.
bool NumberStartsAt(std::string_view text, std::size_t pos)
{
    if (pos < text.size() && IsDigit(text[pos]))
        return true;
    return pos + 1 < text.size() && text[pos] == '.' && IsDigit(text[pos + 1]);
}

// Most prices have few digits: read as a whole number of at most 2^53 over
// a power of ten up to 10^16, both exact in a double, one correctly rounded
// division gives exactly the double from_chars gives. Nothing when the text
// needs from_chars: more than 16 digits, more than 2^53, or an exponent.
std::optional<LeadingNumber> ReadShortDecimal(std::string_view text, std::size_t pos, bool exponent)
{
    constexpr int kMostDigits = 16;  // 10^16 is exact in a double
    static constexpr double kPowersOfTen[kMostDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7, 1e8,
                                                             1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};
    constexpr std::uint64_t kLargestExact = std::uint64_t{1} << 53;
    std::uint64_t whole = 0;
    int digits = 0;
    int fraction = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits)
        whole = whole * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    if (pos < text.size() && text[pos] == '.')
        for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits, ++fraction)
            whole = whole * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    if (digits > kMostDigits || whole > kLargestExact)
        return std::nullopt;
    if (exponent && pos < text.size() && (text[pos] == 'e' || text[pos] == 'E'))
        return std::nullopt;
    return LeadingNumber{static_cast<double>(whole) / kPowersOfTen[fraction], pos};
}

LeadingNumber ReadLeadingNumber(std::string_view text, bool exponent)
{
    std::size_t pos = SkipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    // From a digit on, from_chars takes exactly the digits, point and (in the
    // general format) exponent described above, in one pass; the check keeps
    // out what it would take besides: "inf", "nan" and a second sign.
    if (!NumberStartsAt(text, pos))
        return {};

    LeadingNumber number;
    if (const std::optional<LeadingNumber> shortNumber = ReadShortDecimal(text, pos, exponent)) {
        number = *shortNumber;
    } else {
        const auto format = exponent ? std::chars_format::general : std::chars_format::fixed;
        const auto [stop, error] = std::from_chars(text.data() + pos, text.data() + text.size(), number.value, format);
        number.length = static_cast<std::size_t>(stop - text.data());
        if (error != std::errc{})
            return {0, number.length};  // out of range: the number is meaningless as a price
    }
    return {negative ? -number.value : number.value, number.length};
}

}  // namespace

LeadingNumber ReadLeadingDecimal(std::string_view text)
{
    return ReadLeadingNumber(text, false);
}

LeadingNumber ReadLeadingFloat(std::string_view text)
{
    return ReadLeadingNumber(text, true);
}

double ReadDecimal(std::string_view text)
{
    return ReadLeadingDecimal(text).value;
}

int LeadingInteger(std::string_view text)
{
    std::size_t pos = SkipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = LowerAscii(c);
    return lower;
}

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return upper;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

std::string_view WithoutEnds(std::string_view text)
{
    return text.size() < 2 ? std::string_view{} : text.substr(1, text.size() - 2);
}
