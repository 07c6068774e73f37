#include "cli/PngEncoder.h"

#include "cli/RunDeflate.h"

#include <emmintrin.h>
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
constexpr qsizetype kChunkData = 64 * 1024;

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

// The red, green and blue bytes of `pixel` less those of `above`, modulo
// 256, into out[0..2]; out[3] is overwritten too.
void PutDifference(QRgb pixel, QRgb above, unsigned char* out)
{
    // A byte-wise subtraction of the two words, no borrow crossing bytes.
    const std::uint32_t high = 0x80808080U;
    const std::uint32_t difference = ((pixel | high) - (above & ~high)) ^ ((pixel ^ ~above) & high);
    // 0xAARRGGBB as the bytes R, G, B and one more.
    const std::uint32_t rgb = __builtin_bswap32(difference) >> 8;
    std::memcpy(out, &rgb, sizeof rgb);
}

// Each pixel of `line` less the one above, into 3 * width bytes of `out`
// and one beyond.
void PutUpDifferences(const QRgb* line, const QRgb* above, std::size_t width, unsigned char* out)
{
    std::size_t x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + x));
        const __m128i pixelsAbove = _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + x));
        // Four pixels as above, as on most of a chart row, are twelve zeros.
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(pixels, pixelsAbove)) == 0xFFFF) {
            std::memset(out + 3 * x, 0, 12);
            continue;
        }
        for (std::size_t i = x; i < x + 4; ++i)
            PutDifference(line[i], above[i], out + 3 * i);
    }
    for (; x < width; ++x)
        PutDifference(line[x], above[x], out + 3 * x);
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

    RunDeflate data;
    // One byte more than a row needs: each pixel's three bytes are stored as four.
    std::vector<unsigned char> row(1 + 3 * width + 1);
    data.Reserve(static_cast<std::size_t>(height) * (row.size() - 1));
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
        data.Add(row.data(), row.size() - 1);
    }
    const QByteArray compressed = data.Finish();
    // The chunks' data and, for each, its length, name and check.
    out.reserve(out.size() + compressed.size() + (compressed.size() / kChunkData + 2) * 12);
    for (qsizetype start = 0; start < compressed.size(); start += kChunkData)
        PutChunk(out, "IDAT", compressed.constData() + start,
                 static_cast<std::size_t>(std::min(kChunkData, compressed.size() - start)));
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}
