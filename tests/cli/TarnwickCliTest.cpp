#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <regex>

TEST(TarnwickCli, AnswersItsVersion)
{
    const Outcome run = RunShell(TARNWICK_CLI " --version");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(std::regex_match(run.out, std::regex(R"(tarnwick-cli \d+\.\d+(\.\d+)*\n)"))) << run.out;
}
