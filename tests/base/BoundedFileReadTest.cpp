#include "base/BoundedFileRead.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// What reading in blocks of 4096 bytes gives: whole blocks until the total
// reaches the limit, or the file ends, never more than the capacity.
std::size_t BlockReadSize(std::size_t fileSize, std::size_t limit, std::size_t capacity)
{
    const std::size_t blocks = (limit + 4095) / 4096;
    return std::min({fileSize, blocks * 4096, capacity});
}

}  // namespace

TEST(ReadFileBounded, ReadsWhatBlockByBlockReadingWouldAtEverySizeAroundTheLimits)
{
    const TempFolder folder;
    constexpr std::size_t kLimit = 10001;  // 3 blocks of 4096 reach it
    for (const std::size_t size : {0UL, 1UL, 4095UL, 4096UL, 4097UL, 10000UL, 10001UL, 12287UL, 12288UL, 12289UL,
                                   50000UL}) {
        for (const std::size_t capacity : {100UL, 8192UL, 12288UL, 60000UL}) {
            std::string content(size, 'x');
            for (std::size_t i = 0; i < size; ++i)
                content[i] = static_cast<char>('a' + i % 26);
            folder.Write("file.csv", content);
            std::vector<char> buffer(capacity + 1, '#');
            const std::size_t read =
                ReadFileBounded(folder.path() / "file.csv", "test file", buffer.data(), capacity, kLimit);
            SCOPED_TRACE("size " + std::to_string(size) + ", capacity " + std::to_string(capacity));
            ASSERT_EQ(read, BlockReadSize(size, kLimit, capacity));
            EXPECT_EQ(std::string(buffer.data(), read), content.substr(0, read));
            EXPECT_EQ(buffer[capacity], '#');  // nothing written past the capacity
        }
    }
}

TEST(ReadFileBounded, AFileThatShowsNoSizeIsStillReadToItsEnd)
{
    // Files under /proc are regular files of size 0 that hold text.
    std::vector<char> buffer(65536);
    const std::size_t read = ReadFileBounded("/proc/self/status", "status file", buffer.data(), buffer.size(), 60000);
    EXPECT_GT(read, 0U);
    EXPECT_NE(std::string(buffer.data(), read).find("Name:"), std::string::npos);
}
