#include "base/Errors.h"
#include "base/WholeFileWrite.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace {

// The names in `folder`, to see that nothing was left behind.
std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(WholeFileWrite, ReplacesTheFileBehindALinkAndKeepsItsPermissions)
{
    const TempFolder folder;
    folder.Write("chart.png", "old");
    fs::permissions(folder.path() / "chart.png", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(folder.path() / "chart.png", folder.path() / "latest.png");

    WriteWholeFile(folder.path() / "latest.png", "new content", "page file");
    EXPECT_EQ(ReadFile(folder.path() / "chart.png"), "new content");
    EXPECT_TRUE(fs::is_symlink(folder.path() / "latest.png"));
    EXPECT_EQ(fs::status(folder.path() / "chart.png").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    WriteWholeFile(folder.path() / "new.png", "", "page file");
    EXPECT_EQ(ReadFile(folder.path() / "new.png"), "");
    EXPECT_THAT(Names(folder.path()), testing::ElementsAre("chart.png", "latest.png", "new.png"));
}

TEST(WholeFileWrite, AFailedWriteLeavesTheOldFileAndSaysWhy)
{
    const TempFolder folder;
    const fs::path file = folder.path() / "chart.png";
    folder.Write("chart.png", "the good chart");
    {
        // The write fails midway, as on a full disk.
        const FileSizeLimit limit(4096);
        EXPECT_EQ(ThrownMessage<FileError>([&] { WriteWholeFile(file, std::string(100000, 'x'), "page file"); }),
                  "Cannot write the page file \"" + file.string() +
                      "\": the file would be larger than this disk or the file size limit allows.");
    }
    EXPECT_EQ(ReadFile(file), "the good chart");
    EXPECT_THAT(Names(folder.path()), testing::ElementsAre("chart.png"));

    EXPECT_THAT(ThrownMessage<FileError>([&] { WriteWholeFile(folder.path(), "x", "page file"); }),
                testing::HasSubstr("\": it is a folder; name a file."));
    EXPECT_THAT(ThrownMessage<FileError>([&] { WriteWholeFile(folder.path() / "no" / "x.png", "x", "page file"); }),
                testing::HasSubstr("x.png\": No such file or directory."));
}

TEST(WholeFileWrite, ADeviceIsWrittenInPlaceAndAFullOneIsCalledAFullDisk)
{
    const TempFolder folder;
    // The null and the full device, as nodes of this folder: a writer that
    // replaced them would replace only these.
    const fs::path null = folder.path() / "null";
    const fs::path full = folder.path() / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here";

    WriteWholeFile(null, "into nothing", "page file");
    EXPECT_EQ(ThrownMessage<FileError>([&] { WriteWholeFile(full, "chart", "page file"); }),
              "Cannot write the page file \"" + full.string() +
                  "\": the disk is full; free some space on it or write the file elsewhere.");
    EXPECT_TRUE(fs::is_character_file(null));
    EXPECT_TRUE(fs::is_character_file(full));
    EXPECT_THAT(Names(folder.path()), testing::ElementsAre("full", "null"));
}
