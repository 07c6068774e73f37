// Feeds arbitrary bytes to the market pages' fragment cutter and rewriter:
// the first byte picks one source of the page table, the rest is its page.
// Whatever the page holds, the fragment must lie inside the page and begin
// at the start marker, the pieces must stay within the piece table and
// 1000 characters each before rewriting, and a followed path must carry no
// byte that could end or split a request line.
#include "pages/ComposedPage.h"
#include "pages/MarketPageTable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

struct Source {
    const SourceRecipe* recipe;
    std::size_t pieceLimit;
};

std::vector<Source> AllSources()
{
    std::vector<Source> sources;
    for (const PageRecipe* page : {&NewsIndexRecipe(), &MarketAnalysisRecipe(), &StockAnalysisRecipe(), &IpoRecipe(),
                                   &StockNewsRecipe(), &MessageBoardsRecipe(), &PriceForecastRecipe(),
                                   &StockEvaluatorRecipe(), &CompanyProfileRecipe()})
        for (const SourceRecipe& source : page->sources)
            sources.push_back({&source, page->pieceLimit});
    return sources;
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<Source> sources = AllSources();
    if (size == 0)
        return 0;
    const Source& source = sources[data[0] % sources.size()];
    const std::string_view page(reinterpret_cast<const char*>(data + 1), size - 1);
    const SourceRecipe& recipe = *source.recipe;

    if (const std::optional<std::string_view> fragment = CutFragment(page, recipe.fragment)) {
        Require(!fragment->empty());
        Require(fragment->data() >= page.data() && fragment->data() + fragment->size() <= page.data() + page.size());
        // A negative end offset may stop the fragment inside its own start marker.
        const std::string_view marker = recipe.fragment.start.back().marker;
        Require(fragment->starts_with(marker) || marker.starts_with(*fragment));
        const std::vector<std::string_view> pieces = CutIntoPieces(*fragment, source.pieceLimit);
        Require(pieces.size() <= source.pieceLimit);
        for (std::string_view piece : pieces)
            Require(!piece.empty() && piece.size() <= kPieceSize);
    }
    const std::vector<std::string> rewritten =
        CutAndRewrite(page, recipe.fragment, ExpandPairs(recipe.pairs, "http://h", "http://v"), source.pieceLimit);
    Require(rewritten.size() <= source.pieceLimit);

    if (recipe.followed) {
        if (const std::optional<std::string> path = FollowedPathIn(page, *recipe.followed)) {
            Require(path->size() <= 3 * recipe.followed->maxLength);
            for (const char c : *path) {
                const auto byte = static_cast<unsigned char>(c);
                Require(byte > ' ' && byte < 0x7F && c != '"' && c != '<' && c != '>' && c != '#');
            }
        }
    }
    return 0;
}
