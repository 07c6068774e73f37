#include "base/ByteScan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

std::vector<std::uint32_t> Naive(std::string_view text, std::size_t from, char a, char b)
{
    std::vector<std::uint32_t> positions;
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] == a || text[i] == b)
            positions.push_back(static_cast<std::uint32_t>(i));
    return positions;
}

// Every position, found by calls of at most `most` each, as the line walker
// of the CSV reader makes them.
std::vector<std::uint32_t> InSteps(std::string_view text, std::size_t from, char a, char b, std::size_t most)
{
    std::vector<std::uint32_t> all;
    std::vector<std::uint32_t> out(most + kFindBytesSlack);
    for (std::size_t pos = from;;) {
        const FoundBytes found = FindBytes(text, pos, a, b, out.data(), most);
        all.insert(all.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(found.count));
        if (found.count == 0)
            return all;
        EXPECT_GT(found.end, pos);
        pos = found.end;
    }
}

}  // namespace

TEST(FindBytes, FindsEveryMatchOnEitherSideOfBlockEdgesAndNoneBeyondTheText)
{
    // Matches on the first and last byte of 16- and 64-byte blocks, texts
    // ending on and just off those edges, and NUL bytes looked for among
    // texts whose last block is filled up with NULs.
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
        for (std::size_t from : {std::size_t{0}, std::size_t{1}, std::size_t{17}}) {
            if (from > length)
                continue;
            SCOPED_TRACE("length " + std::to_string(length) + " from " + std::to_string(from));
            EXPECT_EQ(InSteps(exact.view(), from, ',', '\n', 1000), Naive(text, from, ',', '\n'));
            EXPECT_EQ(InSteps(exact.view(), from, '\0', '\0', 1000), Naive(text, from, '\0', '\0'));
            EXPECT_EQ(InSteps(exact.view(), from, '\n', '\n', 1), Naive(text, from, '\n', '\n'));
        }
    }
}

TEST(FindBytes, BlocksFullOfMatchesAndCallsThatStopEarlyLoseNoPosition)
{
    // More matches in 64 bytes than are written ahead of counting them.
    const std::string commas(300, ',');
    const ExactText exact(commas);
    EXPECT_EQ(InSteps(exact.view(), 0, ',', ',', 1000), Naive(commas, 0, ',', ','));
    EXPECT_EQ(InSteps(exact.view(), 5, ',', ',', 3), Naive(commas, 5, ',', ','));

    // A call stops at the end of the 64 bytes in which it reached `most`.
    std::vector<std::uint32_t> out(2 + kFindBytesSlack);
    const FoundBytes found = FindBytes(exact.view(), 5, ',', ',', out.data(), 2);
    EXPECT_EQ(found.count, 64u);
    EXPECT_EQ(found.end, 69u);
}
