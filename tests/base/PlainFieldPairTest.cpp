#include "base/PlainFieldPair.h"

#include "base/Text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The field's bytes behind eight bytes of `front`, which the pair reads
// too, whatever they hold.
struct Placed {
    std::string bytes;
    std::size_t size;

    Placed(const std::string& front, const std::string& field) : bytes(front.substr(0, 8) + field), size(field.size()) {}
    const char* end() const { return bytes.data() + bytes.size(); }
    std::string_view field() const { return std::string_view(bytes).substr(8); }
};

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The pair reads both fields as ReadPlainField reads each, or refuses
// unless both are plain; either field in either half.
::testing::AssertionResult PairReadsAsReadPlainField(const Placed& a, const Placed& b)
{
    const LeadingNumber alone[2] = {ReadPlainField(a.field()), ReadPlainField(b.field())};
    double numbers[2] = {-1, -1};
    const bool read = ReadPlainFieldPair(a.end(), a.size, b.end(), b.size, numbers);
    if (read != (alone[0].length > 0 && alone[1].length > 0))
        return ::testing::AssertionFailure() << "read " << read << " for \"" << a.field() << "\", \"" << b.field()
                                             << "\"";
    if (read && !(SameBits(numbers[0], alone[0].value) && SameBits(numbers[1], alone[1].value)))
        return ::testing::AssertionFailure() << "\"" << a.field() << "\" gave " << numbers[0] << ", \"" << b.field()
                                             << "\" gave " << numbers[1];
    return ::testing::AssertionSuccess();
}

// Fields of 1 to 8 bytes: every count of digits with no point and with a
// point at every place.
std::vector<std::string> PlainShapes()
{
    const std::string digits = "9876543210987";
    std::vector<std::string> fields;
    for (std::size_t size = 1; size <= 8; ++size) {
        fields.push_back(digits.substr(size % 4, size));
        for (std::size_t point = 0; point < size; ++point) {
            std::string field = digits.substr(size % 3, size);
            field[point] = '.';
            fields.push_back(field);
        }
    }
    return fields;
}

}  // namespace

TEST(ReadPlainFieldPair, EveryPlainShapeReadsAsReadPlainFieldInEitherHalfWhateverLiesInFront)
{
    const std::vector<std::string> shapes = PlainShapes();
    // In front: digits that must not join the number, points that must not
    // count as its point, separators, high bytes.
    for (const std::string front : {"12345678", "........", ",,,,,,,,", "\xFF\xFE\xFA\x80\xFF\xFE\xFA\x80"}) {
        for (const std::string& first : shapes)
            for (const std::string& second : shapes)
                ASSERT_TRUE(PairReadsAsReadPlainField(Placed(front, first), Placed("00000000", second)));
    }
}

TEST(ReadPlainFieldPair, AnyByteButADigitOrOnePointAnywhereRefusesThePair)
{
    // Every byte at every place of fields of every length, paired with a
    // plain field in the other half: a sign, a blank, a second point, bytes
    // whose arithmetic borrows or carries, NUL.
    const Placed plain("99999999", "123.45");
    for (std::size_t size = 1; size <= 8; ++size) {
        for (std::size_t at = 0; at < size; ++at) {
            for (int byte = 0; byte < 256; ++byte) {
                std::string field = std::string("31415.92").substr(0, size);
                field[at] = static_cast<char>(byte);
                const Placed changed("55555555", field);
                ASSERT_TRUE(PairReadsAsReadPlainField(changed, plain)) << "byte " << byte << " at " << at;
                ASSERT_TRUE(PairReadsAsReadPlainField(plain, changed)) << "byte " << byte << " at " << at;
            }
        }
    }
}

TEST(ReadPlainFieldPair, NumbersRoundAsOneDivisionOfTheDigitsDoes)
{
    // Fractions a double cannot hold exactly, at every count of decimals.
    const char* const fields[] = {"0.1", "0.3", "2.675", "1.005", "9999.999", ".0000001", "1234567.", "99999999"};
    for (const char* a : fields)
        for (const char* b : fields)
            EXPECT_TRUE(PairReadsAsReadPlainField(Placed("00000000", a), Placed("........", b)));
    const Placed price("00000000", "2.675");
    const Placed volume("00000000", "99999999");
    double numbers[2];
    ASSERT_TRUE(ReadPlainFieldPair(price.end(), price.size, volume.end(), volume.size, numbers));
    EXPECT_EQ(numbers[0], 2.675);
    EXPECT_EQ(numbers[1], 99999999.0);
}
