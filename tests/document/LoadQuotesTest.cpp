#include "base/Errors.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

class LoadQuotesTest : public ::testing::Test {
protected:
    LoadQuotesTest()
    {
        document->symbol = "IBM";
        document->quoteDir = SampleDir("IBM");
    }

    std::unique_ptr<CTarnwickDoc> document = std::make_unique<CTarnwickDoc>();
};

}  // namespace

TEST_F(LoadQuotesTest, LocalModeReadsTheFilesWhateverTheWebSourceSays)
{
    document->sourceMode = 1;
    document->sourceName = "Silicon Investor";
    LoadQuotes(*document);
    EXPECT_EQ(document->store.barCount, 400);
    EXPECT_EQ(document->latestQuote().quoteMerged, 1);
    EXPECT_EQ(document->store.dates[0], "12/31/2001");
    EXPECT_EQ(document->store.dates[1], "28-Dec-01");
    EXPECT_EQ(document->store.dates[399], "25-May-00");
    EXPECT_GT(document->movingAverages.sma9[0], 0);
    EXPECT_GT(document->store.MonthMarkCount(), 15);
}

TEST_F(LoadQuotesTest, WebModePicksYahooOnlyForTheExactName)
{
    document->sourceMode = 2;
    std::vector<std::string> requested;
    std::vector<std::string> messages;
    document->web.fetch = [&](const PageRequest& request, std::span<char>) {
        requested.push_back(request.object);
        return std::size_t{0};  // an empty page holds no quote
    };
    document->web.showMessage = [&](const std::string& message) { messages.push_back(message); };
    const struct {
        const char* sourceName;
        const char* object;
    } cases[] = {{"Yahoo", "/q?s=IBM&d=t"},
                 {"yahoo", "/research/quote.gsp?s=IBM"},
                 {"Silicon Investor", "/research/quote.gsp?s=IBM"},
                 {"", "/research/quote.gsp?s=IBM"}};
    for (const auto& c : cases) {
        document->sourceName = c.sourceName;
        requested.clear();
        LoadQuotes(*document);
        EXPECT_EQ(requested, std::vector<std::string>{c.object}) << c.sourceName;
        EXPECT_EQ(document->store.barCount, -1);
    }
    EXPECT_EQ(messages, std::vector<std::string>(4, "No data available for IBM"));
}

TEST_F(LoadQuotesTest, ALoadWithoutBarsClearsTheStoreButKeepsThePreviousAnalysis)
{
    LoadQuotes(*document);
    const double sma9 = document->movingAverages.sma9[0];
    const double adx = document->flowDirection.adx14[0];
    const int totalSells = document->volumeForecast.todaySellTotal;

    TempFolder empty;
    empty.Write("quotes.csv", "\"IBM\",1,\"1/2/2030\",\"4:01PM\",0,1,1,1,1\n");
    empty.Write("table.csv", "Date,Open,High,Low,Close,Volume\n");
    document->quoteDir = empty.path();
    LoadQuotes(*document);

    EXPECT_EQ(document->store.barCount, 0);
    EXPECT_EQ(document->store.dates[0], "");
    EXPECT_EQ(document->store.close[0], 0);
    EXPECT_EQ(document->store.volume[399], 0);
    EXPECT_EQ(document->store.MonthMarkCount(), 0);
    EXPECT_EQ(document->latestQuote().quoteMerged, 0);
    EXPECT_EQ(document->movingAverages.sma9[0], sma9);
    EXPECT_EQ(document->flowDirection.adx14[0], adx);
    EXPECT_EQ(document->volumeForecast.todaySellTotal, totalSells);
}

TEST_F(LoadQuotesTest, AHistoryWithoutBarsSaysWhyWhenItsBytesTell)
{
    const TempFolder folder;
    folder.Write("quotes.csv", "");
    document->quoteDir = folder.path();
    document->sourceMode = CTarnwickDoc::kLocalFiles;
    const std::string history = "Date,Open,High,Low,Close,Volume\n5-Dec-00,1,2,0.5,1.5,700\n";
    std::string utf16 = "\xFF\xFE";
    for (const char c : history)
        utf16 += {c, '\0'};
    std::string carriageReturns = history;
    std::replace(carriageReturns.begin(), carriageReturns.end(), '\n', '\r');
    const struct {
        std::string text;
        std::string says;
    } cases[] = {
        {utf16, "the file is UTF-16 text, two bytes a character; save it as UTF-8 or plain ASCII text."},
        {carriageReturns, "the file ends its lines with a carriage return alone"},
        {"Prices\n" + std::string(100000, '#') + "\n" + history,
         "the file has a line too long to read (line 2 runs on past the first "},
        {"Prices\n", "it needs a header line with \"Volume\" or \"Close\""},
    };
    for (const auto& c : cases) {
        folder.Write("table.csv", c.text);
        LoadQuotes(*document);
        EXPECT_EQ(document->store.barCount, 0) << c.says;
        EXPECT_THAT(NoBarsMessage(*document),
                    testing::StartsWith("No daily bars in \"" + (folder.path() / "table.csv").string() + "\": " +
                                        c.says));
    }
}

TEST_F(LoadQuotesTest, AMissingFileLeavesTheStoreCleared)
{
    LoadQuotes(*document);
    document->quoteDir = "/nonexistent/quotes";
    EXPECT_THROW(LoadQuotes(*document), FileError);
    EXPECT_EQ(document->store.barCount, 0);
    EXPECT_EQ(document->store.dates[0], "");
    EXPECT_EQ(document->store.close[0], 0);
    EXPECT_EQ(document->latestQuote().quoteMerged, 0);
}

// A folder holding table.csv is read whatever symbol is typed; the user is
// told when nothing ties its files to that symbol.
TEST_F(LoadQuotesTest, QuotesNotTiedToTheTypedSymbolAreSaidToBeSo)
{
    const TempFolder library;
    const std::string history = ReadFile(SampleDir("IBM") + "/table.csv");
    const std::string ibmQuote = ReadFile(SampleDir("IBM") + "/quotes.csv");
    library.Write("IBM/table.csv", history);
    library.Write("IBM/quotes.csv", ibmQuote);
    library.Write("loose/table.csv", history);
    library.Write("loose/quotes.csv", "");
    library.Write("CAT/table.csv", history);
    library.Write("CAT/quotes.csv", ibmQuote);
    library.Write("MSFT.csv", ReadFile(SampleDir("AAPL") + ".csv"));

    struct Case {
        std::string folder;
        std::string symbol;
        std::string notice;
    };
    const Case cases[] = {
        {"IBM", "ibm", ""},                 // the folder and its quote name it
        {"IBM/", "IBM", ""},                // also written with a closing separator
        {"loose", "LOOSE", ""},             // the folder's name ties it
        {"IBM", "CAT", "The quote folder's table.csv is not tied to CAT; its quotes.csv is for IBM."},
        {"loose", "CAT", "The quote folder's table.csv is not tied to CAT: neither the folder's name nor a "
                         "quotes.csv names it."},
        {"CAT", "CAT", "The quotes.csv in CAT's folder is for IBM: the chart shows the history without it."},
        {"", "IBM", ""},                    // a library finds IBM's own folder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder + " " + c.symbol);
        document->quoteDir = library.path() / c.folder;
        document->symbol = c.symbol;
        document->sourceMode = CTarnwickDoc::kLocalFiles;
        LoadQuotes(*document);
        ASSERT_GT(document->store.barCount, 0);
        EXPECT_EQ(UntiedQuotesNotice(*document), c.notice);
    }
    // A CSV history of a library is found by its symbol.
    document->quoteDir = library.path();
    document->symbol = "MSFT";
    LoadQuotes(*document);
    ASSERT_GT(document->store.barCount, 0);
    EXPECT_EQ(UntiedQuotesNotice(*document), "");
}
