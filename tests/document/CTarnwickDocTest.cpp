#include "document/CTarnwickDoc.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(CTarnwickDoc, TheDefaultQuoteFolderIsTheSampleInstalledBesideTheProgram)
{
    const TempFolder prefix;
    const std::filesystem::path program = prefix.path() / "bin" / "tarnwick";
    const std::filesystem::path installed = prefix.path() / "share" / "tarnwick" / "sample";
    std::filesystem::create_directories(program.parent_path());
    std::filesystem::create_directories(installed);
    EXPECT_EQ(CTarnwickDoc::DefaultQuoteDir(program), installed);

    // Run from a build tree, or with the installed sample gone: the sample of the source tree.
    EXPECT_EQ(CTarnwickDoc::DefaultQuoteDir(prefix.path() / "build" / "src" / "app" / "tarnwick"), TARNWICK_SAMPLE_DIR);
    std::filesystem::remove(installed);
    EXPECT_EQ(CTarnwickDoc::DefaultQuoteDir(program), TARNWICK_SAMPLE_DIR);
    EXPECT_EQ(CTarnwickDoc::DefaultQuoteDir({}), TARNWICK_SAMPLE_DIR);
}
