#pragma once

#include "pages/PageCompositor.h"
#include "pages/PageRecipe.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Bytes of the buffer each outside page is received into; a longer page is
// cut there.
inline constexpr std::size_t kReceiveBufferSize = 1000000;

// A market page composed from outside pages as its recipe says: the head,
// the link block, then one section per source (its label and the fragment
// cut from its page, rewritten), the closing line where the recipe puts it
// and the closing text. All fetches of one build share one connection.
class ComposedPage : public PageCompositor {
public:
    ComposedPage(const Identity& identity, const PageRecipe& recipe) : PageCompositor(identity), recipe_(recipe) {}

    std::filesystem::path Build(const PageBuild& build) const override;

    const PageRecipe& recipe() const { return recipe_; }

private:
    const PageRecipe& recipe_;
};

// The section's rewritten pieces from the page text: the fragment cut by
// `rule`, in pieces of at most `pieceLimit`, each rewritten with `pairs`.
std::vector<std::string> CutAndRewrite(std::string_view page, const FragmentRule& rule,
                                       std::span<const RewritePair> pairs, std::size_t pieceLimit);

// The pairs of a source with "{R}" and "{R2}" replaced by the roots.
std::vector<RewritePair> ExpandPairs(std::span<const PairTemplate> pairs, std::string_view root,
                                     std::string_view secondRoot);

// The path a followed first page names, made safe to send (bytes that
// cannot stand in a request path percent-encoded); nothing when a marker
// is missing.
std::optional<std::string> FollowedPathIn(std::string_view page, const FollowedPath& followed);
