#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One search of a marker chain: `marker`, searched from `skip` characters
// after the previous match (or after the fragment's start, for the first
// marker of an end chain).
struct MarkerStep {
    std::string_view marker;
    std::size_t skip = 2;
};

enum class EndMatch { First, Last };

// Where a source's fragment lies in its page.
//  - start: the chain whose last match is the fragment's first character; its
//    first marker is searched from the page's start.
//  - end: the chain whose last match is the end marker; with EndMatch::Last
//    that marker is searched again from 6 characters after each match until
//    there is no further match.
//  - endOffset: the fragment stops just before the character that lies this
//    many characters after the end marker's first character (+8 takes in an
//    eight-character marker, 0 stops before it, -5 five characters before).
struct FragmentRule {
    std::vector<MarkerStep> start;
    std::vector<MarkerStep> end;
    EndMatch endMatch = EndMatch::First;
    int endOffset = 0;
};

// The fragment of `page` the rule describes; nothing when a marker is
// missing or the fragment would be empty. The fragment never reaches past
// the page's end.
std::optional<std::string_view> CutFragment(std::string_view page, const FragmentRule& rule);

// Characters of one piece, and the pieces a fragment may have.
inline constexpr std::size_t kPieceSize = 1000;
inline constexpr std::size_t kPieceLimit = 500;

// `fragment` cut into pieces of kPieceSize characters (the last one shorter),
// at most `pieceLimit` of them: a longer fragment loses its end.
std::vector<std::string_view> CutIntoPieces(std::string_view fragment, std::size_t pieceLimit = kPieceLimit);

// A text replaced in every piece, and what replaces it.
struct RewritePair {
    std::string text;
    std::string replacement;
};

// `text` with every `mark` replaced by `with`, left to right, without looking
// again at what was inserted. An empty mark replaces nothing.
std::string ReplaceAll(std::string_view text, std::string_view mark, std::string_view with);

// Applies the pairs in order; each replaces every occurrence of its text in
// the piece, left to right, without looking again at what it inserted.
std::string RewritePiece(std::string_view piece, std::span<const RewritePair> pairs);
