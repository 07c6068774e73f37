#include "cli/TerminalStream.h"

#include "base/Utf8Text.h"

#include <iostream>
#include <string_view>

TerminalStreamBuf::int_type TerminalStreamBuf::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    line_ += traits_type::to_char_type(c);
    if (line_.back() == '\n')
        PassLine();
    return c;
}

std::streamsize TerminalStreamBuf::xsputn(const char* text, std::streamsize count)
{
    std::string_view rest(text, static_cast<std::size_t>(count));
    for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
        line_.append(rest.substr(0, end + 1));
        PassLine();
        rest.remove_prefix(end + 1);
    }
    line_.append(rest);
    return count;
}

int TerminalStreamBuf::sync()
{
    PassLine();
    return target_->pubsync();
}

void TerminalStreamBuf::PassLine()
{
    if (line_.empty())
        return;
    const std::string safe = TerminalSafe(line_);
    target_->sputn(safe.data(), static_cast<std::streamsize>(safe.size()));
    line_.clear();
}

int RunOnTerminal(CliCommand command, std::span<const std::string_view> args)
{
    TerminalStreamBuf outText(std::cout.rdbuf());
    TerminalStreamBuf errText(std::cerr.rdbuf());
    std::ostream out(&outText);
    std::ostream err(&errText);
    return command(args, out, err);
}
