#pragma once

#include "net/HostsConfig.h"
#include "pages/PageFragment.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// What makes one composed market page differ from the others. The page
// table (MarketPageTable.cpp) holds one recipe per page.

// The page head: an HTML head of our own and a heading bar across the top of
// a borderless table.
struct PageHead {
    std::string_view title{};
    std::string_view background{};  // body colour
    std::string_view width{};       // table width: "100%" or pixels
    std::string_view tableStyle{};  // CSS of the table; empty for none
    std::string_view barColour{};
    int spaces{};                   // non-breaking spaces before the heading
    std::string_view headingColour{};
    std::string_view heading{};     // HTML: may close its font and open another
    std::string_view after{};       // what follows the heading row: an opened row or nothing
};

// One item of a page's block of fixed links: a label ("Business Wire :"),
// a link to `path` on `role`'s site, or a line break.
struct LinkItem {
    enum Kind { Label, Link, Break } kind;
    std::string_view text{};
    HostRole role = HostRole::ProductSite;
    std::string_view path{};
};

// A rewrite pair as the table writes it: in the replacement "{R}" stands for
// the root address of the section's site and "{R2}" for the second root.
struct PairTemplate {
    std::string_view text;
    std::string_view replacement;
};

// A first page that only says where the section's page is: the path found
// between the rule's start and end is fetched with POST.
struct FollowedPath {
    FragmentRule rule;
    std::size_t maxLength;
};

// What one outside page contributes to a composed page.
struct SourceRecipe {
    HostRole role{};                       // the site; R is its base address
    std::string_view path{};               // path and query; "{symbol}" and "{initial}" are filled in
    FragmentRule fragment{};
    std::vector<PairTemplate> pairs{};
    std::string_view label{};              // written before the fragment; "{site}" is the site's host name
    std::string_view symbolLineEnd{};      // non-empty: after the label, the symbol line ends with this
    std::optional<HostRole> secondRoot{};  // the site behind "{R2}"
    std::optional<FollowedPath> followed{};
};

// A composed page: its head and link block, then its sections in the order
// they are fetched and written, the closing line before one of them.
struct PageRecipe {
    PageHead head{};
    std::vector<LinkItem> links{};   // empty: the page has no link block
    int closingLineBefore{};         // the section the closing line precedes; -1: no closing line
    std::vector<SourceRecipe> sources{};
    std::size_t pieceLimit = kPieceLimit;
    std::string_view closingText{};  // written last
};
