#include "base/Text.h"

#include <charconv>
#include <climits>
#include <cstdint>

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

    LeadingNumber number = ReadPlainDecimal(text.substr(pos));
    const bool exponentFollows = exponent && pos + number.length < text.size() &&
                                 (text[pos + number.length] == 'e' || text[pos + number.length] == 'E');
    if (number.length > 0 && !exponentFollows) {
        number.length += pos;
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

LeadingNumber ReadPlainDecimal(std::string_view text)
{
    constexpr int kMostDigits = 16;  // 10^16 is exact in a double
    static constexpr double kPowersOfTen[kMostDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7, 1e8,
                                                             1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};
    constexpr std::uint64_t kLargestExact = std::uint64_t{1} << 53;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* pos = begin;
    std::uint64_t whole = 0;
    for (; pos != end && IsDigit(*pos); ++pos)
        whole = whole * 10 + static_cast<std::uint64_t>(*pos - '0');
    long digits = pos - begin;
    long fraction = 0;
    if (pos != end && *pos == '.') {
        const char* const fractionStart = ++pos;
        for (; pos != end && IsDigit(*pos); ++pos)
            whole = whole * 10 + static_cast<std::uint64_t>(*pos - '0');
        fraction = pos - fractionStart;
        digits += fraction;
    }
    // Past 16 digits the sum above may have wrapped; it is not used then.
    if (digits == 0 || digits > kMostDigits || whole > kLargestExact)
        return {};
    return {static_cast<double>(whole) / kPowersOfTen[fraction], static_cast<std::size_t>(pos - begin)};
}

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
