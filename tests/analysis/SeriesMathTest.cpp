#include "analysis/SeriesMath.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

// Two entries at a time give what one at a time gives, bit for bit: zero
// denominators, signed zeros, infinities and NaNs of either sign included;
// an odd count ends with one entry alone, and nothing past the count changes.
TEST(MapPairs, GiveTheBitsOfSingleEntriesForEveryCount)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> numerators{1, -0.0, 3, -kNaN, 0.0, -2, kInf, 5, 7, -kInf};
    const std::vector<double> denominators{0, 2, -0.0, 4, -3, kNaN, 0.5, -kInf, 0.0, 3};
    constexpr double kUnwritten = 99;
    const auto expectSameBits = [&](auto op) {
        for (int count = 0; count <= static_cast<int>(numerators.size()); ++count) {
            SCOPED_TRACE(count);
            std::vector<double> out(numerators.size(), kUnwritten);
            MapPairs(out.data(), count, op, numerators.data(), denominators.data());
            for (std::size_t i = 0; i < out.size(); ++i) {
                const double expected =
                    static_cast<int>(i) < count ? op(numerators[i], denominators[i]) : kUnwritten;
                EXPECT_EQ(std::bit_cast<std::uint64_t>(out[i]), std::bit_cast<std::uint64_t>(expected)) << i;
            }
        }
    };
    expectSameBits([](auto numerator, auto denominator) { return Ratio(Abs(numerator), denominator); });
    expectSameBits([](auto numerator, auto) { return SquareRoot(Abs(numerator)); });
    // Quotients that are not finite replaced the way the modules do.
    expectSameBits([](auto numerator, auto denominator) {
        using T = decltype(numerator);
        const T quotient = numerator / denominator;
        return Abs(quotient) <= std::numeric_limits<double>::max() ? quotient : Both<T>(-0.0);
    });
}
