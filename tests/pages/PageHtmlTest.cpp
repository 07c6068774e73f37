#include "pages/PageHtml.h"

#include <gtest/gtest.h>

TEST(PageHtml, EscapedTextReadsTheSameInAnyPageEncoding)
{
    EXPECT_EQ(HtmlEscape("<b>&\"'"), "&lt;b&gt;&amp;&quot;&#39;");
    // A symbol typed in the program is UTF-8; one from an 8-bit file may be Windows-1252.
    EXPECT_EQ(HtmlEscape("SOCIÉTÉ"), "SOCI&#201;T&#201;");
    EXPECT_EQ(HtmlEscape("SOCI\xC9T\xC9"), "SOCI&#201;T&#201;");
    EXPECT_EQ(HtmlEscape("\x80"), "&#8364;");
}
