#include "document/CTarnwickDoc.h"
#include "document/CommandRules.h"
#include "document/CommandTable.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// What the count of a new document is after `command` ran to its end: its
// preparation when it reads the symbol, then its own count.
int CountAfter(const CommandInfo& command)
{
    auto document = std::make_unique<CTarnwickDoc>();
    if (command.run.readsSymbol)
        (void)PrepareWebCommand(*document, "IBM", "Yahoo");
    if (command.run.counted)
        (void)CountCommand(*document);
    return document->commandCount;
}

}  // namespace

TEST(CountCommand, TheEleventhCountedCommandAsksForTheHomePageOnceAndTheCountKeepsRising)
{
    auto document = std::make_unique<CTarnwickDoc>();
    for (int command = 1; command <= 30; ++command)
        EXPECT_EQ(CountCommand(*document).openHomePage, command == 11) << command;
    EXPECT_EQ(document->commandCount, 30);

    // The web command preparation counts by the same rule.
    auto other = std::make_unique<CTarnwickDoc>();
    other->commandCount = 10;
    EXPECT_TRUE(PrepareWebCommand(*other, "IBM", "Yahoo").openHomePage);
    EXPECT_FALSE(PrepareWebCommand(*other, "IBM", "Yahoo").openHomePage);
    EXPECT_EQ(other->commandCount, 12);
}

TEST(CountCommand, IntradayChartsCountsTwiceEachDataAndPageCommandOnceTheRestNever)
{
    for (const CommandInfo& command : Commands()) {
        int expected = 0;
        if (command.id == kIntradayCharts)
            expected = 2;
        else if (command.kind == CommandKind::DataLoad || command.kind == CommandKind::ChartPage ||
                 command.kind == CommandKind::PageBuilder || command.run.readsSymbol)
            expected = 1;
        EXPECT_EQ(CountAfter(command), expected) << command.id;
    }
}

TEST(PrepareWebCommand, TheBoxTextsGoIntoTheDocumentAndEmptyOnesFallBackToYhooAndYahoo)
{
    auto document = std::make_unique<CTarnwickDoc>();
    (void)PrepareWebCommand(*document, "BRK.B", "Silicon Investor");
    EXPECT_EQ(document->symbol, "BRK.B");
    EXPECT_EQ(document->sourceName, "Silicon Investor");

    (void)PrepareWebCommand(*document, "", "");
    EXPECT_EQ(document->symbol, "YHOO");
    EXPECT_EQ(document->sourceName, "Yahoo");

    (void)PrepareWebCommand(*document, "IBM", "");
    EXPECT_EQ(document->symbol, "IBM");
    EXPECT_EQ(document->sourceName, "Yahoo");
}

TEST(PrepareQuoteLoad, TheBarsBelongToTheCurrentSymbolAndTheChartsAreShown)
{
    auto document = std::make_unique<CTarnwickDoc>();
    document->symbol = "IBM";
    document->chartPage = 1;
    PrepareQuoteLoad(*document, 2);
    EXPECT_EQ(document->loadedSymbol, "IBM");
    EXPECT_EQ(document->sourceMode, 2);
    EXPECT_EQ(document->chartPage, 0);
}

TEST(SwitchMonthSpan, TwiceGivesTheSpanBack)
{
    auto document = std::make_unique<CTarnwickDoc>();
    SwitchMonthSpan(*document);
    EXPECT_EQ(document->monthSpan, 1);
    SwitchMonthSpan(*document);
    EXPECT_EQ(document->monthSpan, -1);
    EXPECT_EQ(document->commandCount, 0);
}
