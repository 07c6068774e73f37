#include "base/Text.h"

#include "base/PlainDigits.h"

#include <bit>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>

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

// How many of the eight bytes of a little-endian word, from its first, are
// digits: 0 to 8.
int DigitRun(std::uint64_t word)
{
    const std::uint64_t nonDigits = NonDigitBytes(word);
    return nonDigits == 0 ? 8 : std::countr_zero(nonDigits) / 8;
}

// DigitsValue, also of no digit at all.
std::uint64_t LeadingDigitsValue(std::uint64_t word, int count)
{
    return count == 0 ? 0 : DigitsValue(word, static_cast<std::size_t>(count));
}

// The 1 to 8 bytes of `field` as the low bytes of a little-endian word, the
// bytes above them 0, read without looking outside the field: two loads
// that overlap, or three single bytes.
std::uint64_t FieldWord(std::string_view field)
{
    const char* const bytes = field.data();
    const std::size_t size = field.size();
    if (size >= 4) {
        std::uint32_t head;
        std::uint32_t tail;
        std::memcpy(&head, bytes, sizeof head);
        std::memcpy(&tail, bytes + size - 4, sizeof tail);
        // The bytes both loads hold are the same: or-ing them keeps them.
        return std::uint64_t{head} | (std::uint64_t{tail} << (8 * (size - 4)));
    }
    const auto byte = [bytes](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i); };
    return byte(0) | byte(size / 2) | byte(size - 1);
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
    constexpr std::uint64_t kLargestExact = std::uint64_t{1} << 53;
    const char* const begin = text.data();

    // With 16 bytes to look at, eight digits at a time: at most 7 before the
    // point and 7 after it, far below 2^53.
    if constexpr (kPlainDigitWords) {
        if (text.size() >= 16) {
            const std::uint64_t head = EightBytes(begin);
            const int wholeDigits = DigitRun(head);
            if (wholeDigits < 8) {
                if (begin[wholeDigits] != '.')
                    return wholeDigits == 0 ? LeadingNumber{}
                                            : LeadingNumber{static_cast<double>(DigitsValue(head, wholeDigits)),
                                                            static_cast<std::size_t>(wholeDigits)};
                // The eight bytes without the point: the whole digits, then
                // the first ones after the point. When a non-digit ends them
                // there, one run and one value give the whole number.
                const std::uint64_t low = (std::uint64_t{1} << (8 * wholeDigits)) - 1;
                const std::uint64_t joined = (head & low) | (EightBytes(begin + 1) & ~low);
                const int digits = DigitRun(joined);
                if (digits < 8) {
                    if (digits == 0)
                        return {};
                    return {static_cast<double>(DigitsValue(joined, digits)) / kExactPowersOfTen[digits - wholeDigits],
                            static_cast<std::size_t>(digits + 1)};
                }
                const std::uint64_t tail = EightBytes(begin + wholeDigits + 1);
                const int fraction = DigitRun(tail);
                if (fraction < 8) {
                    if (wholeDigits + fraction == 0)
                        return {};
                    static constexpr std::uint64_t kScale[8] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
                    const std::uint64_t all =
                        LeadingDigitsValue(head, wholeDigits) * kScale[fraction] + LeadingDigitsValue(tail, fraction);
                    return {static_cast<double>(all) / kExactPowersOfTen[fraction],
                            static_cast<std::size_t>(wholeDigits + 1 + fraction)};
                }
            }
        }
    }

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
    return {static_cast<double>(whole) / kExactPowersOfTen[fraction], static_cast<std::size_t>(pos - begin)};
}

LeadingNumber ReadPlainField(std::string_view field)
{
    // 15 digits stay below 2^53: the whole number and the power of ten are
    // exact, and one division gives ReadPlainDecimal's double.
    constexpr std::size_t kMostDigits = 15;
    if constexpr (kPlainDigitWords) {
        if (!field.empty() && field.size() <= 8)
            return PlainFieldOfWord(FieldWord(field), field.size());
    }
    if (field.empty() || field.size() > kMostDigits + 1)
        return {};
    std::uint64_t whole = 0;
    std::size_t point = field.size();  // none
    for (std::size_t i = 0; i < field.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(field[i]) - unsigned{'0'};
        if (digit < 10)
            whole = whole * 10 + digit;
        else if (field[i] == '.' && point == field.size())
            point = i;
        else
            return {};
    }
    const std::size_t fraction = point == field.size() ? 0 : field.size() - point - 1;
    const std::size_t digits = field.size() - (point == field.size() ? 0 : 1);
    if (digits == 0 || digits > kMostDigits)
        return {};
    return {static_cast<double>(whole) / kExactPowersOfTen[fraction], field.size()};
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
    // Most texts start with one or two digits, the day of a date: read
    // without a branch on which.
    if (text.size() >= 3) {
        const auto digit = [text](std::size_t i) { return static_cast<unsigned char>(text[i]) - unsigned{'0'}; };
        const unsigned first = digit(0);
        const unsigned second = digit(1);
        if ((first < 10) & ((second >= 10) | (digit(2) >= 10)))
            return static_cast<int>(second < 10 ? first * 10 + second : first);
    }
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
