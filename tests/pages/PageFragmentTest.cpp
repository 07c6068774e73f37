#include "pages/ComposedPage.h"
#include "pages/PageFragment.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Cut(std::string_view page, const FragmentRule& rule)
{
    const std::optional<std::string_view> fragment = CutFragment(page, rule);
    return fragment ? std::string(*fragment) : std::string("(none)");
}

TEST(CutFragment, EndChainSearchedFromTwoOrSixCharactersOn)
{
    const std::string page = "<t></t>xxxx</t>yy";
    EXPECT_EQ(Cut(page, {{{"<t>"}}, {{"</t", 2}}, EndMatch::First, 0}), "<t>");
    EXPECT_EQ(Cut(page, {{{"<t>"}}, {{"</t", 6}}, EndMatch::First, 0}), "<t></t>xxxx");
    // The start chain: each marker from 2 after the one before; the last match starts the fragment.
    EXPECT_EQ(Cut("TOPIC <a1 <a2 END", {{{"TOPIC"}, {"<a"}, {"<a"}}, {{"END", 2}}, EndMatch::First, 0}), "<a2 ");
    // Searched from the start marker itself, the end may be the start's own text.
    EXPECT_EQ(Cut("<IMG SRC=x", {{{"<IMG"}}, {{"<IMG", 0}}, EndMatch::First, 0}), "(none)");
}

TEST(CutFragment, LastEndMarkerAndEndOffsets)
{
    const std::string page = "junk<html>a</html>b</html>c";
    EXPECT_EQ(Cut(page, {{{"<html>"}}, {{"</html>", 6}}, EndMatch::Last, 8}), "<html>a</html>b</html>c");
    EXPECT_EQ(Cut(page, {{{"<html>"}}, {{"</html>", 6}}, EndMatch::First, 7}), "<html>a</html>");
    EXPECT_EQ(Cut(page, {{{"<html>"}}, {{"</html>", 6}}, EndMatch::First, 1}), "<html>a<");
    EXPECT_EQ(Cut("<TR>1234567890<END>", {{{"<TR"}}, {{"<END>", 2}}, EndMatch::First, -5}), "<TR>12345");
    // Five characters back from an end marker right behind the start leaves nothing.
    EXPECT_EQ(Cut("<TR>1<END>", {{{"<TR"}}, {{"<END>", 2}}, EndMatch::First, -5}), "(none)");
}

TEST(CutFragment, MissingMarkersGiveNoFragment)
{
    EXPECT_EQ(Cut("no start here</html>", {{{"<html>"}}, {{"</html>", 6}}, EndMatch::Last, 8}), "(none)");
    EXPECT_EQ(Cut("<html> no end", {{{"<html>"}}, {{"</html>", 6}}, EndMatch::Last, 8}), "(none)");
    EXPECT_EQ(Cut("A <t x", {{{"A"}, {"<t"}}, {{"</t>", 2}, {"<br>", 2}}, EndMatch::First, 1}), "(none)");
}

TEST(CutIntoPieces, ThousandCharacterPiecesUpToTheTable)
{
    const std::string fragment(2500, 'x');
    const auto pieces = CutIntoPieces(fragment);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].size(), 1000u);
    EXPECT_EQ(pieces[2].size(), 500u);
    EXPECT_EQ(CutIntoPieces(fragment, 2).size(), 2u);
    EXPECT_TRUE(CutIntoPieces("").empty());
}

TEST(RewritePiece, EveryMatchOnceInPairOrderWithoutRescanning)
{
    const RewritePair doubling[] = {{"a", "aa"}};
    EXPECT_EQ(RewritePiece("aXa", doubling), "aaXaa");
    const RewritePair chained[] = {{"x", "y"}, {"y", "z"}};
    EXPECT_EQ(RewritePiece("xy", chained), "zz");
    const RewritePair removing[] = {{"focus();", ""}};
    EXPECT_EQ(RewritePiece("a focus();focus(); b", removing), "a  b");
}

TEST(CutAndRewrite, LinkSplitAcrossAPieceBoundaryStaysRelative)
{
    // "href=\"/" starts 3 characters before the end of the first piece.
    const std::string page = "<html>" + std::string(991, '.') + "href=\"/a.html\" href=\"/b.html\"</html>";
    const auto pairs = ExpandPairs(std::vector<PairTemplate>{{"href=\"/", "href=\"{R}/"}}, "http://h", "");
    const auto pieces = CutAndRewrite(page, {{{"<html>"}}, {{"</html>", 6}}, EndMatch::Last, 8}, pairs, kPieceLimit);
    ASSERT_EQ(pieces.size(), 2u);
    const std::string written = pieces[0] + pieces[1];
    EXPECT_NE(written.find("href=\"/a.html\""), std::string::npos);
    EXPECT_NE(written.find("href=\"http://h/b.html\""), std::string::npos);
}

TEST(ExpandPairs, RootsFilledIntoTheReplacements)
{
    const std::vector<PairTemplate> pairs = {{"href=\"/vu", "href=\"{R2}/vu"}, {"/images/", "{R}/images/"}};
    const auto expanded = ExpandPairs(pairs, "http://site:81", "http://viewer");
    ASSERT_EQ(expanded.size(), 2u);
    EXPECT_EQ(expanded[0].replacement, "href=\"http://viewer/vu");
    EXPECT_EQ(expanded[1].replacement, "http://site:81/images/");
}

TEST(FollowedPathIn, PathBetweenTheMarkersMadeSafe)
{
    const FollowedPath followed{{{{"Inside Wall Street"}, {"/cgi-bin/", 0}}, {{"LocalNavCell", 6}}, EndMatch::First, 12},
                                1299};
    EXPECT_EQ(FollowedPathIn("x Inside Wall Street <a href=\"/cgi-bin/SNP?a=1&b=2\" class=LocalNavCell>", followed),
              "/cgi-bin/SNP?a=1&b=2%22%20class=LocalNavCell");
    EXPECT_EQ(FollowedPathIn("/cgi-bin/x LocalNavCell", followed), std::nullopt);
    const std::string longPath = "Inside Wall Street /cgi-bin/" + std::string(2000, 'a') + "LocalNavCell";
    EXPECT_EQ(FollowedPathIn(longPath, followed)->size(), 1299u);
}

}  // namespace
