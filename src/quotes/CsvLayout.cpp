#include "quotes/CsvLayout.h"

#include "base/Text.h"
#include "quotes/CsvDate.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// The header names each column is known by, lower case, without "<>".
struct ColumnNames {
    CsvColumn kind;
    std::array<std::string_view, 6> names;
};

constexpr std::array<ColumnNames, kCsvColumnKinds> kColumnNames = {{
    {CsvColumn::Date, {"date", "datum", "timestamp", "day", "trade date"}},
    {CsvColumn::Time, {"time", "zeit"}},
    {CsvColumn::Open, {"open", "opening", "eröffnung", "erster"}},
    {CsvColumn::High, {"high", "hoch"}},
    {CsvColumn::Low, {"low", "tief"}},
    {CsvColumn::Close, {"close", "close/last", "last", "schluss", "schlusskurs", "price"}},
    {CsvColumn::AdjClose, {"adj close", "adj. close", "adjusted close", "adj_close", "adjclose"}},
    {CsvColumn::Volume, {"volume", "vol", "vol.", "volumen"}},
}};

constexpr std::array<std::string_view, kCsvColumnKinds> kShownNames = {"date", "time", "open", "high",
                                                                       "low",  "close", "adj close", "volume"};

std::string_view WithoutAngles(std::string_view name)
{
    if (name.size() >= 2 && name.front() == '<' && name.back() == '>')
        return name.substr(1, name.size() - 2);
    return name;
}

std::optional<CsvColumn> ColumnNamed(std::string_view header)
{
    const std::string_view name = Trimmed(WithoutAngles(header));
    for (const ColumnNames& column : kColumnNames)
        for (std::string_view known : column.names)
            if (!known.empty() && EqualsIgnoringCase(name, known))
                return column.kind;
    return std::nullopt;
}

// Tab when the line has one, else semicolon when it has one, else comma: a
// semicolon file may hold commas as decimal marks, never the other way round.
char SeparatorOf(std::string_view line)
{
    if (line.find('\t') != std::string_view::npos)
        return '\t';
    if (line.find(';') != std::string_view::npos)
        return ';';
    return ',';
}

std::string_view SeparatorName(char separator)
{
    switch (separator) {
    case '\t': return "tab-separated";
    case ';': return "semicolon-separated";
    default: return "comma-separated";
    }
}

// Date, open, high, low, close[, adj close], volume by position.
std::optional<CsvLayout> PositionalLayout(const CsvFields& fields, char separator)
{
    const bool dated = ParseCsvDate(fields.At(0), SlashOrder::MonthFirst) || ParseCsvDate(fields.At(0), SlashOrder::DayFirst);
    if ((fields.count != 6 && fields.count != 7) || !dated)
        return std::nullopt;
    CsvLayout layout;
    layout.separator = separator;
    layout.header = false;
    const auto set = [&](CsvColumn kind, int index) { layout.columns[static_cast<std::size_t>(kind)] = index; };
    set(CsvColumn::Date, 0);
    set(CsvColumn::Open, 1);
    set(CsvColumn::High, 2);
    set(CsvColumn::Low, 3);
    set(CsvColumn::Close, 4);
    if (fields.count == 7)
        set(CsvColumn::AdjClose, 5);
    set(CsvColumn::Volume, static_cast<int>(fields.count) - 1);
    return layout;
}

// The number when `text` is one and nothing else, else NaN.
double WholeNumber(std::string_view text)
{
    const LeadingNumber read = ReadLeadingDecimal(text);
    if (read.length == 0 || read.length != text.size() || !std::isfinite(read.value))
        return kNoCsvNumber;
    return read.value;
}

}  // namespace

std::string_view CsvFields::At(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        return {};
    return field[static_cast<std::size_t>(index)];
}

bool CsvFieldReader::Next(std::string_view& field)
{
    if (done_)
        return false;
    bool quoted = false;
    std::size_t pos = pos_;
    for (; pos < line_.size(); ++pos) {
        if (line_[pos] == '"')
            quoted = !quoted;
        else if (line_[pos] == separator_ && !quoted)
            break;
    }
    field = Trimmed(line_.substr(pos_, pos - pos_));
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = Trimmed(WithoutEnds(field));
    done_ = pos >= line_.size();
    pos_ = pos + 1;
    return true;
}

LeadingNumber CsvFieldReader::NextPlainNumber()
{
    if (done_)
        return {};
    const LeadingNumber number = ReadPlainDecimal(line_.substr(pos_));
    const std::size_t end = pos_ + number.length;
    if (number.length == 0 || (end < line_.size() && line_[end] != separator_))
        return {};
    done_ = end >= line_.size();
    pos_ = end + 1;
    return number;
}

std::string_view CsvFieldAt(std::string_view line, char separator, int index)
{
    CsvFieldReader reader(line, separator);
    std::string_view field;
    for (int i = 0; i <= index; ++i)
        if (!reader.Next(field))
            return {};
    return index < 0 ? std::string_view{} : field;
}

CsvFields SplitCsvLine(std::string_view line, char separator)
{
    CsvFields fields;
    CsvFieldReader reader(line, separator);
    while (fields.count < kMaxCsvColumns && reader.Next(fields.field[fields.count]))
        ++fields.count;
    return fields;
}

std::string CsvLayout::Describe() const
{
    std::string text(SeparatorName(separator));
    if (decimalComma)
        text += " with decimal commas";
    text += header ? ": " : ", no header: ";
    std::array<std::string_view, kMaxCsvColumns> byPosition{};
    for (std::size_t kind = 0; kind < kCsvColumnKinds; ++kind)
        if (columns[kind] >= 0)
            byPosition[static_cast<std::size_t>(columns[kind])] = kShownNames[kind];
    bool first = true;
    for (std::string_view name : byPosition) {
        if (name.empty())
            continue;
        text += first ? "" : ", ";
        text += name;
        first = false;
    }
    return text;
}

CsvLayoutResult DetectCsvLayout(std::string_view firstLine, std::string_view firstDataLine)
{
    const char separator = SeparatorOf(firstLine);
    const CsvFields header = SplitCsvLine(firstLine, separator);
    CsvLayout layout;
    layout.separator = separator;
    bool named = false;
    for (std::size_t i = 0; i < header.count; ++i) {
        const std::optional<CsvColumn> kind = ColumnNamed(header.field[i]);
        if (!kind)
            continue;
        named = true;
        int& column = layout.columns[static_cast<std::size_t>(*kind)];
        if (column < 0)
            column = static_cast<int>(i);
    }
    if (!named) {
        std::optional<CsvLayout> positional = PositionalLayout(header, separator);
        if (!positional)
            return {std::nullopt, "no header naming a date and a close column, and not the seven or six columns "
                                  "date, open, high, low, close[, adj close], volume"};
        layout = *positional;
    }
    if (layout.Column(CsvColumn::Date) < 0)
        return {std::nullopt, "no date column"};
    if (layout.Column(CsvColumn::Close) < 0)
        return {std::nullopt, "no close column"};

    // A comma in the close of the first row is a decimal mark where commas
    // cannot separate the fields.
    const std::string_view dataLine = layout.header ? firstDataLine : firstLine;
    const std::string_view close = CsvFieldAt(dataLine, separator, layout.Column(CsvColumn::Close));
    layout.decimalComma = separator != ',' && close.find(',') != std::string_view::npos;
    return {layout, {}};
}

double ReadCsvNumber(std::string_view field, bool decimalComma)
{
    std::string_view text = Trimmed(field);
    if (!text.empty() && text.front() == '$')
        text.remove_prefix(1);
    // Most fields are plain numbers, read where they stand; one that is
    // nothing else holds no group mark either.
    if (!decimalComma) {
        const LeadingNumber plain = ReadPlainDecimal(text);
        if (plain.length > 0 && plain.length == text.size())
            return plain.value;
    }
    const char groupMark = decimalComma ? '.' : ',';
    // Two searches for one character each: find_first_of would search its
    // set once for every character of the text.
    if (!decimalComma && text.find(',') == std::string_view::npos && text.find('\'') == std::string_view::npos) {
        return WholeNumber(text);
    }
    std::array<char, 48> plain{};
    std::size_t length = 0;
    for (char c : text) {
        if (c == groupMark || c == '\'')
            continue;
        if (length + 1 >= plain.size())
            return kNoCsvNumber;
        plain[length++] = decimalComma && c == ',' ? '.' : c;
    }
    return WholeNumber(std::string_view(plain.data(), length));
}
