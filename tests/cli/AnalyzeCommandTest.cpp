#include "cli/AnalyzeCommand.h"
#include "document/CTarnwickDoc.h"
#include "support/CliRun.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

Outcome Analyze(std::vector<std::string_view> args)
{
    return RunCli(RunAnalyze, args);
}

}  // namespace

TEST(AnalyzeJson, HoldsEveryFieldOfTheLoadAndTheModules)
{
    const Outcome outcome = Analyze({"--quote-dir", SampleDir("IBM"), "--symbol", "IBM", "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const json result = json::parse(outcome.out);

    EXPECT_EQ(result["barCount"], 400);
    for (const char* key : {"dates", "open", "high", "low", "close", "rawClose", "volume"})
        EXPECT_EQ(result[key].size(), 400u) << key;
    EXPECT_EQ(result["monthStarts"].size(), result["monthLabels"].size());
    EXPECT_EQ(result["monthLabels"][0], "Dec");
    EXPECT_EQ(result["quoteMerged"], 1);
    for (const char* key : {"lastTrade", "prevClose", "quoteVolume", "dayLow", "dayHigh", "dayOpen", "yearLow",
                            "yearHigh", "tradeStamp", "changeText"})
        EXPECT_TRUE(result["latestQuote"].contains(key)) << key;
    EXPECT_EQ(result["latestQuote"]["tradeStamp"], "4:01PM");

    EXPECT_TRUE(result["MovingAverageAnalysis"].contains("envelopeFactor"));
    EXPECT_EQ(result["OscillatorAnalysis"]["stochK"].size(), 400u);
    EXPECT_EQ(result["FlowDirectionAnalysis"]["adx14"].size(), 400u);
    for (const char* key : {"trendLevel", "trendSlope", "todayBuyTotal", "todaySellTotal"})
        EXPECT_TRUE(result["VolumeForecastAnalysis"].contains(key)) << key;

    const json& stoch = result["OscillatorAnalysis"]["stochSignals"];
    for (const char* key : {"buyBars", "buyLevels", "sellBars", "sellLevels", "buyCount", "buyToday", "sellCount",
                            "sellToday"})
        EXPECT_TRUE(stoch.contains(key)) << key;
    EXPECT_EQ(stoch["buyBars"].size(), stoch["buyCount"].get<std::size_t>());
    EXPECT_EQ(stoch["sellLevels"].size(), stoch["sellCount"].get<std::size_t>());
}

TEST(AnalyzeJson, NumbersReadBackToTheSameBits)
{
    const auto document = LoadedSample("CAT");
    const Outcome outcome = Analyze({"--quote-dir", SampleDir("CAT"), "--symbol", "CAT", "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const json result = json::parse(outcome.out);

    for (int i = 0; i < 400; ++i) {
        ASSERT_EQ(result["close"][i].get<double>(), document->store.close[i]) << i;
        ASSERT_EQ(result["OscillatorAnalysis"]["macd"][i].get<double>(), document->oscillators.macd[i]) << i;
        ASSERT_EQ(result["FlowDirectionAnalysis"]["cci30"][i].get<double>(), document->flowDirection.cci30[i]) << i;
        ASSERT_EQ(result["VolumeForecastAnalysis"]["ita1Line"][i].get<double>(), document->volumeForecast.ita1Line[i])
            << i;
    }
    EXPECT_EQ(result["MovingAverageAnalysis"]["envelopeFactor"].get<double>(),
              document->movingAverages.envelopeFactor);
}

TEST(AnalyzeReport, ListsEveryIndicatorAndTheDaysTotals)
{
    const auto document = LoadedSample("BA");
    const Outcome outcome = Analyze({"--quote-dir", SampleDir("BA"), "--symbol", "ba"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("ba: 400 daily bars from "), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find("Latest quote 12/31/2001 4:01PM"), std::string::npos) << outcome.out;
    for (const char* title : {"Moving Averages", "Bollinger Bands", "Stochastic Oscillator", "Money Flow Index",
                              "Intelligent Technical Analysis Algorithm 1"})
        EXPECT_NE(outcome.out.find(title), std::string::npos) << title;

    std::istringstream lines(outcome.out);
    std::string line;
    std::string total;
    while (std::getline(lines, line))
        if (line.rfind("Total ", 0) == 0)
            total = line;
    std::istringstream counts(total.substr(5));
    int buys = -1;
    int sells = -1;
    counts >> buys >> sells;
    EXPECT_EQ(buys, document->volumeForecast.todayBuyTotal) << total;
    EXPECT_EQ(sells, document->volumeForecast.todaySellTotal) << total;
}

TEST(AnalyzeCommand, FailuresSayWhatFailedAndExitNonZero)
{
    const Outcome missing = Analyze({"--quote-dir", "/nonexistent/folder", "--symbol", "IBM"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("quote folder \"/nonexistent/folder\""), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");

    TempFolder empty;
    empty.Write("quotes.csv", "");
    empty.Write("table.csv", "");
    const Outcome noBars = Analyze({"--quote-dir", empty.path().string(), "--symbol", "IBM"});
    EXPECT_EQ(noBars.status, 1);
    EXPECT_NE(noBars.err.find("table.csv"), std::string::npos) << noBars.err;

    EXPECT_EQ(Analyze({"--quote-dir", SampleDir("IBM")}).status, 2);
    EXPECT_EQ(Analyze({"--symbol"}).status, 2);
    EXPECT_EQ(Analyze({"--symbol", "IBM", "--colour"}).status, 2);
}

TEST(AnalyzeCommand, TheProgramExitsWithTheCommandsStatus)
{
    const std::string cli = TARNWICK_CLI;
    EXPECT_EQ(RunShell(cli + " analyze --symbol IBM --quote-dir '" + SampleDir("IBM") + "'").status, 0);
    EXPECT_EQ(RunShell(cli + " analyze --symbol IBM --quote-dir /nonexistent 2>/dev/null").status, 1);
    EXPECT_EQ(RunShell(cli + " frobnicate 2>/dev/null").status, 2);
}
