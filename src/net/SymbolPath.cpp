#include "net/SymbolPath.h"

namespace {

bool IsKept(unsigned char c, std::string_view kept)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           kept.find(static_cast<char>(c)) != std::string_view::npos;
}

// The first character of the symbol: one byte, or the whole sequence of a
// UTF-8 character, so that character is encoded in one piece.
std::string_view Initial(std::string_view symbol)
{
    std::size_t length = symbol.empty() ? 0 : 1;
    while (length < symbol.size() && length < 4 && (static_cast<unsigned char>(symbol[length]) & 0xC0) == 0x80 &&
           static_cast<unsigned char>(symbol[0]) >= 0xC0)
        ++length;
    return symbol.substr(0, length);
}

}  // namespace

std::string PercentEncode(std::string_view text, std::string_view kept)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsKept(byte, kept)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

std::string ExpandSymbolPath(std::string_view path, std::string_view symbol, std::string_view kept)
{
    std::string expanded;
    while (!path.empty()) {
        const std::size_t mark = path.find('{');
        expanded += path.substr(0, mark);
        if (mark == std::string_view::npos)
            break;
        path.remove_prefix(mark);
        if (path.starts_with(kSymbolMark)) {
            expanded += PercentEncode(symbol, kept);
            path.remove_prefix(kSymbolMark.size());
        } else if (path.starts_with(kInitialMark)) {
            // A bare "." would be a segment that servers drop, taking the
            // path a level up; "%2E" is the same character, kept in place.
            const std::string_view initial = Initial(symbol);
            expanded += initial == "." ? "%2E" : PercentEncode(initial, kept);
            path.remove_prefix(kInitialMark.size());
        } else {
            expanded += '{';
            path.remove_prefix(1);
        }
    }
    return expanded;
}

std::string EncodeSymbol(std::string_view symbol)
{
    return PercentEncode(symbol, kSymbolKeptInRequests);
}
