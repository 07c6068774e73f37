#include "quotes/CsvHistoryReader.h"

#include "base/BoundedFileRead.h"
#include "base/ByteScan.h"
#include "base/Errors.h"
#include "base/TextFileCheck.h"
#include "quotes/CsvDate.h"
#include "quotes/PlainField.h"
#include "quotes/QuoteSeries.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <system_error>

#include <emmintrin.h>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One data line and its date, before its numbers are read.
struct RowRef {
    // The date as one number in the same order above the line's number:
    // oldest first, rows of one date in the order read. No branch for each
    // of year, month and day, which mispredict where the months change.
    std::uint64_t order = 0;
    std::uint32_t begin = 0;
    std::uint32_t length = 0;
    int seconds = -1;

    static std::uint64_t Order(const CalendarDate& date, int line)
    {
        const auto key = static_cast<std::uint32_t>(date.year) << 9 | static_cast<std::uint32_t>(date.month) << 5 |
                         static_cast<std::uint32_t>(date.day);
        return std::uint64_t{key} << 32 | static_cast<std::uint32_t>(line);
    }
    std::uint32_t DateKey() const { return static_cast<std::uint32_t>(order >> 32); }
    CalendarDate Date() const
    {
        const std::uint32_t key = DateKey();
        return {static_cast<int>(key >> 9), static_cast<int>(key >> 5 & 15), static_cast<int>(key & 31)};
    }
    int Line() const { return static_cast<int>(static_cast<std::uint32_t>(order)); }
};

struct Line {
    std::string_view text;  // without its line end
    int number = 0;         // 1-based
};

constexpr std::size_t kChunk = 64;

// Walks the lines of a text, passing over blank ones, from the masks of its
// line feeds 64 bytes at a time, and copies the text's first `kept` bytes on
// the way: each block is loaded once, for the copy and for the search, and
// no list of line feeds is written and read back. A walk to the text's end
// has copied them all.
class LineCursor {
public:
    LineCursor(std::string_view text, char* copy, std::size_t kept)
        : text_(text), copy_(copy), kept_(kept), feeds_(Load(0))
    {
    }

    std::optional<Line> Next()
    {
        std::optional<Line> found;
        ForEachUntil([&](const Line& line) {
            found = line;
            return false;
        });
        return found;
    }

    // Calls take(line) for each line that is not blank, in one loop, until
    // take returns false or the text ends.
    template <class Take>
    void ForEachUntil(Take&& take)
    {
        const char* const bytes = text_.data();
        while (pos_ < text_.size()) {
            const std::size_t end = NextLineFeed();
            std::size_t length = end - pos_;
            const char* const line = bytes + pos_;
            pos_ = end + 1;
            ++number_;
            if (length > 0 && line[length - 1] == '\r')
                --length;
            // A line that starts with a byte past the blank is none.
            if (length == 0 || (static_cast<unsigned char>(line[0]) <= ' ' && Trimmed({line, length}).empty()))
                continue;
            if (!take(Line{{line, length}, number_}))
                return;
        }
    }

private:
    // The first line feed from pos_ on, or the end of the text.
    std::size_t NextLineFeed()
    {
        while (feeds_ == 0) {
            chunk_ += kChunk;
            if (chunk_ >= text_.size())
                return text_.size();
            feeds_ = Load(chunk_);
        }
        const std::size_t at = chunk_ + static_cast<std::size_t>(std::countr_zero(feeds_));
        feeds_ &= feeds_ - 1;
        return at;
    }

    // The line feeds of the 64 bytes from `chunk` on, those of them that are
    // kept copied.
    std::uint64_t Load(std::size_t chunk) const
    {
        if (chunk + kChunk <= kept_) {
            const __m128i lineFeed = _mm_set1_epi8('\n');
            std::uint64_t mask = 0;
            for (std::size_t block = 0; block < kChunk; block += 16) {
                const __m128i bytes =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(text_.data() + chunk + block));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(copy_ + chunk + block), bytes);
                mask |= std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeed)))}
                        << block;
            }
            return mask;
        }
        if (chunk < kept_)
            std::memcpy(copy_ + chunk, text_.data() + chunk, kept_ - chunk);
        return MatchMask(text_, chunk, '\n', '\n');
    }

    std::string_view text_;
    char* copy_;
    std::size_t kept_;
    std::uint64_t feeds_;     // the line feeds of the chunk not yet passed
    std::size_t chunk_ = 0;  // where the chunk of feeds_ starts
    std::size_t pos_ = 0;
    int number_ = 0;
};

// The separators and double quotes of one line, in order, taken from the
// masks of 64 bytes at a time.
class Marks {
public:
    Marks(std::string_view text, std::size_t begin, std::size_t length, char separator)
        : text_(text), begin_(begin), length_(length), separator_(separator)
    {
        Load();
    }

    // Where the next one stands in the line, or the line's length when no
    // one is left.
    std::size_t Next()
    {
        while (marks_ == 0) {
            chunk_ += kChunk;
            if (chunk_ >= length_)
                return length_;
            Load();
        }
        const std::size_t at = chunk_ + static_cast<std::size_t>(std::countr_zero(marks_));
        marks_ &= marks_ - 1;
        return at;
    }

private:
    // The marks of the 64 bytes from chunk_ on that are in the line.
    void Load()
    {
        marks_ = MatchMask(text_, begin_ + chunk_, separator_, '"');
        if (const std::size_t left = length_ - chunk_; left < kChunk)
            marks_ &= (std::uint64_t{1} << left) - 1;
    }

    std::string_view text_;
    std::size_t begin_;
    std::size_t length_;
    char separator_;
    std::size_t chunk_ = 0;   // from the line's start
    std::uint64_t marks_ = 0;  // those there not yet passed
};

std::string Quoted(std::string_view name)
{
    return "The CSV quote file \"" + std::string(name) + "\"";
}

// The error of a file that gave no bars: `what` it lacks, unless its bytes
// show why (UTF-16, no text, carriage returns alone), which is said instead.
FileError Refused(std::string_view name, std::string_view text, const std::string& what)
{
    const std::string reason = UnreadableTextReason(text);
    return FileError(Quoted(name) + " " + (reason.empty() ? what : reason) + ".");
}

class RowParser {
public:
    RowParser(const CsvLayout& layout, std::string_view text, CsvReadReport& report)
        : layout_(layout), text_(text), report_(report)
    {
        kindAt_.fill(-1);
        for (std::size_t kind = 0; kind < kCsvColumnKinds; ++kind) {
            const int column = layout.columns[kind];
            if (column >= 0) {
                kindAt_[static_cast<std::size_t>(column)] = static_cast<int>(kind);
                lastColumn_ = std::max(lastColumn_, column);
            }
        }
    }

    // Reads the row into bar `bar` of the store; false (and the row counted
    // as skipped) when it has no usable close or a price not above 0.
    bool Read(const RowRef& row, QuoteSeries& store, int bar)
    {
        // The numbers of the columns read, the other fields passed over; a
        // field the line lacks reads as no number.
        std::array<double, kCsvColumnKinds> numbers;
        numbers.fill(kNoCsvNumber);
        if (!ReadBetweenSeparators(row, numbers))
            ReadFieldByField(row, numbers);
        const auto number = [&](CsvColumn kind) { return numbers[static_cast<std::size_t>(kind)]; };
        const double close = number(CsvColumn::Close);
        const double open = number(CsvColumn::Open);
        const double high = number(CsvColumn::High);
        const double low = number(CsvColumn::Low);
        // NaN, no number, is never above 0.
        const auto missing = [](double value) { return std::isnan(value); };
        const bool positive = close > 0 && (missing(open) || open > 0) && (missing(high) || high > 0) &&
                              (missing(low) || low > 0);
        if (!positive) {
            Skip(row.Line());
            return false;
        }
        WriteHistoryDate(row.Date(), store.dates[bar]);
        store.close[bar] = close;
        store.open[bar] = missing(open) ? close : open;
        store.high[bar] = missing(high) ? close : high;
        store.low[bar] = missing(low) ? close : low;
        const double volume = number(CsvColumn::Volume);
        store.volume[bar] = missing(volume) ? 0.0 : std::max(0.0, volume);
        if (layout_.Column(CsvColumn::AdjClose) >= 0)
            Adjust(number(CsvColumn::AdjClose), store, bar);
        return true;
    }

    void Skip(int line)
    {
        ++report_.rowsSkipped;
        report_.skippedLines.push_back(line);
    }

private:
    bool Numeric(int kind) const
    {
        return kind >= 0 && kind != static_cast<int>(CsvColumn::Date) && kind != static_cast<int>(CsvColumn::Time);
    }

    // The fields of a line without double quotes lie between its separators,
    // taken from bit masks. All the fields' starts are found first: then no
    // number waits for the one before it, and no separator for a number.
    // False, and nothing read, for a line with a quote among the fields to
    // read.
    bool ReadBetweenSeparators(const RowRef& row, std::array<double, kCsvColumnKinds>& numbers) const
    {
        const std::string_view line = text_.substr(row.begin, row.length);
        // A plain number stops at the line end as at the end of the line's
        // text: the text after it lets the number be read eight digits at a
        // time.
        const std::string_view rest = text_.substr(row.begin);
        Marks marks(text_, row.begin, row.length, layout_.separator);
        std::array<std::uint32_t, kMaxCsvColumns + 1> starts;
        starts[0] = 0;
        std::size_t columns = 0;
        while (static_cast<int>(columns) <= lastColumn_) {
            const std::size_t end = marks.Next();
            if (end < line.size() && line[end] == '"')
                return false;
            starts[++columns] = static_cast<std::uint32_t>(end + 1);
            if (end == line.size())
                break;
        }
        for (std::size_t column = 0; column < columns; ++column) {
            const int kind = kindAt_[column];
            if (Numeric(kind))
                numbers[static_cast<std::size_t>(kind)] =
                    ReadNumber(line, rest, starts[column], starts[column + 1] - 1);
        }
        return true;
    }

    // The number of the field from `begin` to `end` of `line`; `rest` is the
    // text from the line's start to the end of the file.
    double ReadNumber(std::string_view line, std::string_view rest, std::size_t begin, std::size_t end) const
    {
        if (!layout_.decimalComma) {
            // begin and end come from the line's own marks: no bounds to check.
            const std::string_view field(line.data() + begin, end - begin);
            const bool roomAfter = begin + 16 <= rest.size();
            if (const LeadingNumber whole =
                    roomAfter ? ReadPlainFieldAt(field.data(), field.size()) : ReadPlainField(field);
                whole.length > 0)
                return whole.value;
            if (const LeadingNumber plain = ReadPlainDecimal(rest.substr(begin));
                plain.length > 0 && plain.length == end - begin)
                return plain.value;
        }
        return ReadCsvNumber(Trimmed(line.substr(begin, end - begin)), layout_.decimalComma);
    }

    void ReadFieldByField(const RowRef& row, std::array<double, kCsvColumnKinds>& numbers) const
    {
        CsvFieldReader reader(text_.substr(row.begin, row.length), layout_.separator);
        for (int column = 0; column <= lastColumn_; ++column) {
            const int kind = kindAt_[static_cast<std::size_t>(column)];
            if (Numeric(kind) && !layout_.decimalComma) {
                if (const LeadingNumber plain = reader.NextPlainNumber(); plain.length > 0) {
                    numbers[static_cast<std::size_t>(kind)] = plain.value;
                    continue;
                }
            }
            std::string_view field;
            if (!reader.Next(field))
                break;
            if (Numeric(kind))
                numbers[static_cast<std::size_t>(kind)] = ReadCsvNumber(field, layout_.decimalComma);
        }
    }

    // The adjusted close becomes the close; a row without a usable one is
    // scaled like the newer row before it.
    void Adjust(double adjusted, QuoteSeries& store, int bar)
    {
        const double raw = store.close[bar];
        if (adjusted > 0)
            ratio_ = adjusted / raw;
        store.rawClose[bar] = raw;
        if (ratio_ == 1)
            return;
        store.close[bar] = adjusted > 0 ? adjusted : raw * ratio_;
        store.open[bar] *= ratio_;
        store.high[bar] *= ratio_;
        store.low[bar] *= ratio_;
        store.volume[bar] /= ratio_;
    }

    const CsvLayout& layout_;
    std::string_view text_;
    CsvReadReport& report_;
    std::array<int, kMaxCsvColumns> kindAt_{};  // column kind at each field index, -1 for none
    int lastColumn_ = -1;
    double ratio_ = 1;
};

}  // namespace

std::string CsvReadReport::SkippedText() const
{
    if (rowsSkipped == 0)
        return {};
    std::string text = std::to_string(rowsSkipped) + (rowsSkipped == 1 ? " row skipped: line " : " rows skipped: line ");
    for (std::size_t i = 0; i < skippedLines.size(); ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(skippedLines[i]);
    if (static_cast<std::size_t>(rowsSkipped) > skippedLines.size())
        text += ", ...";
    return text;
}

std::string CsvReadReport::Summary() const
{
    std::string text = layout + "; " + std::to_string(rowsRead);
    if (rowsRead + rowsSkipped < rowsInFile)
        text += " of " + std::to_string(rowsInFile);
    text += rowsRead == 1 && rowsInFile == 1 ? " row read" : " rows read";
    if (rowsSkipped > 0)
        text += ", " + SkippedText();
    return text;
}

CsvReadReport CsvHistoryReader::Load(QuoteSeries& store, const std::filesystem::path& file) const
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kMaxFileSize)
        throw FileError(Quoted(file.string()) + " is larger than " + std::to_string(kMaxFileSize >> 20) +
                        " MB; it is not read. The program shows the newest " + std::to_string(kMaxBars) +
                        " days: keep the newest rows and the header, and cut the rest off.");
    // Read in one call into the buffer of the last load, neither allocated
    // nor zero-filled again while the files are no larger.
    const std::size_t capacity = error ? 0 : static_cast<std::size_t>(size) + 4096;
    if (fileBytes_.size() < capacity)
        fileBytes_.resize(capacity);
    const std::size_t length = ReadFileBounded(file, "CSV quote file", fileBytes_.data(), capacity, capacity);
    return Parse(store, std::string_view(fileBytes_.data(), length), file.string());
}

CsvReadReport CsvHistoryReader::Parse(QuoteSeries& store, std::string_view text, std::string_view name) const
{
    store.Clear();
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    const std::size_t kept = std::min(text.size(), store.historyText.size() - 1);
    store.historyText[kept] = '\0';

    LineCursor lines(text, store.historyText.data(), kept);
    const std::optional<Line> first = lines.Next();
    if (!first)
        throw Refused(name, text, "is empty");
    LineCursor peek = lines;
    const std::optional<Line> second = peek.Next();
    const CsvLayoutResult found = DetectCsvLayout(first->text, second ? second->text : std::string_view{});
    if (!found.layout) {
        // The lines past the first two were never walked, nor copied.
        std::memcpy(store.historyText.data(), text.data(), kept);
        throw Refused(name, text, "has " + found.problem);
    }
    const CsvLayout& layout = *found.layout;

    CsvReadReport report;
    report.layout = layout.Describe();
    RowParser parser(layout, text, report);

    // Slash dates are month first unless some row's first number cannot be a
    // month; such a row's date is then no date month first. One walk reads
    // the dates month first, a second one day first when such a row came.
    const int dateColumn = layout.Column(CsvColumn::Date);
    const int timeColumn = layout.Column(CsvColumn::Time);
    std::vector<RowRef> rows;
    rows.reserve(text.size() / 32);
    const auto readDates = [&](SlashOrder slashes) {
        rows.clear();
        report.rowsInFile = 0;
        report.rowsSkipped = 0;
        report.skippedLines.clear();
        bool dayFirstSeen = false;
        LeadingDateReader leadingDates(layout.separator, slashes);
        // The dates not read where they stand, and the times: out of the
        // loop that reads the common ones.
        const auto readTime = [&](const Line& line) __attribute__((noinline)) {
            return ParseCsvTime(CsvFieldAt(line.text, layout.separator, timeColumn));
        };
        // False, and the row skipped, when the field is no date.
        const auto readField = [&](const Line& line, CalendarDate& date, int& seconds) __attribute__((noinline)) {
            const std::string_view dateField = CsvFieldAt(line.text, layout.separator, dateColumn);
            const std::optional<CsvDate> parsed = ParseCsvDate(dateField, slashes);
            if (!parsed) {
                dayFirstSeen = dayFirstSeen || IsDayFirstSlashDate(dateField);
                parser.Skip(line.number);
                return false;
            }
            date = parsed->date;
            seconds = timeColumn >= 0 ? readTime(line) : parsed->seconds;
            return true;
        };
        const auto take = [&](const Line& line) {
            ++report.rowsInFile;
            CalendarDate date;
            int seconds = -1;
            // Most dates are read where they stand, the rest as their field.
            if (dateColumn != 0 || !leadingDates.Read(line.text, date)) {
                if (!readField(line, date, seconds))
                    return true;
            } else if (timeColumn >= 0) {
                seconds = readTime(line);
            }
            rows.push_back({RowRef::Order(date, line.number),
                            static_cast<std::uint32_t>(line.text.data() - text.data()),
                            static_cast<std::uint32_t>(line.text.size()), seconds});
            return true;
        };
        if (!layout.header)
            take(*first);
        LineCursor dataLines = lines;
        dataLines.ForEachUntil(take);
        return dayFirstSeen;
    };
    if (readDates(SlashOrder::MonthFirst))
        readDates(SlashOrder::DayFirst);

    // Oldest first, rows of one date in the order read.
    const auto older = [](const RowRef& a, const RowRef& b) { return a.order < b.order; };
    if (!std::is_sorted(rows.begin(), rows.end(), older))
        std::sort(rows.begin(), rows.end(), older);

    int bar = 0;
    for (std::size_t end = rows.size(); end > 0 && bar < kMaxBars;) {
        std::size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1].DateKey() == rows[end - 1].DateKey())
            --begin;
        const RowRef& last = rows[end - 1];
        for (std::size_t i = begin; i + 1 < end; ++i)
            if (rows[i].seconds != last.seconds)
                throw FileError(Quoted(name) + ", line " + std::to_string(last.Line()) +
                                ": intraday files are not supported; download daily quotes.");
        if (parser.Read(last, store, bar))
            ++bar;
        end = begin;
    }
    report.rowsRead = bar;
    std::sort(report.skippedLines.begin(), report.skippedLines.end());
    if (report.skippedLines.size() > CsvReadReport::kMaxListedLines)
        report.skippedLines.resize(CsvReadReport::kMaxListedLines);
    if (bar == 0) {
        store.Clear();
        throw Refused(name, text,
                      "holds no usable row: each needs a date and a close above 0" +
                          (report.rowsSkipped > 0 ? " (" + report.SkippedText() + ")" : std::string()));
    }
    store.barCount = bar;
    store.ScanMonthStarts();
    return report;
}
