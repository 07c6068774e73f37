#include "cli/PngEncoder.h"

#include "base/Errors.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::array<char, 8> kSignature = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
constexpr char kBitDepth = 8;
constexpr char kColourTypeRgb = 2;
constexpr int kUnitMetre = 1;
constexpr unsigned char kFilterUp = 2;
// Compressed bytes each IDAT chunk carries.
constexpr std::size_t kChunkData = 64 * 1024;

void PutU32(QByteArray& out, std::uint32_t value)
{
    const std::array<char, 4> bytes = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                                       static_cast<char>(value >> 8), static_cast<char>(value)};
    out.append(bytes.data(), bytes.size());
}

// Length, type, data and the CRC of type and data.
void PutChunk(QByteArray& out, const char (&type)[5], const char* data, std::size_t size)
{
    PutU32(out, static_cast<std::uint32_t>(size));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data, static_cast<qsizetype>(size));
    const auto* typed = reinterpret_cast<const Bytef*>(out.constData() + start);
    PutU32(out, static_cast<std::uint32_t>(crc32_z(0, typed, static_cast<std::size_t>(out.size() - start))));
}

void PutChunk(QByteArray& out, const char (&type)[5], const QByteArray& data)
{
    PutChunk(out, type, data.constData(), static_cast<std::size_t>(data.size()));
}

QByteArray U32s(std::initializer_list<std::uint32_t> values)
{
    QByteArray bytes;
    for (const std::uint32_t value : values)
        PutU32(bytes, value);
    return bytes;
}

// Compresses the rows it is given into IDAT chunks of `out`, each full
// chunk as soon as it is made.
class ImageData {
public:
    explicit ImageData(QByteArray& out) : out_(out), buffer_(kChunkData)
    {
        if (deflateInit(&stream_, Z_BEST_SPEED) != Z_OK)
            throw TarnwickError("the PNG encoder could not start its compression");
        Restart();
    }
    ~ImageData() { deflateEnd(&stream_); }
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    void Write(unsigned char* bytes, std::size_t size)
    {
        stream_.next_in = bytes;
        stream_.avail_in = static_cast<uInt>(size);
        Run(Z_NO_FLUSH);
    }

    void Finish()
    {
        stream_.avail_in = 0;
        Run(Z_FINISH);
        if (stream_.avail_out < buffer_.size())
            PutChunk(out_, "IDAT", reinterpret_cast<const char*>(buffer_.data()), buffer_.size() - stream_.avail_out);
    }

private:
    void Restart()
    {
        stream_.next_out = buffer_.data();
        stream_.avail_out = static_cast<uInt>(buffer_.size());
    }

    // zlib takes all the input it was given (and with Z_FINISH writes the
    // end) unless it runs out of room, which a full chunk makes again.
    void Run(int flush)
    {
        for (;;) {
            const int result = deflate(&stream_, flush);
            if (result == Z_STREAM_ERROR || (result == Z_BUF_ERROR && stream_.avail_out > 0))
                throw TarnwickError("the PNG encoder's compression failed");
            if (stream_.avail_out > 0 && (flush != Z_FINISH || result == Z_STREAM_END))
                return;
            if (stream_.avail_out == 0) {
                PutChunk(out_, "IDAT", reinterpret_cast<const char*>(buffer_.data()), buffer_.size());
                Restart();
            }
        }
    }

    QByteArray& out_;
    std::vector<Bytef> buffer_;
    z_stream stream_{};
};

// The red, green and blue bytes of each pixel of `line` less those of the
// pixel above, modulo 256, into 3 * width bytes of `out` and one beyond.
void PutUpDifferences(const QRgb* line, const QRgb* above, std::size_t width, unsigned char* out)
{
    for (std::size_t x = 0; x < width; ++x) {
        // A byte-wise subtraction of the two words, no borrow crossing bytes.
        const std::uint32_t high = 0x80808080U;
        const std::uint32_t difference = ((line[x] | high) - (above[x] & ~high)) ^ ((line[x] ^ ~above[x]) & high);
        // 0xAARRGGBB as the bytes R, G, B and one more, which the next pixel overwrites.
        const std::uint32_t rgb = __builtin_bswap32(difference) >> 8;
        std::memcpy(out + 3 * x, &rgb, sizeof rgb);
    }
}

}  // namespace

QByteArray EncodePng(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::size_t>(rgb.width());
    const int height = rgb.height();

    QByteArray out(kSignature.data(), kSignature.size());
    QByteArray header = U32s({static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});
    // Then compression, filter and interlace methods, all 0.
    const char layout[] = {kBitDepth, kColourTypeRgb, 0, 0, 0};
    header.append(layout, sizeof layout);
    PutChunk(out, "IHDR", header);
    QByteArray physical = U32s({static_cast<std::uint32_t>(rgb.dotsPerMeterX()),
                                static_cast<std::uint32_t>(rgb.dotsPerMeterY())});
    physical.append(static_cast<char>(kUnitMetre));
    PutChunk(out, "pHYs", physical);

    ImageData data(out);
    // One byte more than a row needs: each pixel's three bytes are stored as four.
    std::vector<unsigned char> row(1 + 3 * width + 1);
    row[0] = kFilterUp;
    const std::vector<QRgb> blank(width, 0);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        const auto* above = y > 0 ? reinterpret_cast<const QRgb*>(rgb.constScanLine(y - 1)) : blank.data();
        // Each byte less the one above it: a row like the one above is all
        // zeros, and on a chart page most are.
        if (std::equal(line, line + width, above))
            std::fill(row.begin() + 1, row.end(), 0);
        else
            PutUpDifferences(line, above, width, row.data() + 1);
        data.Write(row.data(), row.size() - 1);
    }
    data.Finish();
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}
