#include "base/Text.h"

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

std::uint64_t EightBytes(const char* bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

constexpr std::uint64_t kHighBits = 0x8080808080808080;

// The high bit of each byte of a little-endian word that is no digit,
// without a branch per byte. A byte of 0x30 to 0x39 has a high nibble of 3,
// and so has that byte plus 6; no other byte has both. An addition carries
// only out of a byte above 0xF9 (itself no digit), into bytes after it, so
// the first non-digit is always found and none is taken for a digit.
std::uint64_t NonDigitBytes(std::uint64_t word)
{
    constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    const std::uint64_t nibbles = (word & kHighNibbles) | (((word + 0x0606060606060606) & kHighNibbles) >> 4);
    const std::uint64_t differ = nibbles ^ 0x3333333333333333;  // 0 in each digit byte
    return (((differ & kLow7) + kLow7) | differ) & kHighBits;
}

// How many of the eight bytes of a little-endian word, from its first, are
// digits: 0 to 8.
int DigitRun(std::uint64_t word)
{
    const std::uint64_t nonDigits = NonDigitBytes(word);
    return nonDigits == 0 ? 8 : std::countr_zero(nonDigits) / 8;
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

// The value of the first `count` (0 to 8) digits of a little-endian word.
std::uint64_t DigitsValue(std::uint64_t word, int count)
{
    if (count == 0)
        return 0;
    // Digits as 0 to 9, moved to the top so that the bytes below, shifted
    // in as zeros, read as leading zeros; a byte past the digits that
    // borrows only borrows from bytes shifted out.
    word = (word - 0x3030303030303030) << (8 * (8 - count));
    word = word * 10 + (word >> 8);  // pairs of digits
    constexpr std::uint64_t kPairs = 0x000000FF000000FF;
    return (((word & kPairs) * (100 + (1000000ULL << 32))) + (((word >> 16) & kPairs) * (1 + (10000ULL << 32)))) >>
           32;
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

    // With 16 bytes to look at, eight digits at a time: at most 7 before the
    // point and 7 after it, far below 2^53.
    if constexpr (std::endian::native == std::endian::little) {
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
                    return {static_cast<double>(DigitsValue(joined, digits)) / kPowersOfTen[digits - wholeDigits],
                            static_cast<std::size_t>(digits + 1)};
                }
                const std::uint64_t tail = EightBytes(begin + wholeDigits + 1);
                const int fraction = DigitRun(tail);
                if (fraction < 8) {
                    if (wholeDigits + fraction == 0)
                        return {};
                    static constexpr std::uint64_t kScale[8] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
                    const std::uint64_t all =
                        DigitsValue(head, wholeDigits) * kScale[fraction] + DigitsValue(tail, fraction);
                    return {static_cast<double>(all) / kPowersOfTen[fraction],
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
    return {static_cast<double>(whole) / kPowersOfTen[fraction], static_cast<std::size_t>(pos - begin)};
}

LeadingNumber ReadPlainField(std::string_view field)
{
    // 15 digits stay below 2^53: the whole number and the power of ten are
    // exact, and one division gives ReadPlainDecimal's double.
    constexpr std::size_t kMostDigits = 15;
    static constexpr double kPowersOfTen[kMostDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if constexpr (std::endian::native == std::endian::little) {
        if (!field.empty() && field.size() <= 8) {
            const std::uint64_t word = FieldWord(field);
            const std::size_t size = field.size();
            const std::uint64_t nonDigits = NonDigitBytes(word) & (kHighBits >> (8 * (8 - size)));
            if (nonDigits == 0)  // a whole number: no division
                return {static_cast<double>(DigitsValue(word, static_cast<int>(size))), size};
            // One non-digit, the point, and a digit beside it.
            const int point = std::countr_zero(nonDigits) / 8;
            if ((nonDigits & (nonDigits - 1)) != 0 || ((word >> (8 * point)) & 0xFF) != '.' || size == 1)
                return {};
            const std::uint64_t low = (std::uint64_t{1} << (8 * point)) - 1;
            const std::uint64_t joined = (word & low) | ((word >> 8) & ~low);
            return {static_cast<double>(DigitsValue(joined, static_cast<int>(size) - 1)) /
                        kPowersOfTen[size - 1 - static_cast<std::size_t>(point)],
                    size};
        }
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
    return {static_cast<double>(whole) / kPowersOfTen[fraction], field.size()};
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
