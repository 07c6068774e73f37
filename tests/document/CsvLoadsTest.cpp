#include "base/Errors.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"
#include "net/FetchPage.h"
#include "support/NamedPipe.h"
#include "support/PageServer.h"
#include "support/SampleDocument.h"
#include "support/SilentServer.h"
#include "support/TempFolder.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

// A document with the IBM sample loaded, whose service is `server`.
std::unique_ptr<CTarnwickDoc> LoadedWithService(const std::string& base)
{
    auto document = LoadedSample("IBM");
    document->web.hosts.SetCsvServiceUrl(base + "/csv?s={symbol}");
    document->web.today = [] { return CalendarDate{2024, 3, 18}; };
    return document;
}

void ExpectStillTheIbmSample(const CTarnwickDoc& document, double newestClose)
{
    EXPECT_EQ(document.loadedSymbol, "IBM");
    EXPECT_EQ(document.sourceMode, CTarnwickDoc::kLocalFiles);
    EXPECT_EQ(document.store.barCount, 400);
    EXPECT_EQ(document.store.close[0], newestClose);
    EXPECT_EQ(document.latestQuote().quoteMerged, 1);
}

}  // namespace

TEST(CsvLoads, AnImportReplacesTheDataOnlyWhenItWorked)
{
    const TempFolder folder;
    folder.Write("bad.csv", "Date,Close\n2024-01-02,null\n");
    folder.Write("msft.csv", "Date,Close\n2024-03-15,400.5\n2024-03-18,410\n");
    auto document = LoadedSample("IBM");
    const double ibmClose = document->store.close[0];
    document->chartPage = 1;

    EXPECT_THROW(ImportQuotes(*document, folder.path() / "bad.csv"), FileError);
    EXPECT_THROW(ImportQuotes(*document, folder.path() / "missing.csv"), FileError);
    ExpectStillTheIbmSample(*document, ibmClose);

    const CsvReadReport report = ImportQuotes(*document, folder.path() / "msft.csv");
    EXPECT_EQ(report.rowsRead, 2);
    EXPECT_EQ(document->symbol, "MSFT");
    EXPECT_EQ(document->loadedSymbol, "MSFT");
    EXPECT_EQ(document->sourceMode, CTarnwickDoc::kCsvFile);
    EXPECT_EQ(document->chartPage, 0);
    EXPECT_EQ(document->store.barCount, 2);
    EXPECT_EQ(document->store.close[0], 410);
    EXPECT_EQ(document->latestQuote().quoteMerged, 0);  // the IBM quote is gone with the IBM bars
    EXPECT_EQ(document->csvReport.rowsRead, 2);

    // Reading again from the file, as a repeated load does.
    LoadQuotes(*document);
    EXPECT_EQ(document->store.barCount, 2);
}

TEST(CsvLoads, ANamedPipeIsRefusedWithoutWaitingForAWriter)
{
    const TempFolder folder;
    const std::filesystem::path pipe = folder.path() / "ibm.csv";
    ASSERT_TRUE(MakeNamedPipe(pipe));
    auto document = LoadedSample("IBM");
    const double ibmClose = document->store.close[0];
    EXPECT_THAT(PipeReadFailure(pipe, [&] { ImportQuotes(*document, pipe); }),
                testing::HasSubstr("\"" + pipe.string() + "\" is not a regular file but a named pipe"));
    ExpectStillTheIbmSample(*document, ibmClose);
}

TEST(CsvLoads, AFailedOrCancelledServiceReadLeavesTheChartAsItWas)
{
    PageServer server;
    server.Serve("/csv?s=MSFT", "Date,Close\n2024-03-15,400.5\n");
    auto document = LoadedWithService(server.base());
    const double ibmClose = document->store.close[0];

    document->symbol = "NOPE";
    EXPECT_THAT(ThrownMessage<NetworkError>([&] { ReadQuoteService(*document); }),
                testing::AllOf(testing::HasSubstr("/csv?s=NOPE"), testing::HasSubstr("HTTP status 404")));
    document->symbol = "MSFT";
    document->web.fetch = [](const PageRequest& request, std::span<char> buffer) {
        return FetchPage(request, buffer, {}, [](std::size_t) { return false; });
    };
    EXPECT_THROW(ReadQuoteService(*document), FetchCancelled);
    ExpectStillTheIbmSample(*document, ibmClose);

    document->web.fetch = [](const PageRequest& request, std::span<char> buffer) { return FetchPage(request, buffer); };
    ReadQuoteService(*document);
    EXPECT_EQ(document->loadedSymbol, "MSFT");
    EXPECT_EQ(document->sourceMode, CTarnwickDoc::kCsvService);
    EXPECT_EQ(server.targets().back(), "/csv?s=MSFT");
}

TEST(CsvLoads, AServiceThatNeverAnswersTimesOutNamingHostAndPath)
{
    const SilentServer silent;
    auto document = LoadedWithService(silent.base());
    document->symbol = "IBM";
    document->web.fetch = [](const PageRequest& request, std::span<char> buffer) {
        return FetchPage(request, buffer, {.connectTimeout = std::chrono::milliseconds(200),
                                           .totalTimeout = std::chrono::milliseconds(300)});
    };
    EXPECT_THAT(ThrownMessage<NetworkError>([&] { ReadQuoteService(*document); }),
                testing::HasSubstr("/csv?s=IBM from " + silent.base().substr(7) + ": Timeout"));
    EXPECT_EQ(document->store.barCount, 400);
}
