#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"
#include "quotes/CsvHistoryReader.h"
#include "quotes/QuoteText.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

TEST(CsvHistory, SampleAsAVendorDownloadLoadsAndAnalysesToTheSameBits)
{
    const TempFolder folder;
    // The IBM sample's history as a vendor download: oldest first, ISO dates,
    // an adjusted close equal to the close.
    std::ifstream in(SampleDir("IBM") + "/table.csv");
    std::string line;
    std::getline(in, line);
    std::vector<std::string> rows;
    while (std::getline(in, line)) {
        const auto day = ParseHistoryDate(line.substr(0, line.find(',')));
        ASSERT_TRUE(day) << line;
        char iso[16];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", day->year, day->month, day->day);
        const std::string prices = line.substr(line.find(',') + 1);
        const std::string close = prices.substr(0, prices.rfind(','));
        rows.push_back(std::string(iso) + "," + close + "," + close.substr(close.rfind(',') + 1) +
                       prices.substr(prices.rfind(',')));
    }
    std::string vendor = "Date,Open,High,Low,Close,Adj Close,Volume\n";
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        vendor += *row + "\n";
    folder.Write("IBM.csv", vendor);

    // The folder form without its latest quote, which is newer than the history.
    std::ifstream table(SampleDir("IBM") + "/table.csv");
    folder.Write("table.csv", std::string(std::istreambuf_iterator<char>(table), {}));
    folder.Write("quotes.csv", "");
    const auto withoutQuote = LoadedSample("IBM", folder.path());

    auto fromCsv = std::make_unique<CTarnwickDoc>();
    CsvHistoryReader().Load(fromCsv->store, folder.path() / "IBM.csv");
    AnalyzeQuotes(*fromCsv);

    const QuoteSeries& a = withoutQuote->store;
    const QuoteSeries& b = fromCsv->store;
    ASSERT_EQ(a.barCount, b.barCount);
    for (int i = 0; i < a.barCount; ++i) {
        ASSERT_EQ(a.dates[i], b.dates[i]) << i;
        ASSERT_EQ(a.open[i], b.open[i]) << i;
        ASSERT_EQ(a.high[i], b.high[i]) << i;
        ASSERT_EQ(a.low[i], b.low[i]) << i;
        ASSERT_EQ(a.close[i], b.close[i]) << i;
        ASSERT_EQ(a.volume[i], b.volume[i]) << i;
    }
    EXPECT_EQ(a.monthStarts, b.monthStarts);
    EXPECT_EQ(a.monthLabels, b.monthLabels);
    EXPECT_EQ(withoutQuote->oscillators.macd, fromCsv->oscillators.macd);
    EXPECT_EQ(withoutQuote->volumeForecast.todayBuyTotal, fromCsv->volumeForecast.todayBuyTotal);
    EXPECT_EQ(withoutQuote->flowDirection.adx14, fromCsv->flowDirection.adx14);
}
