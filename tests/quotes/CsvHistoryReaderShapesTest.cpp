#include "base/Errors.h"
#include "quotes/CsvHistoryReader.h"
#include "quotes/QuoteSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// Files of many odd shapes, made from a fixed seed, read as the reader read
// them when it was written: every bar, date, report field, error and kept
// text is folded into one number per layout, and each number is the one
// recorded then. A change that moves a single bit of any file moves it.

namespace {

// Raw mt19937 draws: the standard fixes them, unlike its distributions.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    int Below(int count) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(count)); }
    bool OneIn(int count) { return Below(count) == 0; }

private:
    std::mt19937 engine_;
};

// FNV-1a over everything a load gives.
class Fold {
public:
    void Add(std::string_view bytes)
    {
        for (const char c : bytes)
            hash_ = (hash_ ^ static_cast<unsigned char>(c)) * 0x100000001B3;
        hash_ = (hash_ ^ 0xFF) * 0x100000001B3;  // ends each piece
    }
    void Add(double value)
    {
        char bits[sizeof value];
        std::memcpy(bits, &value, sizeof value);
        Add(std::string_view(bits, sizeof bits));
    }
    void Add(int value) { Add(std::to_string(value)); }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325;
};

enum class Layout { Vendor, NoAdjusted, DateClose, NoHeader, DateNotFirst, TimeColumn, DecimalComma, Count };

std::string Header(Layout layout)
{
    switch (layout) {
    case Layout::Vendor: return "Date,Open,High,Low,Close,Adj Close,Volume";
    case Layout::NoAdjusted: return "Date,Open,High,Low,Close,Volume";
    case Layout::DateClose: return "Date,Close";
    case Layout::NoHeader: return "";
    case Layout::DateNotFirst: return "Volume,Close,Date,Open";
    case Layout::TimeColumn: return "Date,Time,Close";
    case Layout::DecimalComma: return "Datum;Schluss;Volumen";
    case Layout::Count: break;
    }
    return "";
}

// A price as vendors write it, now and then something else.
std::string Price(Dice& dice, bool decimalComma)
{
    switch (dice.Below(40)) {
    case 0: return "null";
    case 1: return "";
    case 2: return "-" + std::to_string(1 + dice.Below(50));
    case 3: return "\"" + std::to_string(dice.Below(900)) + "." + std::to_string(dice.Below(100)) + "\"";
    case 4: return "\"1,2" + std::to_string(dice.Below(100)) + ".5\"";
    case 5: return "12345678901234567." + std::to_string(dice.Below(10));
    case 6: return "." + std::to_string(dice.Below(100));
    case 7: return std::to_string(dice.Below(100)) + ".";
    case 8: return "$" + std::to_string(1 + dice.Below(100));
    case 9: return "0";
    case 10: return " " + std::to_string(1 + dice.Below(100)) + " ";
    default: break;
    }
    std::string text = std::to_string(dice.Below(3) == 0 ? dice.Below(100000) : 1 + dice.Below(500));
    const int fraction = dice.Below(8);
    if (fraction > 0) {
        text += decimalComma ? ',' : '.';
        for (int i = 0; i < fraction; ++i)
            text += static_cast<char>('0' + dice.Below(10));
    }
    return text;
}

std::string Volume(Dice& dice)
{
    if (dice.OneIn(30))
        return dice.OneIn(2) ? "null" : "\"1,234,567\"";
    return std::to_string(dice.Below(2000000000));
}

// Day `index` from 1 Jan 2000 on, days 1 to 28, in one of the date forms;
// now and then no real date.
std::string Date(Dice& dice, int index, int form)
{
    const int year = 2000 + index / 336;
    const int month = 1 + index / 28 % 12;
    const int day = 1 + index % 28;
    char text[48];
    if (dice.OneIn(60))
        return dice.OneIn(2) ? "2024-02-30" : "someday";
    switch (form) {
    case 0: std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day); break;
    case 1: std::snprintf(text, sizeof text, "%d/%d/%04d", month, day, year); break;
    case 2: std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year); break;
    case 3: std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day); break;
    default: std::snprintf(text, sizeof text, "%04d-%02d-%02d 16:00:00", year, month, day); break;
    }
    return text;
}

std::string Row(Dice& dice, Layout layout, int day, int dateForm)
{
    const std::string date = Date(dice, day, dateForm);
    const auto price = [&] { return Price(dice, layout == Layout::DecimalComma); };
    std::vector<std::string> fields;
    switch (layout) {
    case Layout::Vendor:
    case Layout::NoHeader:
        fields = {date, price(), price(), price(), price(), price(), Volume(dice)};
        break;
    case Layout::NoAdjusted: fields = {date, price(), price(), price(), price(), Volume(dice)}; break;
    case Layout::DateClose: fields = {date, price()}; break;
    case Layout::DateNotFirst: fields = {Volume(dice), price(), date, price()}; break;
    case Layout::TimeColumn: fields = {date, dice.OneIn(3) ? "16:00" : "09:30", price()}; break;
    case Layout::DecimalComma: fields = {date, price(), Volume(dice)}; break;
    case Layout::Count: break;
    }
    if (dice.OneIn(25))  // missing fields
        fields.resize(static_cast<std::size_t>(1 + dice.Below(static_cast<int>(fields.size()))));
    if (dice.OneIn(40))
        fields.front() = "\"" + fields.front() + "\"";
    const char separator = layout == Layout::DecimalComma ? ';' : ',';
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i)
        text += (i == 0 ? "" : std::string(1, separator)) + fields[i];
    return text;
}

// One file of `layout`: its rows in some order, with repeated dates, blank
// lines, CRLF or mixed line ends, a byte order mark, a last line with or
// without a line feed; `rows` of them.
std::string File(Dice& dice, Layout layout, int rows)
{
    std::vector<int> days;
    for (int day = 0; day < rows; ++day) {
        days.push_back(day);
        if (dice.OneIn(50))
            days.push_back(day);  // the same date again
    }
    switch (dice.Below(4)) {
    case 0: break;
    case 1: std::reverse(days.begin(), days.end()); break;
    case 2:
        for (std::size_t i = days.size(); i > 1; --i)
            std::swap(days[i - 1], days[static_cast<std::size_t>(dice.Below(static_cast<int>(i)))]);
        break;
    default:
        for (int swaps = 0; swaps < 3 && days.size() > 1; ++swaps)
            std::swap(days[static_cast<std::size_t>(dice.Below(static_cast<int>(days.size())))],
                      days[static_cast<std::size_t>(dice.Below(static_cast<int>(days.size())))]);
        break;
    }
    const int dateForm = layout == Layout::DecimalComma ? 2 : dice.Below(8) < 5 ? 0 : dice.Below(5);
    const int lineEnds = dice.Below(3);  // LF, CRLF, mixed
    const auto lineEnd = [&] { return lineEnds == 1 || (lineEnds == 2 && dice.OneIn(2)) ? "\r\n" : "\n"; };
    std::string text = dice.OneIn(4) ? "\xEF\xBB\xBF" : "";
    if (layout != Layout::NoHeader)
        text += Header(layout) + lineEnd();
    for (const int day : days) {
        if (dice.OneIn(30))
            text += std::string(dice.OneIn(2) ? "" : " \t") + lineEnd();
        text += Row(dice, layout, day, dateForm) + lineEnd();
    }
    if (dice.OneIn(2)) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
    }
    return text;
}

// Everything one load of `text` leaves: bars, dates, month marks, the report
// or the error, and the text kept.
void FoldLoad(CsvHistoryReader& reader, QuoteSeries& store, const std::string& text, Fold& fold)
{
    try {
        const CsvReadReport report = reader.Parse(store, text, "shapes.csv");
        fold.Add(report.Summary());
        fold.Add(report.rowsInFile);
        fold.Add(report.rowsRead);
        fold.Add(report.rowsSkipped);
        for (const int line : report.skippedLines)
            fold.Add(line);
    } catch (const FileError& error) {
        fold.Add(std::string_view(error.what()));
    }
    fold.Add(store.barCount);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kMaxBars); ++i) {
        fold.Add(store.dates[i]);
        for (const Series* series :
             {&store.rawClose, &store.close, &store.open, &store.high, &store.low, &store.volume})
            fold.Add((*series)[i]);
    }
    for (std::size_t i = 0; i < store.monthStarts.size(); ++i) {
        fold.Add(store.monthStarts[i]);
        fold.Add(store.monthLabels[i]);
    }
    fold.Add(QuoteSeries::TextOf(store.historyText));
}

// The folded loads of the files of one layout: small, a few hundred rows,
// and longer than the text kept.
std::uint64_t LoadsOf(Layout layout)
{
    Dice dice(1000 + static_cast<std::uint32_t>(layout));
    CsvHistoryReader reader;
    auto store = std::make_unique<QuoteSeries>();
    Fold fold;
    for (int file = 0; file < 40; ++file) {
        const int rows = file % 10 == 9  ? 3000 + dice.Below(1000)
                         : file % 3 == 0 ? 300 + dice.Below(400)
                                         : 1 + dice.Below(40);
        FoldLoad(reader, *store, File(dice, layout, rows), fold);
    }
    return fold.Value();
}

}  // namespace

TEST(CsvHistoryReaderShapes, EveryFileReadsAsWhenTheseNumbersWereRecorded)
{
    constexpr std::array<std::uint64_t, static_cast<std::size_t>(Layout::Count)> kRecorded = {
        12892163942527361064u, 425439370844580645u, 13804150801065562171u,
        17244880972986705721u, 17459128120738956334u, 10932805304978458172u, 13150443192808199675u,
    };
    for (std::size_t layout = 0; layout < kRecorded.size(); ++layout)
        EXPECT_EQ(LoadsOf(static_cast<Layout>(layout)), kRecorded[layout]) << "layout " << layout;
}
