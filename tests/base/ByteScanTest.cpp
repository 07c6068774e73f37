#include "base/ByteScan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The text in a heap block of exactly its size, so that a read past its end
// is a read past the block (which the sanitizer builds report).
class ExactText {
public:
    explicit ExactText(std::string_view text) : bytes_(new char[text.size() + 1] + 1), size_(text.size())
    {
        std::copy(text.begin(), text.end(), bytes_);
    }
    ~ExactText() { delete[] (bytes_ - 1); }
    ExactText(const ExactText&) = delete;
    ExactText& operator=(const ExactText&) = delete;
    std::string_view view() const { return {bytes_, size_}; }

private:
    char* bytes_;  // one byte into the block: no alignment to lean on
    std::size_t size_;
};

// Bit i set where text[pos + i] is one of `wanted`, as far as the text goes.
std::uint64_t Naive(std::string_view text, std::size_t pos, std::string_view wanted)
{
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < 64 && pos + i < text.size(); ++i)
        if (wanted.find(text[pos + i]) != std::string_view::npos)
            mask |= std::uint64_t{1} << i;
    return mask;
}

}  // namespace

TEST(MatchMask, FindsEveryMatchOnEitherSideOfBlockEdgesAndNoneBeyondTheText)
{
    // Matches on the first and last byte of 16- and 64-byte blocks, texts
    // ending on and just off those edges, and NUL bytes looked for where
    // the text's last bytes are filled up with NULs to a whole chunk.
    for (std::size_t length = 0; length <= 200; ++length) {
        std::string text(length, 'x');
        for (std::size_t i = 0; i < length; ++i) {
            if (i % 16 == 0 || i % 16 == 15 || i % 64 == 63 || i % 7 == 3)
                text[i] = ',';
            if (i % 11 == 5)
                text[i] = '\n';
            if (i % 13 == 9)
                text[i] = '\0';
        }
        const ExactText exact(text);
        for (std::size_t pos = 0; pos <= length + 1; ++pos) {
            SCOPED_TRACE("length " + std::to_string(length) + " from " + std::to_string(pos));
            EXPECT_EQ(MatchMask(exact.view(), pos, ',', '\n'), Naive(text, pos, ",\n"));
            EXPECT_EQ(MatchMask(exact.view(), pos, '\0', '\0'), Naive(text, pos, std::string_view("\0", 1)));
            const ByteMasks apart = MatchMasks(exact.view(), pos, '\0', '\n');
            EXPECT_EQ(apart.a, Naive(text, pos, std::string_view("\0", 1)));
            EXPECT_EQ(apart.b, Naive(text, pos, "\n"));
        }
    }
}

TEST(MatchMask, AChunkFullOfMatchesSetsEveryBit)
{
    const ExactText commas(std::string(300, ','));
    EXPECT_EQ(MatchMask(commas.view(), 5, ',', ','), ~std::uint64_t{0});
    EXPECT_EQ(MatchMasks(commas.view(), 236, ',', '\n').a, ~std::uint64_t{0});
    EXPECT_EQ(MatchMasks(commas.view(), 237, ',', '\n').a, ~std::uint64_t{0} >> 1);
    EXPECT_EQ(MatchMasks(commas.view(), 237, ',', '\n').b, 0u);
}
