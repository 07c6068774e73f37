#pragma once

#include "cli/TerminalStream.h"

#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

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
