#include "base/Text.h"

#include <charconv>
#include <climits>

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

LeadingNumber ReadLeadingNumber(std::string_view text, bool exponent)
{
    std::size_t pos = SkipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';

    const std::size_t start = pos;
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return {};
    if (exponent && pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t end = pos + 1;
        if (end < text.size() && (text[end] == '+' || text[end] == '-'))
            ++end;
        if (end < text.size() && IsDigit(text[end])) {
            while (end < text.size() && IsDigit(text[end]))
                ++end;
            pos = end;
        }
    }

    double value = 0;
    const auto format = exponent ? std::chars_format::general : std::chars_format::fixed;
    const auto [stop, error] = std::from_chars(text.data() + start, text.data() + pos, value, format);
    if (error != std::errc{})
        return {0, pos};  // out of range: the number is meaningless as a price
    return {negative ? -value : value, pos};
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
