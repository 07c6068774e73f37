#pragma once

#include "base/Text.h"

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// How a downloaded CSV history is laid out: its separator, its decimal mark
// and which column holds what.

inline constexpr std::size_t kMaxCsvColumns = 24;

// The fields of one line, at most kMaxCsvColumns; further fields are dropped.
// Each field is trimmed and stripped of the double quotes around it.
struct CsvFields {
    std::array<std::string_view, kMaxCsvColumns> field{};
    std::size_t count = 0;
    // The field at `index`, empty when the line has none there (or index < 0).
    std::string_view At(int index) const;
};

// Walks the fields of one line, split at a separator that is not inside
// double quotes; each field trimmed and stripped of the quotes around it.
class CsvFieldReader {
public:
    CsvFieldReader(std::string_view line, char separator) : line_(line), separator_(separator) {}

    // The next field into `field`; false after the last one.
    bool Next(std::string_view& field);

    // The next field when it is a plain number (see ReadPlainDecimal) from
    // its first character up to the separator or the line end, moving past
    // it: as Next() and ReadCsvNumber without decimal commas would read it,
    // in one pass. Length 0, and nothing moved, for any other field.
    LeadingNumber NextPlainNumber();

private:
    std::string_view line_;
    char separator_;
    std::size_t pos_ = 0;
    bool done_ = false;
};

// The field at `index` of `line` (empty when there is none), without
// looking at the fields after it.
std::string_view CsvFieldAt(std::string_view line, char separator, int index);

// Splits `line` at `separator`, not inside double quotes, into at most
// kMaxCsvColumns fields.
CsvFields SplitCsvLine(std::string_view line, char separator);

enum class CsvColumn { Date, Time, Open, High, Low, Close, AdjClose, Volume };
inline constexpr std::size_t kCsvColumnKinds = 8;

struct CsvLayout {
    char separator = ',';
    bool decimalComma = false;  // "123,45"; thousands may be grouped with '.'
    bool header = true;         // false: read by position
    std::array<int, kCsvColumnKinds> columns{-1, -1, -1, -1, -1, -1, -1, -1};  // -1: absent

    int Column(CsvColumn kind) const { return columns[static_cast<std::size_t>(kind)]; }

    // For the status bar: "comma-separated; Date, Open, High, Low, Close, Adj
    // Close, Volume" or "tab-separated, no header; date, open, ...".
    std::string Describe() const;
};

// The layout found from the first line and the first data line, or the
// reason there is none ("no date column", "no close column").
struct CsvLayoutResult {
    std::optional<CsvLayout> layout;
    std::string problem;
};
CsvLayoutResult DetectCsvLayout(std::string_view firstLine, std::string_view firstDataLine);

// A price or volume field: "123.45", "1,234.5", "$12.30", or with decimal
// commas "123,45" and "1.234,5". kNoCsvNumber (NaN) for an empty field,
// "null", "NaN", "-" or anything else that is not wholly a finite number.
// Not an optional: returning one costs a stalled load on every field.
inline constexpr double kNoCsvNumber = std::numeric_limits<double>::quiet_NaN();
double ReadCsvNumber(std::string_view field, bool decimalComma);
