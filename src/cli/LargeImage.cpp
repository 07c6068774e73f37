#include "cli/LargeImage.h"

#include <sys/mman.h>

#include <cstddef>
#include <limits>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kBytesPerPixel = 4;

struct Mapping {
    void* start;
    std::size_t bytes;
};

void Unmap(void* info)
{
    const auto* mapping = static_cast<Mapping*>(info);
    munmap(mapping->start, mapping->bytes);
    delete mapping;
}

}  // namespace

QImage LargeRgbImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const auto bytesPerLine = static_cast<std::size_t>(width) * kBytesPerPixel;
    constexpr auto kMostBytes = static_cast<std::size_t>(std::numeric_limits<qsizetype>::max()) - kHugePage;
    if (static_cast<std::size_t>(height) > kMostBytes / bytesPerLine)
        return {};
    const std::size_t bytes = (bytesPerLine * static_cast<std::size_t>(height) + kHugePage - 1) / kHugePage * kHugePage;
    void* pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pixels == MAP_FAILED)
        return {};
    // Only advice: without huge pages the image works the same, more slowly.
    madvise(pixels, bytes, MADV_HUGEPAGE);
    auto* mapping = new Mapping{pixels, bytes};
    QImage image(static_cast<uchar*>(pixels), width, height, static_cast<qsizetype>(bytesPerLine),
                 QImage::Format_RGB32, Unmap, mapping);
    if (image.isNull())
        Unmap(mapping);
    return image;
}
