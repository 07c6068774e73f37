#include "document/CTarnwickDoc.h"

#include <gtest/gtest.h>

#include <memory>

TEST(CTarnwickDoc, ANewDocumentHasItsStartingSettings)
{
    auto document = std::make_unique<CTarnwickDoc>();
    EXPECT_EQ(document->symbol, "YHOO");
    EXPECT_EQ(document->loadedSymbol, "");
    EXPECT_EQ(document->sourceName, "");
    EXPECT_EQ(document->monthSpan, -1);
    EXPECT_EQ(document->chartPage, 0);
    EXPECT_EQ(document->commandCount, 0);
    EXPECT_EQ(document->homePageShown, 0);
    EXPECT_EQ(document->favoritesBuiltBrowser, 0);
    EXPECT_EQ(document->favoritesBuiltChart, 0);
    EXPECT_EQ(document->store.barCount, 0);
    EXPECT_EQ(document->quoteDir, CTarnwickDoc::DefaultQuoteDir());
    EXPECT_TRUE(std::filesystem::exists(document->quoteDir / "table.csv"));
}
