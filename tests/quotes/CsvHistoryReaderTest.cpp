#include "base/Errors.h"
#include "quotes/CsvHistoryReader.h"
#include "quotes/QuoteSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Bar {
    std::string date;
    double open, high, low, close, rawClose, volume;
};

void ExpectBar(const QuoteSeries& store, int i, const Bar& expected)
{
    SCOPED_TRACE("bar " + std::to_string(i));
    EXPECT_EQ(store.dates[i], expected.date);
    EXPECT_DOUBLE_EQ(store.open[i], expected.open);
    EXPECT_DOUBLE_EQ(store.high[i], expected.high);
    EXPECT_DOUBLE_EQ(store.low[i], expected.low);
    EXPECT_DOUBLE_EQ(store.close[i], expected.close);
    EXPECT_DOUBLE_EQ(store.rawClose[i], expected.rawClose);
    EXPECT_DOUBLE_EQ(store.volume[i], expected.volume);
}

class CsvHistoryReaderTest : public ::testing::Test {
protected:
    CsvReadReport Parse(std::string_view text) { return reader.Parse(*store, text, "quotes.csv"); }

    // The message of the FileError that parsing `text` throws.
    std::string Failure(std::string_view text)
    {
        try {
            Parse(text);
        } catch (const FileError& error) {
            return error.what();
        }
        return "no error";
    }

    CsvHistoryReader reader;
    std::unique_ptr<QuoteSeries> store = std::make_unique<QuoteSeries>();
};

}  // namespace

TEST_F(CsvHistoryReaderTest, VendorDownloadAscendingWithAdjustedCloseAndNullRows)
{
    const CsvReadReport report = Parse("\xEF\xBB\xBF"
                                       "Date,Open,High,Low,Close,Adj Close,Volume\r\n"
                                       "2024-03-13,10.00,11.00,9.00,10.00,5.00,1000\r\n"
                                       "2024-03-14,null,null,null,null,null,null\r\n"
                                       "\r\n"
                                       "2024-03-15,20.00,22.00,19.00,21.00,21.00,3000\r\n"
                                       "2024-03-18,30.00,33.00,27.00,30.00,15.00,4000\r\n");
    ASSERT_EQ(store->barCount, 3);
    // Newest first; the adjusted close halves the prices and doubles the volume.
    ExpectBar(*store, 0, {"18-Mar-24", 15, 16.5, 13.5, 15, 30, 8000});
    ExpectBar(*store, 1, {"15-Mar-24", 20, 22, 19, 21, 21, 3000});
    ExpectBar(*store, 2, {"13-Mar-24", 5, 5.5, 4.5, 5, 10, 2000});
    EXPECT_EQ(report.layout, "comma-separated: date, open, high, low, close, adj close, volume");
    EXPECT_EQ(report.rowsRead, 3);
    EXPECT_EQ(report.SkippedText(), "1 row skipped: line 3");
}

TEST_F(CsvHistoryReaderTest, EveryLayoutOfOneHistoryGivesTheSameBars)
{
    const std::vector<Bar> expected = {{"15-Mar-24", 172.5, 173.25, 170.5, 172.75, 0, 61000},
                                       {"14-Mar-24", 171.25, 174, 171, 173, 0, 72500},
                                       {"1-Mar-24", 180, 181.5, 179.75, 181, 0, 48000}};
    const struct {
        const char* name;
        const char* text;
        const char* layout;
    } files[] = {
        {"plain header, newest first",
         "Date,Open,High,Low,Close,Volume\n2024-03-15,172.5,173.25,170.5,172.75,61000\n"
         "2024-03-14,171.25,174,171,173,72500\n2024-03-01,180,181.5,179.75,181,48000\n",
         "comma-separated: date, open, high, low, close, volume"},
        {"ticker, period and time columns",
         "<TICKER>,<PER>,<DATE>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>\n"
         "AAPL,D,20240301,000000,180,181.5,179.75,181,48000\nAAPL,D,20240314,000000,171.25,174,171,173,72500\n"
         "AAPL,D,20240315,000000,172.5,173.25,170.5,172.75,61000\n",
         "comma-separated: date, time, open, high, low, close, volume"},
        {"semicolon, decimal commas, day first",
         "Datum;Eröffnung;Hoch;Tief;Schluss;Volumen\n15.03.2024;172,5;173,25;170,5;172,75;61.000\n"
         "14.03.2024;171,25;174;171;173;72.500\n01.03.2024;180;181,5;179,75;181;48.000\n",
         "semicolon-separated with decimal commas: date, open, high, low, close, volume"},
        {"tab, no header",
         "2024-03-15\t172.5\t173.25\t170.5\t172.75\t61000\n2024-03-14\t171.25\t174\t171\t173\t72500\n"
         "2024-03-01\t180\t181.5\t179.75\t181\t48000\n",
         "tab-separated, no header: date, open, high, low, close, volume"},
        {"quoted US dates, dollar prices, columns in another order",
         "Date,Close/Last,Volume,Open,High,Low\n\"Mar 15, 2024\",$172.75,61000,$172.50,$173.25,$170.50\n"
         "03/14/2024,$173.00,\"72,500\",$171.25,$174.00,$171.00\n3/1/2024,$181,48000,$180,$181.5,$179.75\n",
         "comma-separated: date, close, volume, open, high, low"},
        {"day-first slashes and two-digit years",
         "Date,Open,High,Low,Close,Volume\n15/03/2024,172.5,173.25,170.5,172.75,61000\n"
         "14-Mar-24,171.25,174,171,173,72500\n01/03/2024 16:00,180,181.5,179.75,181,48000\n",
         "comma-separated: date, open, high, low, close, volume"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const CsvReadReport report = Parse(file.text);
        EXPECT_EQ(report.layout, file.layout);
        EXPECT_EQ(report.rowsSkipped, 0);
        ASSERT_EQ(store->barCount, 3);
        for (int i = 0; i < 3; ++i)
            ExpectBar(*store, i, expected[static_cast<std::size_t>(i)]);
    }
}

TEST_F(CsvHistoryReaderTest, MissingColumnsTakeTheCloseAndVolumeZero)
{
    Parse("timestamp;close\n2024-01-02;10,5\n2024-01-03;11\n");
    ASSERT_EQ(store->barCount, 2);
    ExpectBar(*store, 0, {"3-Jan-24", 11, 11, 11, 11, 0, 0});
    ExpectBar(*store, 1, {"2-Jan-24", 10.5, 10.5, 10.5, 10.5, 0, 0});
}

TEST_F(CsvHistoryReaderTest, RowsAreSortedAndARepeatedDateKeepsTheLastRowRead)
{
    Parse("Date,Close\n2024-01-03,3\n2024-01-01,1\n2024-01-02,2\n2024-01-01,1.5\n");
    ASSERT_EQ(store->barCount, 3);
    EXPECT_EQ(store->dates[0], "3-Jan-24");
    EXPECT_DOUBLE_EQ(store->close[1], 2);
    EXPECT_DOUBLE_EQ(store->close[2], 1.5);
}

TEST_F(CsvHistoryReaderTest, TheStoreHoldsTheTextOfTheLastFileReadAlone)
{
    Parse("Date,Close\n2024-01-03,3\n2024-01-01,1\n2024-01-02,2\n");
    Parse("\xEF\xBB\xBF" "Date,Close\n2024-01-05,5\n");
    EXPECT_EQ(QuoteSeries::TextOf(store->historyText), "Date,Close\n2024-01-05,5\n");
    EXPECT_EQ(store->barCount, 1);
}

TEST_F(CsvHistoryReaderTest, AFileWithoutAUsableLayoutIsStillKeptWhole)
{
    // Rows enough to run past the blocks the first two lines lie in.
    std::string text = "Date,Open,Volume\n";
    for (int day = 1; day <= 28; ++day)
        text += "2024-01-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + ",1,2\n";
    EXPECT_EQ(Failure(text), "The CSV quote file \"quotes.csv\" has no close column.");
    EXPECT_EQ(QuoteSeries::TextOf(store->historyText), text);
}

TEST_F(CsvHistoryReaderTest, BadRowsAreSkippedAndCountedByLine)
{
    const CsvReadReport report = Parse("Date,Open,High,Low,Close,Volume\n"
                                       "2024-01-02,1,1,1,1,10\n"
                                       "2024-01-03,1,1,1,NaN,10\n"
                                       "not a date,1,1,1,1,10\n"
                                       "2024-01-05,1,1,1,0,10\n"
                                       "2024-01-08,-1,1,1,2,10\n"
                                       "2024-01-09,1,1,1,,10\n"
                                       "2024-01-10,1,1,1,3,lots\n");
    EXPECT_EQ(store->barCount, 2);
    EXPECT_DOUBLE_EQ(store->volume[0], 0);  // a volume that is no number
    EXPECT_EQ(report.rowsSkipped, 5);
    EXPECT_EQ(report.SkippedText(), "5 rows skipped: line 3, 4, 5, 6, 7");
}

TEST_F(CsvHistoryReaderTest, KeepsTheFourHundredNewestRowsOfALongerHistory)
{
    std::string text = "Date,Close\n";
    for (int day = 0; day < 450; ++day) {
        const int year = 2000 + day / 300;
        const int month = 1 + day / 25 % 12;
        const int dayOfMonth = 1 + day % 25;
        text += std::to_string(year) + "-" + (month < 10 ? "0" : "") + std::to_string(month) + "-" +
                (dayOfMonth < 10 ? "0" : "") + std::to_string(dayOfMonth) + "," + std::to_string(100 + day) + "\n";
    }
    const CsvReadReport report = Parse(text);
    ASSERT_EQ(store->barCount, kMaxBars);
    EXPECT_EQ(report.rowsRead, kMaxBars);
    EXPECT_EQ(report.Summary(), "comma-separated: date, close; 400 of 450 rows read");
    EXPECT_DOUBLE_EQ(store->close[0], 549);
    EXPECT_DOUBLE_EQ(store->close[kMaxBars - 1], 150);
    EXPECT_GT(store->MonthMarkCount(), 10);
}

TEST_F(CsvHistoryReaderTest, FilesItCannotUseSayWhatIsMissingAndLeaveNoBars)
{
    EXPECT_EQ(Failure(""), "The CSV quote file \"quotes.csv\" is empty.");
    EXPECT_EQ(Failure("Date,Open,Volume\n2024-01-02,1,2\n"), "The CSV quote file \"quotes.csv\" has no close column.");
    EXPECT_EQ(Failure("Close,Volume\n1,2\n"), "The CSV quote file \"quotes.csv\" has no date column.");
    EXPECT_NE(Failure("a,b,c\n1,2,3\n").find("no header naming a date and a close column"), std::string::npos);
    EXPECT_EQ(Failure("Date,Close\n2024-01-02,null\n2024-01-03,x\n"),
              "The CSV quote file \"quotes.csv\" holds no usable row: each needs a date and a close above 0 "
              "(2 rows skipped: line 2, 3).");
    EXPECT_EQ(Failure("Date,Time,Close\n2024-01-02,09:30,1\n2024-01-02,09:35,2\n"),
              "The CSV quote file \"quotes.csv\", line 3: intraday files are not supported; download daily quotes.");
    EXPECT_NE(Failure("Date,Close\n2024-01-02 09:30,1\n2024-01-02 16:00,2\n").find("intraday"), std::string::npos);
    EXPECT_EQ(store->barCount, 0);
}

TEST_F(CsvHistoryReaderTest, TextThatIsNoPlainLinesSaysWhyAndWhatToDo)
{
    const std::string history = "Date,Close\n2024-01-02,10\n2024-01-03,11\n";
    std::string littleEndian = "\xFF\xFE";
    std::string bigEndian;
    for (const char c : history) {
        littleEndian += {c, '\0'};
        bigEndian += {'\0', c};
    }
    for (const std::string& utf16 : {littleEndian, bigEndian})
        EXPECT_EQ(Failure(utf16), "The CSV quote file \"quotes.csv\" is UTF-16 text, two bytes a character; "
                                  "save it as UTF-8 or plain ASCII text.");

    std::string carriageReturns = history;
    std::replace(carriageReturns.begin(), carriageReturns.end(), '\n', '\r');
    EXPECT_EQ(Failure(carriageReturns),
              "The CSV quote file \"quotes.csv\" ends its lines with a carriage return alone, as old Mac programs "
              "did; save it with line feeds (Unix or Windows line ends).");
    EXPECT_EQ(Failure(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)),
              "The CSV quote file \"quotes.csv\" holds NUL bytes, so it is no text file; check that it is the file "
              "meant.");
    EXPECT_EQ(store->barCount, 0);

    // A stray NUL in a file that reads is no reason to refuse it.
    Parse(history + std::string("x\0y\n", 4));
    EXPECT_EQ(store->barCount, 2);
}

TEST_F(CsvHistoryReaderTest, HostileTextStaysInsideItsLines)
{
    const std::string longField(100000, '9');
    const std::string texts[] = {
        "Date,Close\n\"2024-01-02,1\n",          // a quote that never closes
        "Date,Close\n2024-01-02," + longField,   // a number too long to be one
        std::string("Date,Close\n2024-01-0\0" "2,1\n", 22),
        "Date,Close\n9999-99-99,1\n2024-02-30,1\n00000000,1\n",
        ";;;;\n;;;;\n",
    };
    for (const std::string& text : texts) {
        try {
            Parse(text);
        } catch (const FileError&) {
        }
        EXPECT_LE(store->barCount, 1);
    }
}

TEST_F(CsvHistoryReaderTest, FieldsThatAreNotPlainReadAsTheirTrimmedUnquotedText)
{
    // Dates and numbers are read where they stand while they are plain;
    // quotes, blanks, a time, a second point or too many digits hand the
    // field over to the field reader, with CRLF and no last line feed.
    const CsvReadReport report = Parse("Date,Open,High,Low,Close,Volume\r\n"
                                       "\"2024-03-15\",\"172.5\", 173.25 ,170.5,172.75,61000\r\n"
                                       "2024-03-14 16:00,171.25,174,171,173,72500\r\n"
                                       "2024-03-13,171.25,174,171,173\r\n"
                                       "2024-03-12,1.5.5,2,1,1.25,9\r\n"
                                       "2024-03-11,1,2,1,1.5,12345678901234567890");
    EXPECT_EQ(report.rowsSkipped, 0);
    ASSERT_EQ(store->barCount, 5);
    ExpectBar(*store, 0, {"15-Mar-24", 172.5, 173.25, 170.5, 172.75, 0, 61000});
    ExpectBar(*store, 1, {"14-Mar-24", 171.25, 174, 171, 173, 0, 72500});
    ExpectBar(*store, 2, {"13-Mar-24", 171.25, 174, 171, 173, 0, 0});
    ExpectBar(*store, 3, {"12-Mar-24", 1.25, 2, 1, 1.25, 0, 9});  // "1.5.5" is no number: the close stands in
    EXPECT_EQ(store->volume[4], 12345678901234567890.0);
}

TEST_F(CsvHistoryReaderTest, ADayFirstDateAfterMonthFirstOnesMakesEveryDateDayFirst)
{
    const CsvReadReport report = Parse("Date,Close\n3/4/2024,1\n2/4/2024,0.5\n15/4/2024,2\n");
    EXPECT_EQ(report.rowsSkipped, 0);
    EXPECT_EQ(report.rowsInFile, 3);
    ASSERT_EQ(store->barCount, 3);
    EXPECT_EQ(store->dates[0], "15-Apr-24");
    EXPECT_EQ(store->dates[1], "3-Apr-24");
    EXPECT_EQ(store->dates[2], "2-Apr-24");

    // Decimal commas: a point groups thousands, also in a plain-looking field.
    Parse("Datum;Schluss\n15.03.2024;2,5\n14.03.2024;1.234\n");
    EXPECT_EQ(store->close[0], 2.5);
    EXPECT_EQ(store->close[1], 1234);
}

TEST_F(CsvHistoryReaderTest, LinesQuotesAndLineEndsAcrossBlockEdgesReadAsTheyStand)
{
    // Prices of 1 to 7 fraction digits move every later field, line end and
    // quote of a row across the edges of the blocks the reader scans; more
    // than 64 lines, mixed line ends, blank lines, a NUL byte, a bad date
    // far down and no last line feed.
    std::string text = "Date,Open,High,Low,Close,Volume\n";
    int line = 1;
    int badLine = 0;
    std::vector<Bar> oldestFirst;
    for (int d = 0; d < 150; ++d) {
        const int month = 1 + d / 28;
        const int day = 1 + d % 28;
        const std::string date = "2021-0" + std::to_string(month) + "-" + (day < 10 ? "0" : "") + std::to_string(day);
        const std::string zeros(static_cast<std::size_t>(d % 7), '0');
        const int volume = 1000 + d;
        const std::string volumeText =
            d % 3 == 0 ? "\"1," + std::to_string(volume).substr(1) + "\"" : std::to_string(volume);
        const std::string high = d == 77 ? std::string("1\0" "5", 3) : std::to_string(12 + d) + ".5" + zeros;
        text += (d == 100 ? "2021-02-30" : date) + "," + std::to_string(10 + d) + ".5" + zeros + "," + high + "," +
                std::to_string(5 + d) + "," + std::to_string(11 + d) + "," + volumeText;
        ++line;
        if (d == 100) {
            badLine = line;
        } else {
            const double close = 11 + d;
            oldestFirst.push_back({std::to_string(day) + "-" + std::string("JanFebMarAprMayJun").substr(
                                                                    static_cast<std::size_t>(month - 1) * 3, 3) +
                                       "-21",
                                   10.5 + d, d == 77 ? close : 12.5 + d, 5.0 + d, close, 0, double(volume)});
        }
        if (d < 149)
            text += d % 2 == 1 ? "\r\n" : "\n";
        if (d % 10 == 9 && d < 149) {
            text += " \t\n";
            ++line;
        }
    }
    const CsvReadReport report = Parse(text);
    EXPECT_EQ(report.SkippedText(), "1 row skipped: line " + std::to_string(badLine));
    EXPECT_EQ(badLine, 112);
    EXPECT_EQ(report.rowsInFile, 150);
    ASSERT_EQ(store->barCount, 149);
    for (int i = 0; i < 149; ++i)
        ExpectBar(*store, i, oldestFirst[static_cast<std::size_t>(148 - i)]);
}

TEST_F(CsvHistoryReaderTest, AFileEndingOnABlockEdgeKeepsItsLastRow)
{
    // The last row's close padded with zeros so that the file ends just
    // before, on and just after the edges of 16- and 64-byte blocks, with and
    // without a last line feed.
    const std::string head = "Date,Close\n2024-01-02,1\n2024-01-03,2\n2024-01-04,3.";
    for (std::size_t size : {63, 64, 65, 79, 80, 81, 127, 128, 129}) {
        for (const bool lineFeed : {false, true}) {
            std::string text = head + std::string(size - head.size() - (lineFeed ? 1 : 0), '0');
            if (lineFeed)
                text += '\n';
            ASSERT_EQ(text.size(), size);
            SCOPED_TRACE(text);
            Parse(text);
            ASSERT_EQ(store->barCount, 3);
            EXPECT_EQ(store->dates[0], "4-Jan-24");
            EXPECT_EQ(store->close[0], 3);
            EXPECT_EQ(store->close[2], 1);
        }
    }
}

TEST_F(CsvHistoryReaderTest, YearMonthDayDatesAreRealCalendarDatesOrTheRowIsSkipped)
{
    const CsvReadReport report = Parse("Date,Close\n"
                                       "2000-02-29,1\n"   // a leap year: divisible by 400
                                       "1900-02-29,1\n"   // no leap year: divisible by 100
                                       "2024-02-29,2\n"
                                       "2023-02-29,1\n"
                                       "2024-04-31,1\n"
                                       "2024-00-10,1\n"
                                       "1899-12-31,1\n"   // before the first year read
                                       "2099-12-31,3\n"
                                       "2100-01-01,1\n"   // after the last
                                       "2024-3-05,4\n"    // one-digit month
                                       "2024-03-05x,1\n"  // more than a date in the field
                                       "2024-03-06 ,5\n"  // a blank after it
                                       "2O24-03-07,1\n");
    EXPECT_EQ(report.SkippedText(), "8 rows skipped: line 3, 5, 6, 7, 8, 10, 12, 14");
    ASSERT_EQ(store->barCount, 5);
    const std::vector<std::string> dates(store->dates.begin(), store->dates.begin() + 5);
    EXPECT_EQ(dates, (std::vector<std::string>{"31-Dec-99", "6-Mar-24", "5-Mar-24", "29-Feb-24", "29-Feb-00"}));
    EXPECT_EQ(store->close[0], 3);
    EXPECT_EQ(store->close[1], 5);
    EXPECT_EQ(store->close[4], 1);
}

TEST_F(CsvHistoryReaderTest, AHistoryLongerThanTheTextBufferIsReadWholeAndKeptUpToTheBuffer)
{
    // Rows of changing lengths put line feeds at every place of the 64-byte
    // blocks; now and then a run of blank lines puts many in one block. The
    // text passes the store's text buffer; the rows come newest first.
    std::string text = "Date,Close\n";
    int line = 1;
    int rows = 0;
    int badLine = 0;
    for (int day = 0; text.size() < kTextBufferSize + 20000; ++day) {
        const int months = day / 28;
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d,", 2023 - months / 12, 12 - months % 12, 28 - day % 28);
        const bool bad = day == 7;
        text += date + (bad ? std::string("-1") : std::to_string(1 + day % 97) + "." + std::string(1 + day % 13, '5'));
        text += day % 3 == 0 ? "\r\n" : "\n";
        ++line;
        ++rows;
        if (bad)
            badLine = line;
        if (day % 97 == 5) {
            text += std::string(static_cast<std::size_t>(1 + day % 9), '\n') + " \r\n";
            line += 2 + day % 9;
        }
    }
    const CsvReadReport report = Parse(text);
    EXPECT_EQ(report.rowsInFile, rows);
    EXPECT_EQ(report.SkippedText(), "1 row skipped: line " + std::to_string(badLine));
    ASSERT_EQ(store->barCount, kMaxBars);
    EXPECT_EQ(store->dates[0], "28-Dec-23");
    EXPECT_EQ(store->close[0], 1.5);
    EXPECT_EQ(store->dates[kMaxBars - 1], "20-Oct-22");  // day 400: one row was skipped
    const std::string_view kept = QuoteSeries::TextOf(store->historyText);
    EXPECT_EQ(kept.size(), kTextBufferSize - 1);
    EXPECT_TRUE(kept == std::string_view(text).substr(0, kTextBufferSize - 1));
}
