#include "base/Errors.h"
#include "quotes/QuoteLibrary.h"
#include "support/TempFolder.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::string_view kHistory = "Date,Close\n2024-01-02,10\n";

std::vector<std::string> Symbols(const std::vector<LibrarySymbol>& listed)
{
    std::vector<std::string> symbols;
    for (const LibrarySymbol& entry : listed)
        symbols.push_back(entry.symbol);
    return symbols;
}

}  // namespace

TEST(QuoteLibrary, ListsEverySymbolOnceAndFindQuotesAgreesOnItsPlace)
{
    const TempFolder library;
    library.Write("IBM/table.csv", kHistory);
    library.Write("ibm.csv", kHistory);            // the folder wins
    library.Write("msft.csv", kHistory);
    library.Write("MSFT.csv", kHistory);           // the name in capitals wins
    library.Write("Dell/table.csv", kHistory);
    library.Write("dELL/table.csv", kHistory);     // neither in capitals: byte order
    library.Write("Cat.CSV", kHistory);
    library.Write("notes/readme.txt", "no table here");
    library.Write("notes.txt", "not a history");
    library.Write(".hidden.csv", kHistory);
    library.Write(".csv", kHistory);

    const std::vector<LibrarySymbol> listed = ListQuoteLibrary(library.path());
    EXPECT_EQ(Symbols(listed), (std::vector<std::string>{"CAT", "DELL", "IBM", "MSFT"}));
    for (const LibrarySymbol& entry : listed) {
        SCOPED_TRACE(entry.symbol);
        // The screener opens a row's chart by its symbol: it must mean the place it was listed from.
        const QuoteLocation found = FindQuotes(library.path(), entry.symbol);
        EXPECT_EQ(found.kind, entry.location.kind);
        EXPECT_EQ(found.path, entry.location.path);
    }
    EXPECT_EQ(listed[1].location.path.filename(), "Dell");
    EXPECT_EQ(listed[2].location.kind, QuoteLocation::Kind::QuoteFolder);
    EXPECT_EQ(listed[3].location.path.filename(), "MSFT.csv");
    // Typed in another case, the name written that way comes first.
    EXPECT_EQ(FindQuotes(library.path(), "msft").path.filename(), "msft.csv");
    EXPECT_EQ(FindQuotes(library.path(), "cat").path.filename(), "Cat.CSV");
}

TEST(QuoteLibrary, AFolderOfOneSymbolListsItUnderItsOwnName)
{
    const TempFolder parent;
    parent.Write("ibm/table.csv", kHistory);
    parent.Write("ibm/quotes.csv", "");
    const std::vector<LibrarySymbol> listed = ListQuoteLibrary(parent.path() / "ibm" / "");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].symbol, "IBM");
    EXPECT_EQ(listed[0].location.kind, QuoteLocation::Kind::QuoteFolder);
}

TEST(QuoteLibrary, AMissingFolderIsAnErrorNamingIt)
{
    const TempFolder parent;
    const std::filesystem::path gone = parent.path() / "gone";
    EXPECT_THAT(ThrownMessage<FileError>([&] { ListQuoteLibrary(gone); }), testing::HasSubstr(gone.string()));
    EXPECT_TRUE(ListQuoteLibrary(parent.path()).empty());
}
