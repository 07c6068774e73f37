#include "base/ByteScan.h"

#include <cstring>

#include <emmintrin.h>

namespace {

constexpr std::size_t kBlock = 16;
constexpr std::size_t kChunk = 64;  // four blocks, one 64-bit mask

// Bit i set where byte i of a block compared equal.
std::uint64_t MaskOf(__m128i equal)
{
    return static_cast<std::uint32_t>(_mm_movemask_epi8(equal));
}

std::uint64_t Matches(const char* bytes, __m128i a, __m128i b)
{
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return MaskOf(_mm_or_si128(_mm_cmpeq_epi8(block, a), _mm_cmpeq_epi8(block, b)));
}

// MatchMask of 64 readable bytes.
std::uint64_t ChunkMask(const char* chunk, __m128i wantA, __m128i wantB)
{
    return Matches(chunk, wantA, wantB) | Matches(chunk + 16, wantA, wantB) << 16 |
           Matches(chunk + 32, wantA, wantB) << 32 | Matches(chunk + 48, wantA, wantB) << 48;
}

// The 64 bytes from `pos` on to look at: the text's own where it has them
// all, else its last bytes copied into `tail` and followed by NULs; bits of
// `inText` set for those of the text.
const char* ChunkAt(std::string_view text, std::size_t pos, char (&tail)[kChunk], std::uint64_t& inText)
{
    if (pos + kChunk <= text.size()) {
        inText = ~std::uint64_t{0};
        return text.data() + pos;
    }
    const std::size_t left = pos < text.size() ? text.size() - pos : 0;
    std::memset(tail, 0, kChunk);
    if (left > 0)
        std::memcpy(tail, text.data() + pos, left);
    inText = (std::uint64_t{1} << left) - 1;
    return tail;
}

}  // namespace

std::uint64_t MatchMask(std::string_view text, std::size_t pos, char a, char b)
{
    char tail[kChunk];
    std::uint64_t inText = 0;
    const char* const chunk = ChunkAt(text, pos, tail, inText);
    return ChunkMask(chunk, _mm_set1_epi8(a), _mm_set1_epi8(b)) & inText;
}

ByteMasks MatchMasks(std::string_view text, std::size_t pos, char a, char b)
{
    char tail[kChunk];
    std::uint64_t inText = 0;
    const char* const chunk = ChunkAt(text, pos, tail, inText);
    const __m128i wantA = _mm_set1_epi8(a);
    const __m128i wantB = _mm_set1_epi8(b);
    ByteMasks masks;
    for (std::size_t block = 0; block < kChunk; block += kBlock) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + block));
        masks.a |= MaskOf(_mm_cmpeq_epi8(bytes, wantA)) << block;
        masks.b |= MaskOf(_mm_cmpeq_epi8(bytes, wantB)) << block;
    }
    masks.a &= inText;
    masks.b &= inText;
    return masks;
}
