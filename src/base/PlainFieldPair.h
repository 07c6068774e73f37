#pragma once

#include "base/PlainDigits.h"

#include <bit>
#include <cstddef>
#include <cstdint>

#include <emmintrin.h>

// Two plain fields of up to eight bytes read side by side, one in each half
// of a vector register: the digit checks, the digits' values and the
// division by the power of ten each take one instruction for both.

// ReadPlainField's numbers of the two fields that end right before `endA`
// and `endB`, `sizeA` and `sizeB` (1 to 8) bytes long, into `numbers`; false,
// with `numbers` unset, unless both are plain. The 8 bytes before each end
// are read, whatever lies in front of the field.
inline bool ReadPlainFieldPair(const char* endA, std::size_t sizeA, const char* endB, std::size_t sizeB,
                               double* numbers)
{
    // Each field at the top of its half, the digits as 0 to 9 and the bytes
    // in front of the field as 0: leading zeros.
    const __m128i bytes = _mm_set_epi64x(static_cast<std::int64_t>(EightBytes(endB - 8)),
                                         static_cast<std::int64_t>(EightBytes(endA - 8)));
    const __m128i inField = _mm_set_epi64x(static_cast<std::int64_t>(~std::uint64_t{0} << (8 * (8 - sizeB))),
                                           static_cast<std::int64_t>(~std::uint64_t{0} << (8 * (8 - sizeA))));
    const __m128i values = _mm_and_si128(_mm_sub_epi8(bytes, _mm_set1_epi8('0')), inField);
    const __m128i nine = _mm_set1_epi8(9);
    const unsigned digits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(values, nine), nine)));
    const __m128i point = _mm_and_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.')), inField);
    const unsigned points = static_cast<unsigned>(_mm_movemask_epi8(point));
    const unsigned pointA = points & 0xFF;
    const unsigned pointB = points >> 8;
    // Every byte a digit but at most one point in each field, and a point
    // never alone.
    if ((~digits & 0xFFFF) != points || (pointA & (pointA - 1)) != 0 || (pointB & (pointB - 1)) != 0 ||
        (pointA != 0 && sizeA == 1) || (pointB != 0 && sizeB == 1))
        return false;

    // The digits behind the point move down over it, the last byte becomes a
    // trailing 0: the whole number of the digits times ten, over a power of
    // ten ten times as large, is the same exact quotient.
    __m128i fromPoint = point;
    fromPoint = _mm_or_si128(fromPoint, _mm_slli_epi64(fromPoint, 8));
    fromPoint = _mm_or_si128(fromPoint, _mm_slli_epi64(fromPoint, 16));
    fromPoint = _mm_or_si128(fromPoint, _mm_slli_epi64(fromPoint, 32));
    const __m128i joined =
        _mm_or_si128(_mm_andnot_si128(fromPoint, values),
                     _mm_srli_epi64(_mm_and_si128(_mm_andnot_si128(point, values), fromPoint), 8));

    // Pairs of digits, then fours, then all eight, the first digit the
    // highest: below 10^8 in the low 32 bits of each half.
    const __m128i pairs = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(joined, _mm_set1_epi16(0xFF)), _mm_set1_epi16(10)),
                                        _mm_srli_epi16(joined, 8));
    const __m128i fours = _mm_madd_epi16(pairs, _mm_set1_epi32(100 | 1 << 16));
    const __m128i eights = _mm_add_epi64(_mm_mul_epu32(fours, _mm_set1_epi64x(10000)), _mm_srli_epi64(fours, 32));
    const __m128d wholes = _mm_cvtepi32_pd(_mm_shuffle_epi32(eights, _MM_SHUFFLE(3, 1, 2, 0)));

    // 10^(8 - place of the point), 1 for a field without one.
    const auto scale = [](unsigned pointBit) { return kExactPowersOfTen[8 - std::countr_zero(pointBit | 0x100u)]; };
    _mm_storeu_pd(numbers, _mm_div_pd(wholes, _mm_set_pd(scale(pointB), scale(pointA))));
    return true;
}
