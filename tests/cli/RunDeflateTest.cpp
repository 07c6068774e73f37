#include "cli/RunDeflate.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// What zlib's own reader makes of the stream, which it checks against the
// stream's checksum; nothing when it refuses the stream.
std::optional<Bytes> Inflated(const QByteArray& stream, std::size_t size)
{
    Bytes out(size + 1);
    uLongf length = out.size();
    if (uncompress(out.data(), &length, reinterpret_cast<const Bytef*>(stream.constData()),
                   static_cast<uLong>(stream.size())) != Z_OK)
        return std::nullopt;
    out.resize(length);
    return out;
}

// A PNG row's filter byte, then `length` bytes of `value`.
Bytes Row(unsigned char value, std::size_t length)
{
    Bytes row(1 + length, value);
    row[0] = 2;
    return row;
}

QByteArray Deflated(const std::vector<Bytes>& pieces)
{
    RunDeflate deflate;
    for (const Bytes& piece : pieces)
        deflate.Add(piece.data(), piece.size());
    return deflate.Finish();
}

void ExpectRoundTrip(const std::vector<Bytes>& pieces, const std::string& what)
{
    Bytes all;
    for (const Bytes& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    const std::optional<Bytes> back = Inflated(Deflated(pieces), all.size());
    ASSERT_TRUE(back) << what;
    EXPECT_TRUE(*back == all) << what;
}

}  // namespace

TEST(RunDeflate, RunsOfEveryLengthComeBack)
{
    // Around each length deflate can say in one repeat, and runs split into
    // several, with and without a short remainder.
    for (const unsigned char value : {0, 7, 255}) {
        std::vector<Bytes> pieces;
        for (std::size_t length = 1; length <= 1040; ++length)
            pieces.push_back(Row(value, length));
        for (const Bytes& piece : pieces)
            ExpectRoundTrip({piece}, std::to_string(piece.size() - 1) + " of " + std::to_string(value));
        ExpectRoundTrip(pieces, "all lengths of " + std::to_string(value));
    }
}

TEST(RunDeflate, EmptyOneByteAndNoiseComeBack)
{
    ExpectRoundTrip({}, "nothing");
    ExpectRoundTrip({Bytes{}}, "an empty piece");
    ExpectRoundTrip({Bytes{0}}, "one zero");
    ExpectRoundTrip({Bytes{9}, Bytes{9}, Bytes{9, 9, 9}}, "runs cut by pieces");
    std::mt19937 random(5);
    Bytes noise(300000);
    for (unsigned char& byte : noise)
        byte = static_cast<unsigned char>(random());
    // Longer than the pieces the checksum is summed in, with runs between.
    Bytes mixed = noise;
    mixed.insert(mixed.begin() + 70000, 140000, 0);
    ExpectRoundTrip({noise}, "noise");
    ExpectRoundTrip({mixed, noise}, "noise and a long run");
}

TEST(RunDeflate, SkewedCountsKeepCodesWithinFifteenBits)
{
    // Byte i seen about 1.6^i times: the best code for these would need
    // codes longer than deflate allows.
    Bytes skewed;
    double count = 1;
    for (int byte = 1; byte < 30; ++byte, count *= 1.6)
        for (int i = 0; i < static_cast<int>(count); ++i)
            skewed.push_back(static_cast<unsigned char>(byte % 2 == 0 ? byte : 255 - byte));
    std::shuffle(skewed.begin(), skewed.end(), std::mt19937(3));
    ExpectRoundTrip({skewed}, "skewed");
}

TEST(RunDeflate, ZerosShrinkToAFewBytesARow)
{
    const std::vector<Bytes> rows(1000, Row(0, 3456));
    EXPECT_LT(Deflated(rows).size(), 1000 * 40);
}
