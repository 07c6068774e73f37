#include "base/Utf8Text.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// Windows-1252's bytes 0x80 to 0x9F; the undefined ones keep their number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void Append(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at text[at], 0 when there is none:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (at + length > text.size() || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceLength(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

// The character of the valid UTF-8 sequence at text[at]; `at` moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& at)
{
    const std::size_t length = SequenceLength(text, at);
    char32_t code = static_cast<unsigned char>(text[at]) & (length == 1 ? 0x7F : 0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i)
        code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    at += length;
    return code;
}

}  // namespace

std::string AsUtf8(std::string_view text)
{
    if (IsValidUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        Append(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
    }
    return out;
}

std::u32string CodePoints(std::string_view text)
{
    const std::string utf8 = AsUtf8(text);
    std::u32string codes;
    for (std::size_t at = 0; at < utf8.size();)
        codes += NextCodePoint(utf8, at);
    return codes;
}

std::string TerminalSafe(std::string_view text)
{
    // Nearly every line is printable ASCII, which passes as it is.
    const auto printable = [](char c) { return c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7F); };
    if (std::all_of(text.begin(), text.end(), printable))
        return std::string(text);
    std::string out;
    for (const char32_t code : CodePoints(text)) {
        if (code == '\n' || code == '\t' || (code >= 0x20 && code < 0x7F) || code >= 0xA0) {
            Append(out, code);
            continue;
        }
        char escaped[8];
        const int length = std::snprintf(escaped, sizeof escaped, code < 0x80 ? "\\x%02X" : "\\u%04X",
                                         static_cast<unsigned>(code));
        out.append(escaped, static_cast<std::size_t>(length));
    }
    return out;
}
