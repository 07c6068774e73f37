#include "cli/AnalyzeCommand.h"
#include "cli/ScreenCommand.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST(ScreenCommand, EachSymbolsCountsAreThoseOfItsAnalysis)
{
    const Outcome screen = RunCli(RunScreen, {"--quote-dir", TARNWICK_SAMPLE_DIR, "--json", "--threads", "2"});
    ASSERT_EQ(screen.status, 0) << screen.err;
    const json rows = json::parse(screen.out);
    ASSERT_EQ(rows.size(), 5u);  // AAPL once, from its folder
    for (const json& row : rows) {
        const std::string symbol = row["symbol"];
        SCOPED_TRACE(symbol);
        const Outcome analyze = RunCli(RunAnalyze, {"--quote-dir", TARNWICK_SAMPLE_DIR, "--symbol", symbol, "--json"});
        ASSERT_EQ(analyze.status, 0) << analyze.err;
        const json analysis = json::parse(analyze.out);
        EXPECT_EQ(row["bars"], analysis["barCount"]);
        EXPECT_EQ(row["date"], analysis["dates"][0]);
        EXPECT_EQ(row["close"], analysis["close"][0]);
        EXPECT_EQ(row["buyTotal"], analysis["VolumeForecastAnalysis"]["todayBuyTotal"]);
        EXPECT_EQ(row["sellTotal"], analysis["VolumeForecastAnalysis"]["todaySellTotal"]);
        ASSERT_EQ(row["signals"].size(), 16u);
        for (const auto& [setName, counts] : row["signals"].items()) {
            json set;
            for (const char* module : {"MovingAverageAnalysis", "OscillatorAnalysis", "FlowDirectionAnalysis",
                                       "VolumeForecastAnalysis"})
                if (analysis[module].contains(setName))
                    set = analysis[module][setName];
            ASSERT_FALSE(set.is_null()) << setName;
            EXPECT_EQ(counts["buy"], set["buyToday"]) << setName;
            EXPECT_EQ(counts["sell"], set["sellToday"]) << setName;
        }
    }
}

TEST(ScreenCommand, ErrorRowsAreListedInEveryFormatAndTheScanStillSucceeds)
{
    const TempFolder library;
    library.Write("GOOD.csv", "Date,Close\n2024-01-02,10\n2024-01-03,11\n");
    library.Write("BAD.csv", "Date,Open,High\n2024-01-02,1,2\n");

    const Outcome json = RunCli(RunScreen, {"--quote-dir", library.path().string(), "--json", "--sort", "total"});
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json rows = nlohmann::json::parse(json.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["symbol"], "GOOD");
    EXPECT_EQ(rows[0]["changePercent"], 10.0);
    EXPECT_EQ(rows[1]["symbol"], "BAD");  // errors go last in a signal order
    EXPECT_FALSE(rows[1].contains("bars"));
    EXPECT_NE(rows[1]["error"].get<std::string>().find("BAD.csv"), std::string::npos);
    EXPECT_EQ(json.err, "tarnwick-cli: 2 symbols, 1 read, 1 could not be read.\n");

    const Outcome csv = RunCli(RunScreen, {"--quote-dir", library.path().string(), "--csv"});
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("Symbol,Date,Close,Change %,Buy,Sell,Moving Averages B,", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("BAD,,,,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("GOOD,3-Jan-24,11,+10.00,", 0), 0u) << lines[2];

    const Outcome table = RunCli(RunScreen, {"--quote-dir", library.path().string()});
    const std::vector<std::string> tableLines = Lines(table.out);
    ASSERT_EQ(tableLines.size(), 3u);
    EXPECT_NE(tableLines[1].find("error: "), std::string::npos) << tableLines[1];

    const Outcome onlySignals = RunCli(RunScreen, {"--quote-dir", library.path().string(), "--only-signals", "--json"});
    EXPECT_EQ(nlohmann::json::parse(onlySignals.out), nlohmann::json::array());
}

TEST(ScreenCommand, WrongArgumentsAndUnreadableFoldersHaveTheirOwnStatus)
{
    const TempFolder empty;
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{},
                                               {"--quote-dir"},
                                               {"--quote-dir", "x", "--threads", "0"},
                                               {"--quote-dir", "x", "--threads", "2x"},
                                               {"--quote-dir", "x", "--sort", "name"},
                                               {"--quote-dir", "x", "--json", "--csv"},
                                               {"--quote-dir", "x", "--symbol", "IBM"}}) {
        const Outcome outcome = RunCli(RunScreen, wrong);
        EXPECT_EQ(outcome.status, 2) << outcome.err;
        EXPECT_NE(outcome.err.find("usage: tarnwick-cli screen"), std::string::npos);
        EXPECT_EQ(outcome.out, "");
    }
    for (const std::string& folder : {empty.path().string(), (empty.path() / "missing").string()}) {
        const Outcome outcome = RunCli(RunScreen, {"--quote-dir", folder});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.err.find(folder), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
}
