#include "pages/ComposedPage.h"

#include "base/Errors.h"
#include "net/SymbolPath.h"
#include "pages/PageHtml.h"
#include "pages/PageWriter.h"
#include "quotes/WebQuoteSource.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace {

// Characters a followed path keeps; quotes, blanks, '#', control and
// non-ASCII bytes are percent-encoded.
constexpr std::string_view kPathKept = "/?&=%:;,+@!$'()*-._~";

// The symbol line after a label: the symbol shown as text, then `lineEnd`.
std::string SymbolLine(std::string_view symbol, std::string_view lineEnd)
{
    return "     Symbol: <b>" + HtmlEscape(symbol) + std::string(lineEnd);
}

// Receives pages into a fresh zero-filled buffer per fetch, over one
// connection for the whole build.
class SectionFetcher {
public:
    explicit SectionFetcher(const PageBuild& build) : build_(build) {}

    // The page's text, up to its first zero byte; nothing, with a warning,
    // when the server answered with anything but the page: an error page or
    // a redirect never becomes part of ours.
    std::optional<std::string_view> Fetch(const PageRequest& request)
    {
        buffer_ = std::make_unique<char[]>(kReceiveBufferSize);  // value-initialised: all zero
        const FetchProgress progress = build_.watch ? build_.watch(request) : FetchProgress();
        const std::size_t length =
            session_.Fetch(request, std::span(buffer_.get(), kReceiveBufferSize), build_.limits, progress);
        if (session_.status() < 200 || session_.status() >= 300) {
            if (build_.warn)
                build_.warn(ServerOf(request) + " answered " + request.object + " with HTTP status " +
                            std::to_string(session_.status()) + " instead of the page; its section stays empty.");
            return std::nullopt;
        }
        return std::string_view(buffer_.get(), strnlen(buffer_.get(), length));
    }

    void Release() { buffer_.reset(); }

    int status() const { return session_.status(); }

private:
    const PageBuild& build_;
    FetchSession session_;
    std::unique_ptr<char[]> buffer_;
};

// Writes the section; returns why it got no content, or nothing when it did.
std::optional<std::string> WriteSection(PageWriter& out, const SourceRecipe& source, const PageBuild& build,
                                        std::size_t pieceLimit, SectionFetcher& fetcher)
{
    const std::string& root = build.hosts.Base(source.role);
    PageRequest request{.base = root,
                        .port = PortChoice::ProtocolDefault,
                        .credentials = Credentials::None,
                        .verb = "GET",
                        .object = ExpandSymbolPath(source.path, build.symbol, kSymbolKeptInRequests)};
    const auto gap = [&](std::string_view why) { return ServerOf(request) + request.object + ": " + std::string(why); };
    const auto errorStatus = [&] { return gap("HTTP status " + std::to_string(fetcher.status())); };
    if (source.followed) {
        const std::optional<std::string_view> first = fetcher.Fetch(request);
        if (!first)
            return errorStatus();
        const std::optional<std::string> path = FollowedPathIn(*first, *source.followed);
        if (!path)
            return gap("no page named in it");
        request.verb = "POST";
        request.object = *path;
    }
    const std::optional<std::string_view> page = fetcher.Fetch(request);
    const std::string secondRoot = source.secondRoot ? build.hosts.Base(*source.secondRoot) : std::string();
    const std::vector<std::string> pieces =
        page ? CutAndRewrite(*page, source.fragment, ExpandPairs(source.pairs, root, secondRoot), pieceLimit)
             : std::vector<std::string>();
    fetcher.Release();

    if (!source.label.empty()) {
        out.Write(ReplaceAll(source.label, "{site}", HostOf(request)));
        if (!source.symbolLineEnd.empty() && !build.symbol.empty())
            out.Write(SymbolLine(build.symbol, source.symbolLineEnd));
    }
    for (const std::string& piece : pieces)
        out.Write(piece);
    if (!page)
        return errorStatus();
    if (pieces.empty())
        return gap("no content found in it");
    return std::nullopt;
}

}  // namespace

std::vector<std::string> CutAndRewrite(std::string_view page, const FragmentRule& rule,
                                       std::span<const RewritePair> pairs, std::size_t pieceLimit)
{
    std::vector<std::string> pieces;
    const std::optional<std::string_view> fragment = CutFragment(page, rule);
    if (!fragment)
        return pieces;
    for (std::string_view piece : CutIntoPieces(*fragment, pieceLimit))
        pieces.push_back(RewritePiece(piece, pairs));
    return pieces;
}

std::vector<RewritePair> ExpandPairs(std::span<const PairTemplate> pairs, std::string_view root,
                                     std::string_view secondRoot)
{
    std::vector<RewritePair> expanded;
    for (const PairTemplate& pair : pairs)
        expanded.push_back(
            {std::string(pair.text), ReplaceAll(ReplaceAll(pair.replacement, "{R2}", secondRoot), "{R}", root)});
    return expanded;
}

std::optional<std::string> FollowedPathIn(std::string_view page, const FollowedPath& followed)
{
    const std::optional<std::string_view> path = CutFragment(page, followed.rule);
    if (!path)
        return std::nullopt;
    return PercentEncode(path->substr(0, followed.maxLength), kPathKept);
}

std::filesystem::path ComposedPage::Build(const PageBuild& build) const
{
    const std::filesystem::path file = PagePath(build.folder);
    PageWriter out(file);
    out.Write(PageHeadHtml(recipe_.head));
    if (!recipe_.links.empty())
        out.Write(LinkBlockHtml(recipe_.links, build.hosts));
    SectionFetcher fetcher(build);
    std::size_t empty = 0;
    std::string gaps;  // why each empty section is, for the message
    for (std::size_t i = 0; i < recipe_.sources.size(); ++i) {
        if (static_cast<int>(i) == recipe_.closingLineBefore)
            out.Write(kClosingLine);
        if (const std::optional<std::string> gap =
                WriteSection(out, recipe_.sources[i], build, recipe_.pieceLimit, fetcher)) {
            gaps += (empty++ == 0 ? "" : "; ") + *gap;
        }
    }
    // A page of labels alone would pass for a page that worked.
    if (empty == recipe_.sources.size())
        throw PageError("No site gave content for " + std::string(fileName()) + " (" + gaps +
                        "), so the page was not rebuilt.");
    out.Write(recipe_.closingText);
    out.Commit();
    return file;
}
