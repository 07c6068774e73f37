#include "document/CTarnwickDoc.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

TEST(CTarnwickDoc, ANewDocumentHasItsStartingSettings)
{
    // The counters and flags that start at 0 are covered where they first change.
    auto document = std::make_unique<CTarnwickDoc>();
    EXPECT_EQ(document->symbol, "YHOO");
    EXPECT_EQ(document->monthSpan, -1);
    EXPECT_EQ(document->quoteDir, CTarnwickDoc::DefaultQuoteDir());
    EXPECT_TRUE(std::filesystem::exists(document->quoteDir / "IBM" / "table.csv"));
}

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
