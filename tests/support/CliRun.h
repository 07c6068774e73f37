#pragma once

#include "cli/TerminalStream.h"

#include <sys/wait.h>

#include <cstdio>
#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// What a tarnwick-cli command returned and printed.
struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// Runs `command` in this process with `args`.
inline Outcome RunCli(CliCommand command, std::span<const std::string_view> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

inline Outcome RunCli(CliCommand command, const std::vector<std::string>& args)
{
    const std::vector<std::string_view> views(args.begin(), args.end());
    return RunCli(command, views);
}

// Runs `commandLine` through the shell, as a user does; its standard output
// and exit status (-1 when it did not exit).
inline Outcome RunShell(const std::string& commandLine)
{
    FILE* program = popen(commandLine.c_str(), "r");
    if (program == nullptr)
        return {-1, {}, {}};
    std::string out;
    for (int c = std::fgetc(program); c != EOF; c = std::fgetc(program))
        out += static_cast<char>(c);
    const int status = pclose(program);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, {}};
}
