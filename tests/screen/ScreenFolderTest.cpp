#include "base/Errors.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"
#include "document/SignalSets.h"
#include "screen/ScreenFolder.h"
#include "screen/ScreenSymbol.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stop_token>
#include <string>
#include <thread>

#include <sys/stat.h>

namespace {

std::string SampleFile(const std::string& symbol, const std::string& name)
{
    return ReadFile(std::filesystem::path(SampleDir(symbol)) / name);
}

// The sample histories in both forms, and every kind of file a real quote
// folder gathers that is not a history.
void WriteMixedLibrary(const TempFolder& library)
{
    for (const std::string symbol : {"IBM", "CAT"}) {
        library.Write(symbol + "/table.csv", SampleFile(symbol, "table.csv"));
        library.Write(symbol + "/quotes.csv", SampleFile(symbol, "quotes.csv"));
    }
    library.Write("cat.csv", SampleFile("AAPL", "table.csv"));  // CAT's folder is read, not this
    library.Write("AAPL.csv", ReadFile(std::filesystem::path(TARNWICK_SAMPLE_DIR) / "AAPL.csv"));
    library.Write("ORCL/table.csv", SampleFile("ORCL", "table.csv"));  // without its quotes.csv
    library.Write("EMPTY.csv", "");
    constexpr char kPngStart[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe";
    library.Write("BINARY.csv", std::string(kPngStart, sizeof kPngStart - 1));
    library.Write("NOCLOSE.csv", "Date,Open,High,Low,Volume\n2024-01-02,1,2,0.5,100\n2024-01-03,1,2,0.5,100\n");
    library.Write("BLANK/table.csv", "");
    library.Write("NOTES/readme.txt", "not a symbol");
}

std::unique_ptr<CTarnwickDoc> ReadAsTheMenuCommandDoes(const std::filesystem::path& folder, const std::string& symbol)
{
    auto document = std::make_unique<CTarnwickDoc>();
    document->quoteDir = folder;
    document->symbol = symbol;
    document->sourceMode = CTarnwickDoc::kLocalFiles;
    LoadQuotes(*document);
    return document;
}

void ExpectRowOfDocument(const ScreenRow& row, const CTarnwickDoc& document)
{
    EXPECT_EQ(row.bars, document.store.barCount);
    EXPECT_EQ(row.newestDate, document.store.dates[0]);
    EXPECT_EQ(row.lastClose, document.store.close[0]);
    ASSERT_TRUE(row.changePercent);
    EXPECT_NEAR(*row.changePercent, (document.store.close[0] / document.store.close[1] - 1) * 100, 1e-9);
    EXPECT_EQ(row.buyTotal, document.volumeForecast.todayBuyTotal);
    EXPECT_EQ(row.sellTotal, document.volumeForecast.todaySellTotal);
    int buys = 0;
    int sells = 0;
    const auto sets = SignalSetsInChartOrder(document);
    for (std::size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(row.signals[i], (SignalCount{sets[i]->buyToday, sets[i]->sellToday})) << i;
        buys += row.signals[i].buy;
        sells += row.signals[i].sell;
    }
    EXPECT_EQ(buys, row.buyTotal);
    EXPECT_EQ(sells, row.sellTotal);
}

// A library of `count` symbols S0000, S0001, ..., each a copy of the IBM history.
void WriteCopies(const TempFolder& library, int count)
{
    const std::string table = SampleFile("IBM", "table.csv");
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "S%04d", i);
        library.Write(std::string(name) + "/table.csv", table);
        library.Write(std::string(name) + "/quotes.csv", "");
    }
}

}  // namespace

TEST(ScreenFolder, EverySymbolGetsARowAndABadFileOnlyItsOwnError)
{
    const TempFolder library;
    WriteMixedLibrary(library);
    const ScreenResult result = ScreenFolder(library.path(), 2);

    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.symbolCount, 8);
    ASSERT_EQ(result.rows.size(), 8u);
    const char* expected[] = {"AAPL", "BINARY", "BLANK", "CAT", "EMPTY", "IBM", "NOCLOSE", "ORCL"};
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const ScreenRow& row = result.rows[i];
        SCOPED_TRACE(row.symbol);
        EXPECT_EQ(row.symbol, expected[i]);
        const bool bad = row.symbol == "BINARY" || row.symbol == "BLANK" || row.symbol == "EMPTY" ||
                         row.symbol == "NOCLOSE" || row.symbol == "ORCL";
        EXPECT_EQ(row.failed(), bad) << row.error;
        if (bad) {
            EXPECT_NE(row.error.find(row.location.path.filename().string()), std::string::npos) << row.error;
            EXPECT_FALSE(row.hasSignal());
            continue;
        }
        // Exactly what Read C:\ shows for the symbol in this folder.
        ExpectRowOfDocument(row, *ReadAsTheMenuCommandDoes(library.path(), row.symbol));
    }
    EXPECT_EQ(result.readCount(), 3);
    EXPECT_NE(result.rows[7].error.find("quotes.csv"), std::string::npos);
    EXPECT_EQ(result.rows[3].bars, 400);  // CAT from its folder, not the AAPL history in cat.csv
    EXPECT_EQ(result.rows[3].newestDate, LoadedSample("CAT")->store.dates[0]);
}

TEST(ScreenFolder, TheRowsDoNotDependOnTheNumberOfThreads)
{
    const TempFolder library;
    WriteMixedLibrary(library);
    WriteCopies(library, 20);
    const ScreenResult alone = ScreenFolder(library.path(), 1);
    const ScreenResult four = ScreenFolder(library.path(), 4);
    ASSERT_EQ(alone.rows.size(), four.rows.size());
    for (std::size_t i = 0; i < alone.rows.size(); ++i) {
        const ScreenRow& a = alone.rows[i];
        const ScreenRow& b = four.rows[i];
        SCOPED_TRACE(a.symbol);
        EXPECT_EQ(a.symbol, b.symbol);
        EXPECT_EQ(a.error, b.error);
        EXPECT_EQ(a.lastClose, b.lastClose);
        EXPECT_EQ(a.newestDate, b.newestDate);
        EXPECT_EQ(a.signals, b.signals);
        EXPECT_EQ(a.buyTotal, b.buyTotal);
        EXPECT_EQ(a.sellTotal, b.sellTotal);
    }
}

TEST(ScreenFolder, ACancelledScanReturnsTheRowsDoneAndSaysItIsIncomplete)
{
    const TempFolder library;
    WriteCopies(library, 300);
    const ScreenRow whole = ScreenFolder(library.path() / "S0000").rows.at(0);

    std::stop_source stop;
    ScreenProgress progress;
    std::jthread canceller([&] {
        while (progress.done < 10)
            std::this_thread::yield();
        stop.request_stop();
    });
    const ScreenResult result = ScreenFolder(library.path(), 4, stop.get_token(), &progress);

    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.symbolCount, 300);
    EXPECT_EQ(progress.total, 300);
    EXPECT_GE(result.rows.size(), 10u);
    EXPECT_LT(result.rows.size(), 300u);
    EXPECT_EQ(static_cast<int>(result.rows.size()), progress.done);
    for (std::size_t i = 1; i < result.rows.size(); ++i)
        EXPECT_LT(result.rows[i - 1].symbol, result.rows[i].symbol);
    for (const ScreenRow& row : result.rows) {
        EXPECT_FALSE(row.failed()) << row.error;
        EXPECT_EQ(row.signals, whole.signals);
    }

    std::stop_source stopped;
    stopped.request_stop();
    const ScreenResult none = ScreenFolder(library.path(), 2, stopped.get_token());
    EXPECT_FALSE(none.complete);
    EXPECT_TRUE(none.rows.empty());
}

TEST(ScreenFolder, AFolderWithoutSymbolsIsAnErrorNamingIt)
{
    const TempFolder library;
    library.Write("notes.txt", "nothing here");
    for (const std::filesystem::path& folder : {library.path(), library.path() / "missing"})
        EXPECT_THAT(ThrownMessage<FileError>([&] { ScreenFolder(folder); }), testing::HasSubstr(folder.string()));
}

TEST(ScreenSymbol, AHistoryThatIsGoneOrNoFileWhenItsTurnComesIsThatSymbolsErrorNamingIt)
{
    // The listing saw four ordinary histories; three change before they are read.
    const TempFolder library;
    WriteCopies(library, 4);
    const std::vector<LibrarySymbol> symbols = ListQuoteLibrary(library.path());
    ASSERT_EQ(symbols.size(), 4u);
    const std::filesystem::path gone = symbols[1].location.path / "table.csv";
    const std::filesystem::path folder = symbols[2].location.path / "table.csv";
    const std::filesystem::path pipe = symbols[3].location.path / "table.csv";
    std::filesystem::remove(gone);
    std::filesystem::remove(folder);
    std::filesystem::create_directory(folder);
    std::filesystem::remove(pipe);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);

    CTarnwickDoc document;
    const ScreenRow read = ScreenSymbol(document, symbols[0]);
    EXPECT_FALSE(read.failed()) << read.error;
    for (const auto& [symbol, file, why] : {std::tuple{symbols[1], gone, "Cannot open"},
                                            std::tuple{symbols[2], folder, "it is a folder"},
                                            std::tuple{symbols[3], pipe, "a named pipe"}}) {
        // Without waiting for a writer to the pipe.
        const ScreenRow row = ScreenSymbol(document, symbol);
        EXPECT_TRUE(row.failed()) << symbol.symbol;
        EXPECT_THAT(row.error, testing::HasSubstr("\"" + file.string() + "\"")) << symbol.symbol;
        EXPECT_THAT(row.error, testing::HasSubstr(why)) << symbol.symbol;
        EXPECT_FALSE(row.hasSignal());
    }
    // The document those failures went through still reads the next symbol alike.
    const ScreenRow again = ScreenSymbol(document, symbols[0]);
    EXPECT_EQ(again.signals, read.signals);
    EXPECT_EQ(again.lastClose, read.lastClose);
}
