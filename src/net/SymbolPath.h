#pragma once

#include <string>
#include <string_view>

// Symbols inside request paths and queries. In a path, "{symbol}" stands for
// the symbol and "{initial}" for its first character.

inline constexpr std::string_view kSymbolMark = "{symbol}";
inline constexpr std::string_view kInitialMark = "{initial}";

// Every byte other than ASCII letters, digits and the `kept` characters as
// %XX (upper-case hex), so the text stays one path segment or one query value.
std::string PercentEncode(std::string_view text, std::string_view kept = "-._~");

// `path` with "{symbol}" replaced by the symbol and "{initial}" by its first
// character (a whole UTF-8 character), both percent-encoded keeping `kept`;
// an initial "." is always encoded ("%2E"), as it fills a path segment alone.
std::string ExpandSymbolPath(std::string_view path, std::string_view symbol, std::string_view kept = "-._~");

// What of a symbol goes into a request as it is, besides letters and digits.
inline constexpr std::string_view kSymbolKeptInRequests = ".-_^";

// The symbol as it goes into a query: letters, digits and ".-_^" as they
// are, every other byte percent-encoded ("AT&T" gives "AT%26T").
std::string EncodeSymbol(std::string_view symbol);
