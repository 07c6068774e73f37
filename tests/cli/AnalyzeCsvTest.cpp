#include "cli/AnalyzeCommand.h"
#include "quotes/QuoteText.h"
#include "support/CliRun.h"
#include "support/PageServer.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

json AnalyzeJson(const std::vector<std::string>& args)
{
    std::vector<std::string> withJson = args;
    withJson.push_back("--json");
    const Outcome outcome = RunCli(RunAnalyze, withJson);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    return outcome.status == 0 ? json::parse(outcome.out) : json();
}

// What two loads of one history must share: prices, volumes, month marks
// and every analysis module's output.
void ExpectSameAnalysis(const json& a, const json& b)
{
    for (const char* key : {"barCount", "dates", "open", "high", "low", "close", "volume", "monthStarts",
                            "monthLabels", "MovingAverageAnalysis", "OscillatorAnalysis", "FlowDirectionAnalysis",
                            "VolumeForecastAnalysis"}) {
        ASSERT_TRUE(a.contains(key)) << key;
        EXPECT_EQ(a[key], b[key]) << key;
    }
}

// The sample folder's history as a vendor download: oldest first, ISO dates,
// an adjusted close equal to the close.
std::string AsVendorFile(const std::string& table)
{
    std::istringstream in(table);
    std::string line;
    std::getline(in, line);
    std::vector<std::string> rows;
    while (std::getline(in, line)) {
        const auto date = ParseHistoryDate(line.substr(0, line.find(',')));
        char iso[16];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date->year, date->month, date->day);
        const std::string prices = line.substr(line.find(',') + 1);
        const std::string openToClose = prices.substr(0, prices.rfind(','));
        rows.push_back(std::string(iso) + "," + openToClose + "," + openToClose.substr(openToClose.rfind(',') + 1) +
                       prices.substr(prices.rfind(',')));
    }
    std::string out = "Date,Open,High,Low,Close,Adj Close,Volume\n";
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        out += *row + "\n";
    return out;
}

// The same as a semicolon file with decimal commas and day-first dates,
// newest first as in the folder.
std::string AsSemicolonFile(const std::string& table)
{
    std::istringstream in(table);
    std::string line;
    std::getline(in, line);
    std::string out = "Datum;Eröffnung;Hoch;Tief;Schluss;Volumen\n";
    while (std::getline(in, line)) {
        const auto date = ParseHistoryDate(line.substr(0, line.find(',')));
        char day[16];
        std::snprintf(day, sizeof day, "%02d.%02d.%04d", date->day, date->month, date->year);
        std::string rest = line.substr(line.find(',') + 1);
        for (char& c : rest)
            c = c == ',' ? ';' : c == '.' ? ',' : c;
        out += std::string(day) + ";" + rest + "\n";
    }
    return out;
}

}  // namespace

TEST(AnalyzeCsv, EverySampleInTwoOtherLayoutsAnalysesAsItsFolderFormWithoutItsQuote)
{
    for (const std::string symbol : {"IBM", "CAT", "BA", "ORCL", "AAPL"}) {
        SCOPED_TRACE(symbol);
        const TempFolder folder;
        const std::string table = ReadFile(SampleDir(symbol) + "/table.csv");
        folder.Write(symbol + "/table.csv", table);
        folder.Write(symbol + "/quotes.csv", "");
        folder.Write("vendor.csv", AsVendorFile(table));
        folder.Write("semicolon.txt", AsSemicolonFile(table));

        const json fromFolder = AnalyzeJson({"--quote-dir", folder.path().string(), "--symbol", symbol});
        const json vendor = AnalyzeJson({"--file", (folder.path() / "vendor.csv").string()});
        const json semicolon = AnalyzeJson({"--file", (folder.path() / "semicolon.txt").string()});
        EXPECT_EQ(fromFolder["barCount"], 400);
        ExpectSameAnalysis(fromFolder, vendor);
        ExpectSameAnalysis(fromFolder, semicolon);
        EXPECT_EQ(vendor["csv"]["layout"], "comma-separated: date, open, high, low, close, adj close, volume");
        EXPECT_EQ(semicolon["csv"]["layout"],
                  "semicolon-separated with decimal commas: date, open, high, low, close, volume");
        EXPECT_FALSE(fromFolder.contains("csv"));
    }
}

TEST(AnalyzeCsv, TheShippedCsvSampleIsTheAaplHistory)
{
    const std::string shipped = std::string(TARNWICK_SAMPLE_DIR) + "/AAPL.csv";
    EXPECT_EQ(ReadFile(shipped), AsVendorFile(ReadFile(SampleDir("AAPL") + "/table.csv")));
    EXPECT_EQ(AnalyzeJson({"--file", shipped})["symbol"], "AAPL");
}

TEST(AnalyzeCsv, ALibraryFolderFindsTheSymbolsFolderOrItsCsvFile)
{
    const TempFolder library;
    library.Write("ibm/table.csv", ReadFile(SampleDir("IBM") + "/table.csv"));
    library.Write("ibm/quotes.csv", ReadFile(SampleDir("IBM") + "/quotes.csv"));
    library.Write("Cat.CSV", "Date,Close\n2024-01-02,10\n2024-01-03,bad\n2024-01-04,11\n");

    EXPECT_EQ(AnalyzeJson({"--quote-dir", library.path().string(), "--symbol", "IBM"})["quoteMerged"], 1);
    const Outcome cat = RunCli(RunAnalyze, {"--quote-dir", library.path().string(), "--symbol", "CAT"});
    EXPECT_EQ(cat.status, 0) << cat.err;
    EXPECT_EQ(cat.err, "tarnwick-cli: 1 row skipped: line 3\n");

    const Outcome none = RunCli(RunAnalyze, {"--quote-dir", library.path().string(), "--symbol", "../ibm"});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("No quotes for \"../ibm\""), std::string::npos) << none.err;
}

TEST(AnalyzeCsv, ABadFileIsNamedWithItsLine)
{
    const TempFolder folder;
    folder.Write("intraday.csv", "Date,Time,Close\n2024-01-02,09:30,1\n2024-01-02,09:35,2\n");
    const Outcome outcome = RunCli(RunAnalyze, {"--file", (folder.path() / "intraday.csv").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("intraday.csv\", line 3: intraday files are not supported"), std::string::npos)
        << outcome.err;
    EXPECT_EQ(outcome.out, "");
}

TEST(AnalyzeCsv, TheQuoteServiceIsAskedAtItsConfiguredAddress)
{
    PageServer server;
    const TempFolder folder;
    folder.Write("hosts.ini", "[csvService]\nurl = http://quotes.invalid/q/d/l/?s={symbol}&l={symbolLower}&f={from}&t={to}\n");
    std::string history = "Date,Open,High,Low,Close,Volume\n";
    for (int day = 1; day <= 28; ++day)
        history += "2018-02-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + ",10,11,9,10.5,1000\n";
    server.Serve("/q/d/l/?s=BRK.B&l=brk.b&f=2016-06-29&t=2018-02-19", history);
    const std::vector<std::string> args = {"--source",    "csv", "--symbol", "BRK.B", "--today", "2018-02-19",
                                           "--config",    (folder.path() / "hosts.ini").string(),
                                           "--all-hosts", server.base().substr(7)};
    const json result = AnalyzeJson(args);
    EXPECT_EQ(result["barCount"], 28);
    EXPECT_EQ(result["requests"][0]["url"], server.base() + "/q/d/l/?s=BRK.B&l=brk.b&f=2016-06-29&t=2018-02-19");

    std::vector<std::string> missing = args;
    missing[3] = "MSFT";
    const Outcome notFound = RunCli(RunAnalyze, missing);
    EXPECT_EQ(notFound.status, 1);
    EXPECT_NE(notFound.err.find("HTTP status 404"), std::string::npos) << notFound.err;

    const Outcome unconfigured = RunCli(RunAnalyze, {"--source", "csv", "--symbol", "IBM", "--config", "/nonexistent/hosts.ini"});
    EXPECT_EQ(unconfigured.status, 1);
    EXPECT_NE(unconfigured.err.find("No CSV quote service is configured"), std::string::npos) << unconfigured.err;
    EXPECT_NE(unconfigured.err.find("[csvService]"), std::string::npos) << unconfigured.err;
}
