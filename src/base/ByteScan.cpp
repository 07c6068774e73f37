#include "base/ByteScan.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include <emmintrin.h>

namespace {

constexpr std::size_t kBlock = 16;
constexpr std::size_t kChunk = 64;  // four blocks, one 64-bit mask

std::uint64_t Matches(const char* bytes, __m128i a, __m128i b)
{
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, a), _mm_cmpeq_epi8(block, b))));
}

// The number of set bits, without the POPCNT instruction baseline x86-64
// lacks.
std::size_t BitCount(std::uint64_t mask)
{
    mask -= (mask >> 1) & 0x5555555555555555;
    mask = (mask & 0x3333333333333333) + ((mask >> 2) & 0x3333333333333333);
    mask = (mask + (mask >> 4)) & 0x0F0F0F0F0F0F0F0F;
    return static_cast<std::size_t>((mask * 0x0101010101010101) >> 56);
}

// Appends base + the index of each set bit of `mask`. The first eight are
// written whether or not they exist (a write past the last is overwritten by
// the next), each to its own slot, so that chunks of up to eight matches,
// nearly all of them, take no branch that depends on their count.
std::size_t Append(std::uint64_t mask, std::uint32_t base, std::uint32_t* out, std::size_t count)
{
    const std::size_t matches = BitCount(mask);
    for (int i = 0; i < 8; ++i) {
        out[count + i] = base + static_cast<std::uint32_t>(std::countr_zero(mask));
        mask &= mask - 1;
    }
    for (std::size_t i = 8; mask != 0; ++i, mask &= mask - 1)
        out[count + i] = base + static_cast<std::uint32_t>(std::countr_zero(mask));
    return count + matches;
}

// MatchMask of 64 bytes that are all in the text.
std::uint64_t ChunkMask(const char* chunk, __m128i wantA, __m128i wantB)
{
    return Matches(chunk, wantA, wantB) | Matches(chunk + 16, wantA, wantB) << 16 |
           Matches(chunk + 32, wantA, wantB) << 32 | Matches(chunk + 48, wantA, wantB) << 48;
}

}  // namespace

std::uint64_t MatchMask(std::string_view text, std::size_t pos, char a, char b)
{
    const __m128i wantA = _mm_set1_epi8(a);
    const __m128i wantB = _mm_set1_epi8(b);
    if (pos + kChunk <= text.size())
        return ChunkMask(text.data() + pos, wantA, wantB);
    if (pos >= text.size())
        return 0;
    // The last bytes, copied into a chunk of their own: bits past the text
    // are cleared, whatever the bytes compared to.
    char tail[kChunk] = {};
    const std::size_t left = text.size() - pos;
    std::memcpy(tail, text.data() + pos, left);
    std::uint64_t mask = 0;
    for (std::size_t block = 0; block < kChunk; block += kBlock)
        mask |= Matches(tail + block, wantA, wantB) << block;
    return mask & ((std::uint64_t{1} << left) - 1);
}

FoundBytes FindBytes(std::string_view text, std::size_t from, char a, char b, std::uint32_t* out, std::size_t most)
{
    const __m128i wantA = _mm_set1_epi8(a);
    const __m128i wantB = _mm_set1_epi8(b);
    std::size_t count = 0;
    std::size_t pos = from;
    for (; pos + kChunk <= text.size() && count < most; pos += kChunk)
        count = Append(ChunkMask(text.data() + pos, wantA, wantB), static_cast<std::uint32_t>(pos), out, count);
    // The last bytes, short of a chunk.
    if (pos < text.size() && count < most) {
        count = Append(MatchMask(text, pos, a, b), static_cast<std::uint32_t>(pos), out, count);
        pos += kChunk;
    }
    return {count, std::min(pos, text.size())};
}
