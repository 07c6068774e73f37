#include "cli/RunDeflate.h"

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <queue>
#include <utility>

namespace {

constexpr int kEndOfBlock = 256;
constexpr int kLiteralLengthCodes = 286;
constexpr int kLongestCode = 15;
constexpr int kLongestLengthCode = 7;
constexpr std::size_t kShortestRun = 3;
constexpr std::size_t kLongestRun = 258;
constexpr std::uint64_t kAdlerModulus = 65521;
// Bytes taken at a time, so that the checksum's sums cannot overflow.
constexpr std::size_t kSlice = 64 * 1024;

// The lengths each length code starts at, and its count of extra bits.
constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// The order the code lengths of the code-length code are written in.
constexpr std::array<int, 19> kCodeLengthOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The index into kLengthBase of the code for a run of each length.
constexpr std::array<std::uint8_t, kLongestRun + 1> kLengthIndex = [] {
    std::array<std::uint8_t, kLongestRun + 1> indices{};
    std::size_t index = 0;
    for (std::size_t length = kShortestRun; length <= kLongestRun; ++length) {
        while (index + 1 < kLengthBase.size() && static_cast<std::size_t>(kLengthBase[index + 1]) <= length)
            ++index;
        indices[length] = static_cast<std::uint8_t>(index);
    }
    return indices;
}();

// How many bytes from bytes[from] on equal it, sixteen compared at a time.
std::size_t RunFrom(const unsigned char* bytes, std::size_t size, std::size_t from)
{
    const unsigned char value = bytes[from];
    std::size_t end = from + 1;
    if (end == size || bytes[end] != value)
        return 1;
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
    for (; end + 16 <= size; end += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + end));
        const auto equal = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
        if (equal != 0xFFFF)
            return end + static_cast<std::size_t>(std::countr_one(equal)) - from;
    }
    while (end < size && bytes[end] == value)
        ++end;
    return end - from;
}

// Huffman code lengths of at most `longest` bits for symbols seen `counts`
// times (0: not in the code). Where the best code would be longer, the
// counts are halved until it is not.
template <std::size_t N>
std::array<int, N> CodeLengths(std::array<std::uint64_t, N> counts, int longest)
{
    for (;;) {
        // Nodes 0..N-1 are the symbols; the merged ones follow, each with its parent.
        std::vector<int> parent(2 * N, -1);
        using Weighted = std::pair<std::uint64_t, int>;
        std::priority_queue<Weighted, std::vector<Weighted>, std::greater<>> queue;
        for (std::size_t symbol = 0; symbol < N; ++symbol)
            if (counts[symbol] > 0)
                queue.push({counts[symbol], static_cast<int>(symbol)});
        std::array<int, N> lengths{};
        if (queue.size() == 1) {
            lengths[static_cast<std::size_t>(queue.top().second)] = 1;
            return lengths;
        }
        int next = static_cast<int>(N);
        while (queue.size() > 1) {
            const Weighted first = queue.top();
            queue.pop();
            const Weighted second = queue.top();
            queue.pop();
            parent[static_cast<std::size_t>(first.second)] = next;
            parent[static_cast<std::size_t>(second.second)] = next;
            queue.push({first.first + second.first, next++});
        }
        int deepest = 0;
        for (std::size_t symbol = 0; symbol < N; ++symbol) {
            if (counts[symbol] == 0)
                continue;
            int depth = 0;
            for (int node = static_cast<int>(symbol); parent[static_cast<std::size_t>(node)] >= 0;
                 node = parent[static_cast<std::size_t>(node)])
                ++depth;
            lengths[symbol] = depth;
            deepest = std::max(deepest, depth);
        }
        if (deepest <= longest)
            return lengths;
        for (std::uint64_t& count : counts)
            count = count == 0 ? 0 : (count + 1) / 2;
    }
}

// The canonical code of each symbol of `lengths`, its bits reversed: deflate
// sends a code's first bit first into the low end of each byte.
template <std::size_t N>
std::array<std::uint32_t, N> CodesOf(const std::array<int, N>& lengths)
{
    std::array<std::uint32_t, kLongestCode + 2> firstOfLength{};
    std::array<int, kLongestCode + 1> ofLength{};
    for (const int length : lengths)
        ++ofLength[static_cast<std::size_t>(length)];
    ofLength[0] = 0;
    for (std::size_t length = 1; length <= kLongestCode; ++length)
        firstOfLength[length + 1] = (firstOfLength[length] + static_cast<std::uint32_t>(ofLength[length])) << 1;
    std::array<std::uint32_t, N> codes{};
    for (std::size_t symbol = 0; symbol < N; ++symbol) {
        const int length = lengths[symbol];
        if (length == 0)
            continue;
        std::uint32_t code = firstOfLength[static_cast<std::size_t>(length)]++;
        std::uint32_t reversed = 0;
        for (int bit = 0; bit < length; ++bit, code >>= 1)
            reversed = reversed << 1 | (code & 1);
        codes[symbol] = reversed;
    }
    return codes;
}

// Writes bits, lowest first, into a buffer sized beforehand for all of them.
class BitWriter {
public:
    explicit BitWriter(char* out) : out_(out) {}

    // At most 32 bits at a time.
    void Put(std::uint32_t value, int bits)
    {
        held_ |= static_cast<std::uint64_t>(value) << count_;
        count_ += bits;
        if (count_ >= 32) {
            const auto low = static_cast<std::uint32_t>(held_);
            std::memcpy(out_, &low, sizeof low);
            out_ += sizeof low;
            held_ >>= 32;
            count_ -= 32;
        }
    }

    // Writes out what is held, the last byte filled with zero bits, and
    // returns the end of what was written.
    char* Flush()
    {
        for (; count_ > 0; count_ -= 8, held_ >>= 8)
            *out_++ = static_cast<char>(held_);
        count_ = 0;
        return out_;
    }

private:
    char* out_;
    std::uint64_t held_ = 0;
    int count_ = 0;
};

// A symbol's whole code, with a repeat's extra bits and distance: at most
// 15 + 5 + 1 bits.
struct SymbolCode {
    std::uint32_t bits = 0;
    int length = 0;
};

}  // namespace

void RunDeflate::Add(const unsigned char* bytes, std::size_t size)
{
    for (std::size_t start = 0; start < size; start += kSlice) {
        const std::size_t end = std::min(size, start + kSlice);
        for (std::size_t at = start; at < end;) {
            const std::size_t run = RunFrom(bytes, end, at);
            if (run > kShortestRun) {
                AddLiteral(bytes[at]);
                AddRun(bytes[at], run - 1);
            } else {
                for (std::size_t i = 0; i < run; ++i)
                    AddLiteral(bytes[at]);
            }
            at += run;
        }
        adlerLow_ %= kAdlerModulus;
        adlerHigh_ %= kAdlerModulus;
    }
}

void RunDeflate::Reserve(std::size_t size)
{
    // A byte adds at most one symbol.
    symbols_.reserve(size);
}

void RunDeflate::AddLiteral(unsigned char byte)
{
    symbols_.push_back(byte);
    adlerLow_ += byte;
    adlerHigh_ += adlerLow_;
}

// Repeats of the byte before, at least three, in pieces deflate can say.
void RunDeflate::AddRun(unsigned char byte, std::size_t count)
{
    adlerHigh_ += count * adlerLow_ + byte * (count * (count + 1) / 2);
    adlerLow_ += count * byte;
    while (count > 0) {
        std::size_t piece = std::min(count, kLongestRun);
        // Never leave a remainder too short to be a repeat.
        if (count - piece > 0 && count - piece < kShortestRun)
            piece = count - kShortestRun;
        symbols_.push_back(static_cast<std::uint16_t>(kEndOfBlock + piece));
        count -= piece;
    }
}

QByteArray RunDeflate::Finish() const
{
    std::array<std::uint64_t, kLiteralLengthCodes> counts{};
    for (const std::uint16_t symbol : symbols_)
        ++counts[symbol < kEndOfBlock ? symbol : kEndOfBlock + 1 + kLengthIndex[symbol - kEndOfBlock]];
    counts[kEndOfBlock] = 1;
    const std::array<int, kLiteralLengthCodes> lengths = CodeLengths(counts, kLongestCode);
    const std::array<std::uint32_t, kLiteralLengthCodes> codes = CodesOf(lengths);

    // Every repeat is of the byte just before: the distance code has one
    // symbol, distance 1, of one bit, which deflate allows.
    constexpr int kDistanceLength = 1;
    std::array<std::uint64_t, 19> lengthCounts{};
    for (const int length : lengths)
        ++lengthCounts[static_cast<std::size_t>(length)];
    ++lengthCounts[kDistanceLength];
    const std::array<int, 19> lengthLengths = CodeLengths(lengthCounts, kLongestLengthCode);
    const std::array<std::uint32_t, 19> lengthCodes = CodesOf(lengthLengths);

    // Each symbol as stored, to its code.
    std::array<SymbolCode, kEndOfBlock + kLongestRun + 1> symbolCodes{};
    for (std::size_t byte = 0; byte < kEndOfBlock; ++byte)
        symbolCodes[byte] = {codes[byte], lengths[byte]};
    for (std::size_t run = kShortestRun; run <= kLongestRun; ++run) {
        const std::size_t index = kLengthIndex[run];
        const std::size_t code = kEndOfBlock + 1 + index;
        const int extraBits = kLengthExtraBits[index];
        const auto extra = static_cast<std::uint32_t>(run) - static_cast<std::uint32_t>(kLengthBase[index]);
        // The distance code's one bit is 0.
        symbolCodes[kEndOfBlock + run] = {codes[code] | extra << lengths[code],
                                          lengths[code] + extraBits + kDistanceLength};
    }

    // zlib's header, the block's, its codes, its symbols and the checksum.
    const std::size_t most = 2 + 3 + 14 + 19 * 3 + (kLiteralLengthCodes + 1) * kLongestLengthCode +
                             (symbols_.size() + 1) * (kLongestCode + 5 + kDistanceLength);
    QByteArray out(static_cast<qsizetype>(most / 8 + 16), Qt::Uninitialized);
    // Deflate with a 32 KB window, the fastest level, no dictionary.
    out[0] = '\x78';
    out[1] = '\x01';
    BitWriter bits(out.data() + 2);
    bits.Put(1, 1);  // the last block
    bits.Put(2, 2);  // with codes of its own
    bits.Put(kLiteralLengthCodes - 257, 5);
    bits.Put(0, 5);  // one distance code
    bits.Put(kCodeLengthOrder.size() - 4, 4);
    for (const int symbol : kCodeLengthOrder)
        bits.Put(static_cast<std::uint32_t>(lengthLengths[static_cast<std::size_t>(symbol)]), 3);
    const auto putLength = [&](int length) {
        const auto at = static_cast<std::size_t>(length);
        bits.Put(lengthCodes[at], lengthLengths[at]);
    };
    for (const int length : lengths)
        putLength(length);
    putLength(kDistanceLength);

    for (const std::uint16_t symbol : symbols_)
        bits.Put(symbolCodes[symbol].bits, symbolCodes[symbol].length);
    bits.Put(codes[kEndOfBlock], lengths[kEndOfBlock]);
    char* end = bits.Flush();

    const auto adler = static_cast<std::uint32_t>((adlerHigh_ % kAdlerModulus) << 16 | (adlerLow_ % kAdlerModulus));
    for (int shift = 24; shift >= 0; shift -= 8)
        *end++ = static_cast<char>(adler >> shift);
    out.truncate(end - out.constData());
    return out;
}
