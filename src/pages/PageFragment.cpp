#include "pages/PageFragment.h"

#include "net/PageScan.h"

#include <algorithm>

namespace {

// A repeated search for the last match steps on this far past each match.
constexpr std::size_t kLastMatchStep = 6;

// Runs `steps`: each marker is searched `skip` characters after the previous
// match; with no previous match the first is searched from the page's start.
// Returns where the last marker was found.
PagePos FollowChain(std::string_view page, std::span<const MarkerStep> steps, PagePos previous)
{
    for (const MarkerStep& step : steps) {
        previous = FindIn(page, step.marker, previous ? *previous + step.skip : 0);
        if (!previous)
            return std::nullopt;
    }
    return previous;
}

}  // namespace

std::optional<std::string_view> CutFragment(std::string_view page, const FragmentRule& rule)
{
    if (rule.start.empty() || rule.end.empty())
        return std::nullopt;
    const PagePos start = FollowChain(page, rule.start, std::nullopt);
    if (!start)
        return std::nullopt;
    PagePos end = FollowChain(page, rule.end, start);
    if (!end)
        return std::nullopt;
    if (rule.endMatch == EndMatch::Last)
        for (PagePos next = end; next; next = FindIn(page, rule.end.back().marker, *next + kLastMatchStep))
            end = next;

    const auto stop = static_cast<long long>(*end) + rule.endOffset;
    const auto limit = std::clamp<long long>(stop, 0, static_cast<long long>(page.size()));
    if (limit <= static_cast<long long>(*start))
        return std::nullopt;
    return page.substr(*start, static_cast<std::size_t>(limit) - *start);
}

std::vector<std::string_view> CutIntoPieces(std::string_view fragment, std::size_t pieceLimit)
{
    std::vector<std::string_view> pieces;
    for (std::size_t at = 0; at < fragment.size() && pieces.size() < pieceLimit; at += kPieceSize)
        pieces.push_back(fragment.substr(at, kPieceSize));
    return pieces;
}

std::string ReplaceAll(std::string_view text, std::string_view mark, std::string_view with)
{
    if (mark.empty())
        return std::string(text);
    std::string result;
    std::size_t at = 0;
    for (std::size_t found = text.find(mark); found != std::string_view::npos; found = text.find(mark, at)) {
        result.append(text, at, found - at);
        result += with;
        at = found + mark.size();
    }
    result.append(text, at);
    return result;
}

std::string RewritePiece(std::string_view piece, std::span<const RewritePair> pairs)
{
    std::string text(piece);
    for (const RewritePair& pair : pairs)
        text = ReplaceAll(text, pair.text, pair.replacement);
    return text;
}
