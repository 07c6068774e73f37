#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <sys/wait.h>

TEST(TarnwickCli, AnswersItsVersion)
{
    FILE* program = popen(TARNWICK_CLI " --version", "r");
    ASSERT_NE(program, nullptr);
    std::string out;
    for (int c = std::fgetc(program); c != EOF; c = std::fgetc(program))
        out += static_cast<char>(c);
    const int status = pclose(program);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::regex_match(out, std::regex(R"(tarnwick-cli \d+\.\d+(\.\d+)*\n)"))) << out;
}
