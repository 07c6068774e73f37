#pragma once

#include "net/HostsConfig.h"
#include "pages/PageRecipe.h"

#include <span>
#include <string>
#include <string_view>

// The fixed HTML the market pages are made of.

// Ends the head's table and the page; most pages write it before their
// sections, so that what the sections bring follows the closing tags.
inline constexpr std::string_view kClosingLine = "</td></tr></table></body></html>";

// `text` with & < > " ' written as character references, so it shows as
// text and cannot open markup, and every character beyond ASCII as its
// number (&#233;), the text read as UTF-8 or else Windows-1252 (AsUtf8).
std::string HtmlEscape(std::string_view text);

// The head of a composed page, through its heading row and what follows it.
std::string PageHeadHtml(const PageHead& head);

// A row of labels and links ending in a rule and an opened row. A link to a
// site without an address (the product site unless configured) is written
// as plain text.
std::string LinkBlockHtml(std::span<const LinkItem> items, const HostsConfig& hosts);

// A page of two frames of equal height, "Oben" above "Unten".
std::string FramesetHtml(std::string_view upperAddress, std::string_view lowerAddress);
