#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

using nlohmann::json;

// Runs the real tarnwick-cli readout with `args` (already quoted for the
// shell); its error output goes into `out` with `withErrors`, else is dropped.
Outcome RunProgram(const std::string& args, bool withErrors = false)
{
    return RunShell(std::string(TARNWICK_CLI) + " readout " + args + (withErrors ? " 2>&1" : " 2>/dev/null"));
}

const std::string kSample = std::string("--quote-dir '") + TARNWICK_SAMPLE_DIR + "' --symbol IBM";

const json& Panel(const json& readout, const std::string& name)
{
    for (const json& panel : readout["panels"])
        if (panel["panel"] == name)
            return panel;
    ADD_FAILURE() << name;
    return readout;
}

}  // namespace

TEST(ReadoutCommand, JsonCarriesFullValuesBesideTheirTextAndNullWithoutAValue)
{
    const Outcome run = RunProgram(kSample + " --bar 3 --json");
    ASSERT_EQ(run.status, 0);
    const json readout = json::parse(run.out);
    EXPECT_EQ(readout["symbol"], "IBM");
    EXPECT_EQ(readout["bar"], 3);
    EXPECT_EQ(readout["date"], "26-Dec-01");
    ASSERT_EQ(readout["values"].size(), 5u);
    EXPECT_EQ(readout["values"][3]["title"], "Close");
    EXPECT_EQ(readout["values"][3]["value"], 122.4);
    EXPECT_EQ(readout["panels"].size(), 18u);

    const json& sma200 = Panel(readout, "Moving Averages")["series"][0];
    EXPECT_EQ(sma200["title"], "SMA(200)");
    EXPECT_EQ(sma200["colour"], "#960f00");
    EXPECT_EQ(sma200["text"], "107.62");
    EXPECT_NEAR(sma200["value"].get<double>(), 107.62, 0.005);
    EXPECT_NE(sma200["value"].get<double>(), 107.62);  // not rounded to the text

    // Every series either has a value, whose text is never a dash, or null and a dash.
    for (const json& panel : readout["panels"])
        for (const json& series : panel["series"])
            EXPECT_EQ(series["value"].is_null(), series["text"] == "\u2013") << panel["panel"] << series;
}

TEST(ReadoutCommand, OldBarsPrintADashWhereAnAverageHasNoValue)
{
    const Outcome run = RunProgram(kSample + " --bar 249 --json");
    ASSERT_EQ(run.status, 0);
    const json sma50 = Panel(json::parse(run.out), "Moving Averages")["series"][1];
    EXPECT_EQ(sma50["title"], "SMA(50)");
    EXPECT_TRUE(sma50["value"].is_null());
    EXPECT_EQ(sma50["text"], "\u2013");

    const Outcome text = RunProgram(kSample + " --bar 249");
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("SMA(50) \u2013"), std::string::npos) << text.out;
}

TEST(ReadoutCommand, TextNamesTheBarAndEveryChart)
{
    const Outcome run = RunProgram(kSample + " --bar 3");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("IBM bar 3 26-Dec-01\n  Open 122 High 123.7 Low 121.81 Close 122.4 Volume 3755700\n", 0),
              0u)
        << run.out;
    EXPECT_NE(run.out.find("\nMoving Averages\n  SMA(200) 107.62 SMA(50) 114.45"), std::string::npos);
    EXPECT_NE(run.out.find("\n%K\n  %K 36.381 %D 46.886\n"), std::string::npos);
}

TEST(ReadoutCommand, ExitStatuses)
{
    EXPECT_EQ(RunProgram(kSample + " --bar 0").status, 0);
    EXPECT_EQ(RunProgram(kSample + " --bar 249").status, 0);
    EXPECT_EQ(RunProgram(kSample + " --bar 250").status, 2);  // the chart page shows 250 bars
    EXPECT_EQ(RunProgram(kSample + " --bar -1").status, 2);
    EXPECT_EQ(RunProgram(kSample + " --bar 2x").status, 2);
    EXPECT_EQ(RunProgram(kSample).status, 2);
    EXPECT_EQ(RunProgram(kSample + " --bar").status, 2);
    EXPECT_EQ(RunProgram("--bar 0").status, 2);

    const TempFolder folder;
    folder.Write("BAD.csv", "Date,Open,High\n2024-01-02,1,2\n");
    EXPECT_EQ(RunProgram("--quote-dir '" + folder.path().string() + "' --symbol BAD --bar 0").status, 1);
    EXPECT_EQ(RunProgram("--quote-dir '" + (folder.path() / "missing").string() + "' --symbol IBM --bar 0").status,
              1);
}

TEST(ReadoutCommand, BarOutOfRangeNamesTheRange)
{
    const Outcome run = RunProgram(kSample + " --bar 400", true);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("bars 0 to 249"), std::string::npos) << run.out;
}
