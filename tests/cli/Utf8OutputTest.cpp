#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

Outcome RunTool(const std::string& arguments)
{
    return RunShell(std::string(TARNWICK_CLI) + " " + arguments + " 2>/dev/null");
}

}  // namespace

TEST(Utf8Output, EightBitDatesAndSymbolsComeOutAsUtf8AndControlsAsEscapes)
{
    const TempFolder folder;
    // A history saved in Windows-1252 with a French month name, under a name holding an escape sequence.
    const std::string name = "A\x1B]0;x\x07" "\xC9.csv";
    folder.Write(name, "Date,Open,High,Low,Close,Volume\n"
                       "2024-01-02,1,2,0.5,1.5,100\n"
                       "2024-01-03,1,2,0.5,1.6,100\n");
    folder.Write("FR/table.csv", "Date,Open,High,Low,Close,Volume\n"
                                 "5-D\xE9" "c-00,1,2,0.5,1.5,100\n"
                                 "4-D\xE9" "c-00,1,2,0.5,1.4,100\n");
    folder.Write("FR/quotes.csv", "");

    const Outcome json = RunTool("analyze --json --quote-dir '" + folder.path().string() + "' --symbol FR");
    ASSERT_EQ(json.status, 0);
    ASSERT_TRUE(nlohmann::json::accept(json.out)) << json.out;
    EXPECT_EQ(nlohmann::json::parse(json.out)["dates"][0], "5-Déc-00");

    const Outcome text = RunTool("analyze --file '" + (folder.path() / name).string() + "'");
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(text.out.find('\x1B'), std::string::npos);
    EXPECT_EQ(text.out.rfind("A\\x1B]0;X\\x07É: 2 daily bars", 0), 0u) << text.out;

    const Outcome screen = RunTool("screen --json --quote-dir '" + folder.path().string() + "'");
    ASSERT_EQ(screen.status, 0);
    ASSERT_TRUE(nlohmann::json::accept(screen.out)) << screen.out;
    EXPECT_EQ(nlohmann::json::parse(screen.out)[1]["date"], "5-Déc-00");
}
