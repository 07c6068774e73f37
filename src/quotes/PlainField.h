#pragma once

#include "base/PlainDigits.h"
#include "base/Text.h"

#include <bit>
#include <cstddef>
#include <cstdint>

#include <emmintrin.h>

// Sixteen bytes as one number, shifted as a whole.
__extension__ using Unsigned128 = unsigned __int128;

// ReadPlainField for a field whose 16 bytes from its start may be read
// (the text goes on past it): all bytes compared at once and the digits
// valued eight at a time, with no branch per byte for a mispredicted length
// or point to cost. The same fields are refused, and each number is the
// same whole number over the same power of ten, so every bit is the same.
inline LeadingNumber ReadPlainFieldAt(const char* field, std::size_t length)
{
    static_assert(std::endian::native == std::endian::little);
    constexpr std::size_t kMostDigits = 15;  // as ReadPlainField
    if (length == 0 || length > kMostDigits + 1)
        return {};
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field));
    const __m128i values = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    const auto digitBits =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(values, _mm_set1_epi8(9)), values)));
    const auto pointBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'))));
    const unsigned inField = (1u << length) - 1;
    const unsigned points = pointBits & inField;
    if (((digitBits | points) & inField) != inField || (points & (points - 1)) != 0)
        return {};
    const std::size_t point = points == 0 ? length : static_cast<std::size_t>(std::countr_zero(points));
    const std::size_t digits = points == 0 ? length : length - 1;
    if (digits == 0 || digits > kMostDigits)
        return {};

    std::uint64_t whole;
    if (digits <= 8) {
        // The bytes before the point from the field, those after it from one
        // byte further on: the digits without the point.
        const std::uint64_t before = point >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * point)) - 1;
        const std::uint64_t joined = (EightBytes(field) & before) | (EightBytes(field + 1) & ~before);
        whole = DigitsValue(joined, digits);
    } else {
        // The same on all 16 bytes, the digits as 0 to 9 first.
        const __m128i positions = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m128i ours =
            _mm_and_si128(values, _mm_cmplt_epi8(positions, _mm_set1_epi8(static_cast<char>(length))));
        const __m128i before = _mm_cmplt_epi8(positions, _mm_set1_epi8(static_cast<char>(point)));
        const __m128i joined =
            _mm_or_si128(_mm_and_si128(before, ours), _mm_andnot_si128(before, _mm_srli_si128(ours, 1)));
        const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(joined));
        const auto high = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_srli_si128(joined, 8)));
        const Unsigned128 all = ((static_cast<Unsigned128>(high) << 64) | low) << (8 * (16 - digits));
        whole = EightDigitsValue(static_cast<std::uint64_t>(all)) * 100000000 +
                EightDigitsValue(static_cast<std::uint64_t>(all >> 64));
    }
    // A whole number needs no division by 1, which gives its double as it
    // is: volumes leave the divider to the prices.
    const std::size_t fraction = points == 0 ? 0 : length - point - 1;
    if (fraction == 0)
        return {static_cast<double>(whole), length};
    return {static_cast<double>(whole) / kExactPowersOfTen[fraction], length};
}
