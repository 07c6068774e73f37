#include "cli/TerminalStream.h"

#include "base/Utf8Text.h"

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
    for (std::streamsize i = 0; i < count; ++i) {
        line_ += text[i];
        if (text[i] == '\n')
            PassLine();
    }
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
