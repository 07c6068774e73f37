#pragma once

#include "base/Text.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Reading up to eight digits of a number as one little-endian word: the
// pieces ReadPlainDecimal and ReadPlainField share, inline for readers that
// take many fields in a row and know that eight bytes can be read at each.

inline constexpr bool kPlainDigitWords = std::endian::native == std::endian::little;

// Exact powers of ten: 10^16 is the last a double holds exactly.
inline constexpr double kExactPowersOfTen[17] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7, 1e8,
                                                  1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16};

inline std::uint64_t EightBytes(const char* bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The high bit of each byte of a word that is no digit, without a branch per
// byte. A byte of 0x30 to 0x39 has a high nibble of 3, and so has that byte
// plus 6; no other byte has both. An addition carries only out of a byte
// above 0xF9 (itself no digit), into bytes after it, so the first non-digit
// is always found and no non-digit is taken for a digit.
inline std::uint64_t NonDigitBytes(std::uint64_t word)
{
    constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7F;
    const std::uint64_t nibbles = (word & kHighNibbles) | (((word + 0x0606060606060606) & kHighNibbles) >> 4);
    const std::uint64_t differ = nibbles ^ 0x3333333333333333;  // 0 in each digit byte
    return (((differ & kLow7) + kLow7) | differ) & ~kLow7;
}

// The value of eight digits held as 0 to 9, the first in the lowest byte.
inline std::uint64_t EightDigitsValue(std::uint64_t word)
{
    word = word * 10 + (word >> 8);  // pairs of digits
    constexpr std::uint64_t kPairs = 0x000000FF000000FF;
    return (((word & kPairs) * (100 + (1000000ULL << 32))) + (((word >> 16) & kPairs) * (1 + (10000ULL << 32)))) >>
           32;
}

// The value of the first `count` (1 to 8) bytes of a word, all digits.
inline std::uint64_t DigitsValue(std::uint64_t word, std::size_t count)
{
    // Digits as 0 to 9, moved to the top so that the bytes below, shifted
    // in as zeros, read as leading zeros; a byte past the digits that
    // borrows only borrows from bytes shifted out.
    return EightDigitsValue((word - 0x3030303030303030) << (8 * (8 - count)));
}

// A plain field as a whole number of its digits and the power of ten it is
// to be divided by, both exact: their quotient, correctly rounded, is
// ReadPlainField's number. Scale 0 when the field is no plain number.
struct PlainParts {
    double digits = 0;
    double scale = 0;
};

// The PlainParts of the field held by the first `size` (1 to 8) bytes of
// `word`; the bytes after them may hold anything.
inline PlainParts PlainPartsOfWord(std::uint64_t word, std::size_t size)
{
    const std::uint64_t nonDigits = NonDigitBytes(word) & (~std::uint64_t{0} >> (64 - 8 * size));
    if (nonDigits == 0)  // a whole number
        return {static_cast<double>(DigitsValue(word, size)), 1};
    // Else one non-digit, the point, and at least one digit beside it.
    const int point = std::countr_zero(nonDigits) / 8;
    if ((nonDigits & (nonDigits - 1)) != 0 || ((word >> (8 * point)) & 0xFF) != '.' || size == 1)
        return {};
    const std::uint64_t before = (std::uint64_t{1} << (8 * point)) - 1;
    const std::uint64_t joined = (word & before) | ((word >> 8) & ~before);
    return {static_cast<double>(DigitsValue(joined, size - 1)),
            kExactPowersOfTen[size - 1 - static_cast<std::size_t>(point)]};
}

// The number of plain parts (scale not 0): a whole number needs no division.
inline double PlainValue(const PlainParts& parts)
{
    return parts.scale == 1 ? parts.digits : parts.digits / parts.scale;
}

// ReadPlainField of the field held by the first `size` (1 to 8) bytes of
// `word`; the bytes after them may hold anything.
inline LeadingNumber PlainFieldOfWord(std::uint64_t word, std::size_t size)
{
    const PlainParts parts = PlainPartsOfWord(word, size);
    if (parts.scale == 0)
        return {};
    return {PlainValue(parts), size};
}
