#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Finds where chosen bytes stand in a text, 64 bytes at a time (SSE2):
// comparisons and one bit mask per 64 bytes instead of a branch per byte.

// How far FindBytes got.
struct FoundBytes {
    std::size_t count = 0;  // positions written
    std::size_t end = 0;    // every byte before this was looked at
};

inline constexpr std::size_t kFindBytesSlack = 64;

// Bit i set where text[pos + i] equals `a` or `b`, for the 64 bytes from
// `pos` on, as far as the text goes (0 from its end on). For a byte that is
// seldom there, such as the line feed of long lines, taking the bits of one
// mask after another costs less than writing out their positions.
std::uint64_t MatchMask(std::string_view text, std::size_t pos, char a, char b);

// Writes to out[0], out[1], ... the position in `text` of each byte from
// `from` on that equals `a` or `b` (pass the same byte twice for one), in
// order. Stops at the end of the text or at the end of the first 64 bytes
// after which at least `most` positions are written, so it may find up to 63
// more; it may also write slots past the last it found: `out` needs room for
// most + kFindBytesSlack. Never reads outside the text.
// Positions must fit 32 bits.
FoundBytes FindBytes(std::string_view text, std::size_t from, char a, char b, std::uint32_t* out,
                     std::size_t most);
