#pragma once

#include <ostream>
#include <span>
#include <streambuf>
#include <string>
#include <string_view>

// A stream buffer for the tool's standard output and error: every line goes
// out as TerminalSafe makes it, so that the tool writes UTF-8 whatever the
// files and pages held, and never a control character that could move the
// cursor or change the terminal. Lines are passed on as they end; what is
// left goes out on flush and when the buffer goes.
class TerminalStreamBuf : public std::streambuf {
public:
    explicit TerminalStreamBuf(std::streambuf* target) : target_(target) {}
    ~TerminalStreamBuf() override { sync(); }
    TerminalStreamBuf(const TerminalStreamBuf&) = delete;
    TerminalStreamBuf& operator=(const TerminalStreamBuf&) = delete;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void PassLine();

    std::streambuf* target_;
    std::string line_;
};

// A command of the tool: takes the arguments after its name, writes to `out`
// and `err`, returns the exit status.
using CliCommand = int (*)(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

// Runs `command` with the process's standard output and error, each through
// a TerminalStreamBuf; returns its exit status.
int RunOnTerminal(CliCommand command, std::span<const std::string_view> args);
