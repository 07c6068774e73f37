#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <vector>

// Compresses bytes into a zlib stream whose only repeats are runs of one
// byte, in a single block of Huffman codes made for what it holds. A PNG
// row less the row above is mostly runs of zeros: this finds them sixteen
// bytes at a time, where zlib's general search looks at every byte, for a
// file a little larger than zlib's fastest level gives.
class RunDeflate {
public:
    // Makes room for `size` bytes to come at once: memory is only taken up
    // as they are added, and none is copied to a larger block on the way.
    void Reserve(std::size_t size);

    // Adds `size` bytes to what is compressed. Runs do not reach across calls.
    void Add(const unsigned char* bytes, std::size_t size);

    // The whole zlib stream of everything added.
    QByteArray Finish() const;

private:
    void AddLiteral(unsigned char byte);
    void AddRun(unsigned char byte, std::size_t count);

    // A byte as itself, a repeat of the byte before as 256 plus its length.
    std::vector<std::uint16_t> symbols_;
    std::uint64_t adlerLow_ = 1;
    std::uint64_t adlerHigh_ = 0;
};
