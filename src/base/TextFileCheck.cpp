#include "base/TextFileCheck.h"

namespace {

// Enough characters to tell UTF-16 by its zero bytes.
constexpr std::size_t kUtf16Sample = 64;

// A byte-order mark of either byte order, or ASCII text of two bytes a
// character: every byte of one parity zero, none of the other.
bool IsUtf16(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return true;
    std::string_view sample = bytes.substr(0, kUtf16Sample);
    sample = sample.substr(0, sample.size() - sample.size() % 2);
    if (sample.size() < 4)
        return false;
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < sample.size(); ++i)
        zeros[i % 2] += sample[i] == '\0';
    const std::size_t half = sample.size() / 2;
    return (zeros[0] == half && zeros[1] == 0) || (zeros[1] == half && zeros[0] == 0);
}

}  // namespace

std::string UnreadableTextReason(std::string_view bytes)
{
    if (IsUtf16(bytes))
        return "is UTF-16 text, two bytes a character; save it as UTF-8 or plain ASCII text";
    if (bytes.find('\0') != std::string_view::npos)
        return "holds NUL bytes, so it is no text file; check that it is the file meant";
    if (bytes.find('\r') != std::string_view::npos && bytes.find('\n') == std::string_view::npos)
        return "ends its lines with a carriage return alone, as old Mac programs did; save it with line feeds "
               "(Unix or Windows line ends)";
    return {};
}
