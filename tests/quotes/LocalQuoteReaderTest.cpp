#include "base/Errors.h"
#include "quotes/LocalQuoteReader.h"
#include "quotes/QuoteSeries.h"
#include "support/NamedPipe.h"
#include "support/TempFolder.h"
#include "support/TestStore.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr const char* kHeader = "Date,Open,High,Low,Close,Volume\n";

// History rows for `count` days; row r (0 newest) has close 100 + r and
// volume 1000 + r, dated back from 29-Dec-00 one day a row.
std::string HistoryRows(int count)
{
    std::string rows;
    for (int r = 0; r < count; ++r) {
        const std::string close = std::to_string(100 + r);
        rows += std::to_string(1 + (28 - r % 28)) + "-Dec-00," + close + "," + close + ".5," + close + ".25," + close +
                "," + std::to_string(1000 + r) + "\n";
    }
    return rows;
}

std::string QuoteLine(const std::string& symbol, const std::string& date)
{
    return "\"" + symbol + "\",120.96,\"" + date + "\",\"4:01PM\",-1.94,122.75,123.24,120.95,3512700\n";
}

class LocalQuoteReaderTest : public ::testing::Test {
protected:
    // Writes both files, clears the store and loads it for `symbol`.
    void Load(const std::string& quotes, const std::string& history, const std::string& symbol = "IBM")
    {
        folder.Write("quotes.csv", quotes);
        folder.Write("table.csv", history);
        store->Clear();
        reader.Load(*store, folder.path(), symbol, latest);
    }

    TempFolder folder;
    std::unique_ptr<QuoteSeries> store = std::make_unique<QuoteSeries>();
    LocalQuoteReader reader;
    LatestQuote latest;
};

}  // namespace

TEST_F(LocalQuoteReaderTest, ReadsRowsNewestFirst)
{
    Load(QuoteLine("IBM", "12/28/2001"), std::string(kHeader) + "28-Dec-01,123.50,123.88,122.35,122.90,4213900\n" +
                                             "27-Dec-01,122.75,123.93,122.64,123.50,3826200\n");
    ASSERT_EQ(store->barCount, 2);
    EXPECT_EQ(store->dates[0], "28-Dec-01");
    EXPECT_EQ(BarOf(*store, 0), (TestBar{123.50, 123.88, 122.35, 122.90, 4213900}));
    EXPECT_EQ(store->dates[1], "27-Dec-01");
    EXPECT_EQ(store->close[1], 123.50);
    EXPECT_EQ(store->rawClose[0], 0);
    EXPECT_EQ(latest.quoteMerged, 0);  // same day as the newest row
}

TEST_F(LocalQuoteReaderTest, MergedQuoteTakesBarZeroAndTheThreeHundredNinetyNineNewestRows)
{
    Load(QuoteLine("IBM", "12/31/2000"), kHeader + HistoryRows(450));
    ASSERT_EQ(store->barCount, 400);
    EXPECT_EQ(store->dates[0], "12/31/2000");
    EXPECT_EQ(store->close[0], 120.96);
    EXPECT_EQ(store->close[1], 100);
    EXPECT_EQ(store->close[399], 498);
}

TEST_F(LocalQuoteReaderTest, MergesOnlyANewerQuoteOfTheSameSymbolWithAllPrices)
{
    const struct {
        const char* quote;
        const char* newestRow;
        const char* documentSymbol;
        bool merged;
    } cases[] = {
        {"\"IBM\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "4-Dec-00", "IBM", true},
        {"\"IBM\",120.96,\"1/2/2001\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "29-Dec-00", "IBM", true},
        {"\"ibm\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "4-Dec-00", "IBM", true},
        {"\"IBM\",120.96,\"1/3/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "31-Dec-99", "IBM", true},
        {"\"IBM\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95", "4-Dec-00", "IBM", true},
        {"\"IBM\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "5-Dec-00", "IBM", false},
        {"\"IBM\",120.96,\"12/4/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "5-Dec-00", "IBM", false},
        {"\"IBM\",120.96,\"12/31/1999\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "3-Jan-00", "IBM", false},
        {"\"CAT\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "4-Dec-00", "IBM", false},
        {"\"IBM\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,0,123.24,120.95,3512700", "4-Dec-00", "IBM", false},
        {"\"IBM\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,122.75,123.24", "4-Dec-00", "IBM", false},
        {"\"IBM\",120.96,\"2000-12-05\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "4-Dec-00", "IBM", false},
        {"\"IBM\",120.96,\"12/5/2000\",\"4:01PM\",+1.25,122.75,123.24,120.95,3512700", "Dec 4 2000", "IBM", false},
    };
    for (const auto& c : cases) {
        Load(std::string(c.quote) + "\n", std::string(kHeader) + c.newestRow + ",1,2,0.5,1.5,700\n",
             c.documentSymbol);
        SCOPED_TRACE(std::string(c.quote) + " against " + c.newestRow);
        EXPECT_EQ(latest.quoteMerged, c.merged ? 1 : 0);
        ASSERT_EQ(store->barCount, c.merged ? 2 : 1);
        EXPECT_EQ(store->close[c.merged ? 1 : 0], 1.5);
        EXPECT_EQ(store->dates[c.merged ? 1 : 0], c.newestRow);
    }
}

TEST_F(LocalQuoteReaderTest, MergedQuoteFillsBarZeroAndTheLatestQuoteRecord)
{
    latest.prevClose = 99;
    latest.yearHigh = 150;
    latest.changeText = "(+1.00)";
    Load("\"IBM\",120.96,\"12/31/2001\",\"4:01PM\",-1.94,122.75,123.24,120.95,3512700\r\n",
         std::string(kHeader) + "28-Dec-01,123.50,123.88,122.35,122.90,4213900\n");
    ASSERT_EQ(latest.quoteMerged, 1);
    EXPECT_EQ(store->dates[0], "12/31/2001");
    EXPECT_EQ(BarOf(*store, 0), (TestBar{122.75, 123.24, 120.95, 120.96, 3512700}));

    EXPECT_EQ(latest.tradeStamp, "4:01PM");
    EXPECT_EQ(latest.changeText, "");
    EXPECT_EQ(latest.lastTrade, 120.96);
    EXPECT_EQ(latest.dayOpen, 122.75);
    EXPECT_EQ(latest.dayHigh, 123.24);
    EXPECT_EQ(latest.dayLow, 120.95);
    EXPECT_EQ(latest.quoteVolume, 3512700);
    EXPECT_EQ(latest.prevClose, 0);
    EXPECT_EQ(latest.yearLow, 0);
    EXPECT_EQ(latest.yearHigh, 0);

    EXPECT_EQ(reader.quotedSymbol, "IBM");
    EXPECT_EQ(reader.tradeDate, "12/31/2001");
    EXPECT_EQ(reader.changeText, "-1.94");
}

TEST_F(LocalQuoteReaderTest, QuoteNotMergedLeavesTheLatestQuoteRecordAlone)
{
    latest.lastTrade = 77;
    latest.tradeStamp = "earlier";
    Load(QuoteLine("CAT", "12/31/2001"), std::string(kHeader) + "28-Dec-01,1,2,0.5,1.5,700\n");
    EXPECT_EQ(latest.quoteMerged, 0);
    EXPECT_EQ(latest.lastTrade, 77);
    EXPECT_EQ(latest.tradeStamp, "earlier");
}

TEST_F(LocalQuoteReaderTest, CarriageReturnsAndAMissingLastLineFeedChangeNothingAndNoVolumeReadsZero)
{
    Load("", "Date,Open,High,Low,Close,Volume\r\n5-Dec-00,1,2,0.5,1.5,700\r\n4-Dec-00,2,3,1.5,2.5,800");
    ASSERT_EQ(store->barCount, 2);
    EXPECT_EQ(store->dates[0], "5-Dec-00");
    EXPECT_EQ(store->dates[1], "4-Dec-00");
    EXPECT_EQ(BarOf(*store, 0), (TestBar{1, 2, 0.5, 1.5, 700}));
    EXPECT_EQ(BarOf(*store, 1), (TestBar{2, 3, 1.5, 2.5, 800}));

    Load("", "Date,Open,High,Low,Close\r\n5-Dec-00,1,2,0.5,1.5\r\n4-Dec-00,2,3,1.5,2.5");
    ASSERT_EQ(store->barCount, 2);
    EXPECT_EQ(BarOf(*store, 0), (TestBar{1, 2, 0.5, 1.5, 0}));
    EXPECT_EQ(BarOf(*store, 1), (TestBar{2, 3, 1.5, 2.5, 0}));
}

TEST_F(LocalQuoteReaderTest, ShorterFilesLoadedAfterLongerOnesKeepNothingOfThem)
{
    // A clear empties the texts without zero-filling them: each load must end
    // what it read, or the rest of the longer files would be read again.
    Load(QuoteLine("IBM", "12/31/2001") + "trailing text of a long quote file\n", kHeader + HistoryRows(300));
    ASSERT_EQ(store->barCount, 301);
    Load("\"IB", std::string(kHeader) + "28-Dec-01,1,2,0.5,1.5");
    EXPECT_EQ(store->barCount, 1);
    EXPECT_EQ(QuoteSeries::TextOf(store->quoteText), "\"IB");
    EXPECT_EQ(reader.quotedSymbol, "I");  // the quote marks taken off "IB
    EXPECT_EQ(store->close[0], 1.5);
    EXPECT_EQ(store->volume[0], 0);
    EXPECT_EQ(store->close[1], 0);
}

TEST_F(LocalQuoteReaderTest, HeaderIsTheLineWithVolumeElseTheLineWithClose)
{
    Load("", "Prices of IBM\nDate,Open,High,Low,Close,Volume\n5-Dec-00,1,2,0.5,1.5,700\n");
    ASSERT_EQ(store->barCount, 1);
    EXPECT_EQ(store->dates[0], "5-Dec-00");

    Load("", "Prices of IBM\nDate,Open,High,Low,Close\n5-Dec-00,1,2,0.5,1.5\n");
    ASSERT_EQ(store->barCount, 1);
    EXPECT_EQ(store->dates[0], "5-Dec-00");
}

TEST_F(LocalQuoteReaderTest, HistoriesWithoutRowsLoadNoBars)
{
    for (const char* history : {"", "Date,Open,High,Low\n5-Dec-00,1,2,0.5,1.5\n", "Date,Open,High,Low,Close,Volume",
                                "Date,Open,High,Low,Close,Volume\n", "Date,Open,High,Low,Close,Volume\nno commas\n"}) {
        Load(QuoteLine("IBM", "12/5/2000"), history);
        EXPECT_EQ(store->barCount, 0) << history;
        EXPECT_EQ(store->dates[0], "") << history;
        EXPECT_EQ(latest.quoteMerged, 0) << history;
    }
}

TEST_F(LocalQuoteReaderTest, ExtraColumnsAndTextInNumberColumnsReadAsTheirLeadingNumberOrZero)
{
    Load("", "Date,Open,High,Low,Close,Volume,Adj Close\n5-Dec-00,1,n/a,0.5,1.5,700,1.4\n4-Dec-00,x,3,1.5,2.5,800,2.4\n");
    ASSERT_EQ(store->barCount, 2);
    EXPECT_EQ(BarOf(*store, 0), (TestBar{1, 0, 0.5, 1.5, 700}));
    EXPECT_EQ(BarOf(*store, 1), (TestBar{0, 3, 1.5, 2.5, 800}));
}

TEST_F(LocalQuoteReaderTest, ATruncatedLastRowStopsTheHistory)
{
    Load("", std::string(kHeader) + "5-Dec-00,1,2,0.5,1.5,700\n4-Dec-00,2,3");
    ASSERT_EQ(store->barCount, 2);
    EXPECT_EQ(BarOf(*store, 1), (TestBar{2, 3, 0, 0, 0}));
}

TEST_F(LocalQuoteReaderTest, FilesPastTheReadLimitsAreCut)
{
    // Well over the history limit: still the 400 newest rows, from the text read.
    Load(QuoteLine("IBM", "12/1/2000") + std::string(100000, 'x'), kHeader + HistoryRows(3000));
    EXPECT_EQ(store->barCount, 400);
    EXPECT_EQ(store->close[399], 499);
    EXPECT_LE(QuoteSeries::TextOf(store->quoteText).size(), LocalQuoteReader::kQuoteReadLimit + 4095);
    EXPECT_LE(QuoteSeries::TextOf(store->historyText).size(), LocalQuoteReader::kHistoryReadLimit + 4095);

    // A header line longer than everything read leaves no rows.
    Load("", std::string(200000, 'a') + "Volume\n5-Dec-00,1,2,0.5,1.5,700\n");
    EXPECT_EQ(store->barCount, 0);
}

TEST_F(LocalQuoteReaderTest, ANamedPipeInPlaceOfEitherFileIsRefusedWithoutWaitingForAWriter)
{
    for (const char* name : {"quotes.csv", "table.csv"}) {
        const TempFolder quotes;
        quotes.Write("quotes.csv", QuoteLine("IBM", "12/5/2000"));
        quotes.Write("table.csv", kHeader + HistoryRows(3));
        const std::filesystem::path pipe = quotes.path() / name;
        std::filesystem::remove(pipe);
        ASSERT_TRUE(MakeNamedPipe(pipe)) << pipe;
        store->Clear();
        EXPECT_THAT(PipeReadFailure(pipe, [&] { reader.Load(*store, quotes.path(), "IBM", latest); }),
                    testing::HasSubstr("\"" + pipe.string() + "\" is not a regular file but a named pipe"));
        EXPECT_EQ(store->barCount, 0);
    }
}

TEST_F(LocalQuoteReaderTest, AFileThatCannotBeReadIsAnErrorNamingIt)
{
    folder.Write("quotes.csv", QuoteLine("IBM", "12/5/2000"));
    EXPECT_THAT(ThrownMessage<FileError>([&] { reader.Load(*store, folder.path(), "IBM", latest); }),
                testing::HasSubstr((folder.path() / "table.csv").string()));
    EXPECT_EQ(store->barCount, 0);

    EXPECT_THROW(reader.Load(*store, folder.path() / "nowhere", "IBM", latest), FileError);
    std::filesystem::create_directory(folder.path() / "table.csv");  // a folder in place of the file
    EXPECT_THROW(reader.Load(*store, folder.path(), "IBM", latest), FileError);
}

TEST_F(LocalQuoteReaderTest, FieldsThatAreNotPlainNumbersReadAsTheirLeadingNumber)
{
    // Blanks, signs, an empty close and a field longer than is read: each
    // reads as the first 20 characters of its field.
    Load("", std::string(kHeader) + "5-Dec-00, 1.5,+2,-0.5,,700\n"
                                    "4-Dec-00,1,2,3,4\n"
                                    "3-Dec-00,123456789012345678901234,2,3,4.5,6\n"
                                    "2-Dec-00,1,2,3,4,5\n"
                                    // One price of a row not plain, in each place, among plain ones.
                                    "1-Dec-00,10.25,11.5, 9.75,10.5,800\n"
                                    "30-Nov-00,10.25,11,9.75,10.5e1,800\n"
                                    "29-Nov-00,+10.25,11.5,9.75,10.5,800\n"
                                    "28-Nov-00,10.25,11.5.0,9.75,10.5,800\n");
    ASSERT_EQ(store->barCount, 8);
    EXPECT_EQ(BarOf(*store, 0), (TestBar{1.5, 2, -0.5, 0, 700}));
    EXPECT_EQ(BarOf(*store, 1), (TestBar{1, 2, 3, 4, 0}));
    EXPECT_EQ(store->open[2], 12345678901234567890.0);
    EXPECT_EQ(BarOf(*store, 2), (TestBar{store->open[2], 2, 3, 4.5, 6}));
    EXPECT_EQ(BarOf(*store, 3), (TestBar{1, 2, 3, 4, 5}));
    EXPECT_EQ(BarOf(*store, 4), (TestBar{10.25, 11.5, 9.75, 10.5, 800}));
    EXPECT_EQ(BarOf(*store, 5), (TestBar{10.25, 11, 9.75, 10.5, 800}));
    EXPECT_EQ(BarOf(*store, 6), (TestBar{10.25, 11.5, 9.75, 10.5, 800}));
    EXPECT_EQ(BarOf(*store, 7), (TestBar{10.25, 11.5, 9.75, 10.5, 800}));
}

TEST_F(LocalQuoteReaderTest, ExtraColumnsOnManyRowsAndARowWithoutVolumeKeepEveryRowsNumbers)
{
    // Rows of other shapes than date, open, high, low, close, volume: the
    // first 300 with four columns more (more separators than a load looks
    // for at once), one without a volume among plain rows after them.
    std::string history = kHeader;
    for (int r = 0; r < 399; ++r) {
        const std::string close = std::to_string(100 + r);
        history += std::to_string(1 + (28 - r % 28)) + "-Dec-00," + close + "," + close + ".5," + close + ".25," +
                   close + (r == 350 ? "" : "," + std::to_string(1000 + r)) + (r < 300 ? ",1,2,3,4" : "") + "\n";
    }
    Load(QuoteLine("IBM", "12/1/2000"), history);
    ASSERT_EQ(store->barCount, 399);
    for (int r = 0; r < 399; ++r) {
        const double close = 100 + r;
        EXPECT_EQ(BarOf(*store, r), (TestBar{close, close + 0.5, close + 0.25, close, r == 350 ? 0.0 : 1000.0 + r}))
            << "row " << r;
    }
}

TEST_F(LocalQuoteReaderTest, RowsOfEveryLengthAroundSixtyFourBytesKeepTheirNumbers)
{
    // Fields padded with ever more zeros, which change no number: rows from
    // 40 bytes to past 80, ending on either side of 64-byte marks of the
    // text, fields of more than eight bytes beside short ones, the last row
    // the text's last bytes.
    std::string history = kHeader;
    for (int r = 0; r < 70; ++r) {
        std::size_t padding = static_cast<std::size_t>(r);
        const auto zeros = [&padding] {
            const std::size_t count = std::min<std::size_t>(padding, 12);
            padding -= count;
            return std::string(count, '0');
        };
        history += std::to_string(1 + (28 - r % 28)) + "-Dec-00,12.5" + zeros() + "," + std::to_string(13 + r) +
                   ",0.125" + zeros() + ",12." + std::to_string(r % 10) + zeros() + "," + zeros() +
                   std::to_string(1000 + r) + "\n";
    }
    Load("", history);
    ASSERT_EQ(store->barCount, 70);
    for (int r = 0; r < 70; ++r)
        EXPECT_EQ(BarOf(*store, r), (TestBar{12.5, 13.0 + r, 0.125, (120 + r % 10) / 10.0, 1000.0 + r}))
            << "row " << r;
}
