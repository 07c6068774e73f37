#include "quotes/LocalQuoteReader.h"

#include "base/BoundedFileRead.h"
#include "base/ByteScan.h"
#include "base/PlainFieldPair.h"
#include "base/TextFileCheck.h"
#include "quotes/QuoteSeries.h"
#include "quotes/QuoteText.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr int kQuoteFields = 9;
// A row of date, open, high, low, close and volume: five commas, a line feed.
constexpr std::size_t kRowSeparators = 6;
using RowSeparators = std::array<std::uint32_t, kRowSeparators>;
// The numbers of such a row, with room for the volume read as a pair.
constexpr std::size_t kRowNumbers = 5;
using RowValues = std::array<double, kRowNumbers + 1>;

// The text from `pos` to the next comma (or to the end of the text), moving
// `pos` behind that comma.
std::string_view NextField(std::string_view text, std::size_t& pos)
{
    const std::size_t comma = text.find(',', pos);
    const std::string_view field = text.substr(pos, comma == npos ? npos : comma - pos);
    pos = comma == npos ? text.size() : comma + 1;
    return field;
}

// The text from `from` up to `to`, or to the end when `to` is npos.
std::string_view Between(std::string_view text, std::size_t from, std::size_t to)
{
    return text.substr(from, to == npos ? npos : to - from);
}

// The plain number at `pos` (see ReadPlainDecimal), length 0 when there is
// none. It holds neither comma nor line feed, and as the first
// kMaxFieldLength characters of its field it reads as ReadDecimal reads it:
// the field need not be found first.
LeadingNumber PlainNumberAt(std::string_view text, std::size_t pos)
{
    return ReadPlainDecimal(text.substr(pos));
}

// ReadDecimal(TakeField(Between(text, begin, end))) for a field that ends at
// `end`: most fields are a plain number, read where it stands.
double FieldNumber(std::string_view text, std::size_t begin, std::size_t end)
{
    if (const LeadingNumber whole = ReadPlainField(Between(text, begin, end)); whole.length > 0)
        return whole.value;
    const LeadingNumber plain = PlainNumberAt(text, begin);
    return plain.length > 0 ? plain.value : ReadDecimal(TakeField(Between(text, begin, end)));
}

// Where the first five commas and the line feed of the line from `begin`
// stand, when it has them within its first 64 bytes: a row of date, open,
// high, low, close and volume, whose volume field runs on to the line end
// as when its fields are searched for one by one. False for any other line.
// The marks of a row are all found before any of its numbers is read, none
// waiting for the one before it to find its end.
bool FindRowSeparators(std::string_view text, std::size_t begin, RowSeparators& s)
{
    // The numbers are read from the 8 bytes before their ends: from the
    // eighth byte on, those are all in the text.
    const ByteMasks marks = MatchMasks(text, begin, ',', '\n');
    const std::uint64_t lineFeeds = marks.b;
    if (lineFeeds == 0 || begin < 8)
        return false;
    std::uint64_t commas = marks.a & ((lineFeeds & (~lineFeeds + 1)) - 1);
    for (std::size_t i = 0; i + 1 < kRowSeparators; ++i) {
        if (commas == 0)
            return false;
        s[i] = static_cast<std::uint32_t>(begin) + static_cast<std::uint32_t>(std::countr_zero(commas));
        commas &= commas - 1;
    }
    s.back() = static_cast<std::uint32_t>(begin) + static_cast<std::uint32_t>(std::countr_zero(lineFeeds));
    return true;
}

// The numbers of a regular row, whose fields start behind the separators
// s[0] to s[4], into `numbers`: open, high, low, close and volume. Plain
// fields are read two at a time; a pair that is not has each field read
// alone.
void RowNumbers(std::string_view text, const std::uint32_t* s, RowValues& numbers)
{
    for (std::size_t a = 0; a < kRowNumbers; a += 2) {
        // The volume, last and alone, is paired with itself.
        const std::size_t b = std::min(a + 1, kRowNumbers - 1);
        const std::size_t sizeA = s[a + 1] - s[a] - 1;
        const std::size_t sizeB = s[b + 1] - s[b] - 1;
        if (sizeA - 1 < 8 && sizeB - 1 < 8 &&
            ReadPlainFieldPair(text.data() + s[a + 1], sizeA, text.data() + s[b + 1], sizeB, numbers.data() + a))
            continue;
        numbers[a] = FieldNumber(text, s[a] + 1, s[a + 1]);
        numbers[b] = FieldNumber(text, s[b] + 1, s[b + 1]);
    }
}

// ReadDecimal(TakeField(NextField(text, pos))): most fields are a plain
// number right before their comma.
double NextNumber(std::string_view text, std::size_t& pos)
{
    const LeadingNumber plain = PlainNumberAt(text, pos);
    if (plain.length == 0)
        return ReadDecimal(TakeField(NextField(text, pos)));
    pos += plain.length;
    if (pos < text.size() && text[pos] == ',')
        ++pos;
    else
        NextField(text, pos);
    return plain.value;
}

}  // namespace

void LocalQuoteReader::Load(QuoteSeries& store, const std::filesystem::path& quoteDir, std::string_view symbol,
                            LatestQuote& latest)
{
    // One byte of each buffer is kept for the NUL that ends the text.
    historyLength = 0;
    const std::size_t quoteLength = ReadFileBounded(quoteDir / "quotes.csv", "latest-quote file",
                                                    store.quoteText.data(), store.quoteText.size() - 1, kQuoteReadLimit);
    store.quoteText[quoteLength] = '\0';
    historyLength = ReadFileBounded(quoteDir / "table.csv", "price history file", store.historyText.data(),
                                    store.historyText.size() - 1, kHistoryReadLimit);
    store.historyText[historyLength] = '\0';
    Parse(store, symbol, latest);
}

std::string LocalQuoteReader::NoBarsReason(const QuoteSeries& store) const
{
    const std::string_view bytes(store.historyText.data(), std::min(historyLength, store.historyText.size()));
    if (std::string reason = UnreadableTextReason(bytes); !reason.empty())
        return reason;
    // The read stops at the limit, whatever it is in; a line that fills most
    // of what was read keeps the header and the rows out of reach.
    const std::size_t lastLineStart = bytes.rfind('\n') + 1;  // 0 without a line feed
    if (bytes.size() < kHistoryReadLimit || bytes.size() - lastLineStart <= bytes.size() / 2)
        return {};
    const std::string_view before = bytes.substr(0, lastLineStart);
    const auto lineNumber = std::count(before.begin(), before.end(), '\n') + 1;
    return "has a line too long to read (line " + std::to_string(lineNumber) + " runs on past the first " +
           std::to_string(bytes.size()) + " bytes, all that is read of a price history); remove it, so that the "
           "header line and the daily rows come first";
}

void LocalQuoteReader::Parse(QuoteSeries& store, std::string_view symbol, LatestQuote& latest)
{
    latest.quoteMerged = 0;
    last = volume = low = high = open = 0;
    quotedSymbol.clear();
    tradeTime.clear();
    tradeDate.clear();
    changeText.clear();

    ParseQuoteLine(QuoteSeries::TextOf(store.quoteText));
    ParseHistory(store, QuoteSeries::TextOf(store.historyText), symbol, latest);
    store.ScanMonthStarts();
}

void LocalQuoteReader::ParseQuoteLine(std::string_view text)
{
    const std::string_view line = text.substr(0, text.find('\n'));
    std::array<std::string_view, kQuoteFields> fields{};
    std::size_t pos = 0;
    for (int k = 0; k < kQuoteFields && pos < line.size(); ++k)
        // The last field runs to the end of the line, whatever it holds.
        fields[k] = k + 1 < kQuoteFields ? NextField(line, pos) : line.substr(pos);

    quotedSymbol = TakeField(WithoutEnds(fields[0]));
    last = ReadDecimal(TakeField(fields[1]));
    tradeDate = TakeField(WithoutEnds(fields[2]));
    tradeTime = TakeField(WithoutEnds(fields[3]));
    changeText = TakeField(fields[4]);
    open = ReadDecimal(TakeField(fields[5]));
    high = ReadDecimal(TakeField(fields[6]));
    low = ReadDecimal(TakeField(fields[7]));
    volume = ReadDecimal(TakeField(fields[8]));
}

void LocalQuoteReader::ParseHistory(QuoteSeries& store, std::string_view text, std::string_view symbol,
                                    LatestQuote& latest)
{
    store.barCount = 0;
    std::size_t header = text.find("Volume");
    if (header == npos)
        header = text.find("Close");
    if (header == npos)
        return;
    std::size_t lineEnd = text.find('\n', header);
    if (lineEnd == npos)
        return;

    int row = 0;
    while (row < kMaxBars) {
        RowSeparators s;
        if (FindRowSeparators(text, lineEnd + 1, s)) {
            // Where the searches below would find the same fields.
            const std::string_view date = TakeField(Between(text, lineEnd + 1, s[0]));
            if (row == 0)
                row = MergeQuote(store, date, symbol, latest);
            store.dates[row] = date;
            RowValues numbers;
            RowNumbers(text, s.data(), numbers);
            store.open[row] = numbers[0];
            store.high[row] = numbers[1];
            store.low[row] = numbers[2];
            store.close[row] = numbers[3];
            store.volume[row] = numbers[4];
            ++row;
            lineEnd = s[5];
            continue;
        }

        const std::size_t dateEnd = text.find(',', lineEnd + 1);
        if (dateEnd == npos)
            break;
        const std::string_view date = TakeField(Between(text, lineEnd + 1, dateEnd));
        if (row == 0)
            row = MergeQuote(store, date, symbol, latest);

        std::size_t pos = dateEnd + 1;
        store.dates[row] = date;
        store.open[row] = NextNumber(text, pos);
        store.high[row] = NextNumber(text, pos);
        store.low[row] = NextNumber(text, pos);

        // The searches may start behind a plain close: it holds neither.
        const LeadingNumber plainClose = PlainNumberAt(text, pos);
        const std::size_t comma = text.find(',', pos + plainClose.length);
        const std::size_t newline = text.find('\n', pos + plainClose.length);
        if (comma == npos) {
            store.close[row] = FieldNumber(text, pos, newline);
            store.barCount = row + 1;
            return;
        }
        // npos is larger than any position, so a last line without line feed
        // still has its comma "before" the line end.
        if (comma < newline) {
            store.close[row] = FieldNumber(text, pos, comma);
            store.volume[row] = FieldNumber(text, comma + 1, newline);
        } else {
            store.close[row] = FieldNumber(text, pos, newline);
        }
        ++row;
        if (newline == npos)
            break;
        lineEnd = newline;
    }
    store.barCount = row;
}

int LocalQuoteReader::MergeQuote(QuoteSeries& store, std::string_view firstRowDate, std::string_view symbol,
                                 LatestQuote& latest) const
{
    const bool hasPrices = open > 0 && last > 0 && high > 0 && low > 0;
    const std::optional<CalendarDate> historyDate = ParseHistoryDate(firstRowDate);
    const std::optional<CalendarDate> quoteDate = ParseQuoteDate(tradeDate);
    // A date that does not follow its layout cannot be compared: the history
    // is then loaded alone.
    if (!hasPrices || !EqualsIgnoringCase(quotedSymbol, symbol) || !historyDate || !quoteDate ||
        *quoteDate <= *historyDate)
        return 0;

    latest.quoteMerged = 1;
    store.dates[0] = tradeDate;
    store.open[0] = open;
    store.high[0] = high;
    store.low[0] = low;
    store.close[0] = last;
    store.volume[0] = volume;

    latest.tradeStamp = tradeTime;
    latest.changeText.clear();
    latest.dayOpen = open;
    latest.dayHigh = high;
    latest.dayLow = low;
    latest.lastTrade = last;
    latest.quoteVolume = volume;
    latest.prevClose = 0;
    latest.yearLow = 0;
    latest.yearHigh = 0;
    return 1;
}
