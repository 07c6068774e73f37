#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Forward-only scanning of a downloaded page's text. A position is an offset
// into the text; an unset position (nullopt) means a search failed, and every
// later step that depends on it is skipped. Nothing here reads outside the
// text it is given, whatever the page holds.
using PagePos = std::optional<std::size_t>;

// The first `needle` at or after `from`; unset when `from` is unset or the
// needle does not occur.
PagePos FindIn(std::string_view page, std::string_view needle, PagePos from);

// At most `limit` characters from `start`, never past the text's end nor past
// `end`.
std::string_view CopyAt(std::string_view page, std::size_t start, std::size_t limit,
                        std::size_t end = std::string_view::npos);

// The number at the start of `copy`, exponent included (see ReadLeadingFloat:
// pages write numbers as floating-point text), with thousands groups:
// while a ',' follows the number's digits directly, the value is multiplied
// by 1000 and the number after the ',' added, at most four times, so
// "12,345,678" reads 12345678. A ',' further on is not part of the number.
double ReadGroupedNumber(std::string_view copy);

// True when an "AM" or a "PM" starts at or after `from` and at or before
// `last`: a last-trade stamp that is a time of day, not a date.
bool IsTimeOfDay(std::string_view page, std::size_t from, std::size_t last);

// A date cell's text: up to the first '<' (the cell's closing tag), without
// blanks at its end.
std::string_view CellText(std::string_view copy);

// One labelled value of a quote page: the label is searched first, then the
// start marker at or after it, then the end marker at or after that; the
// value text starts `offset` bytes after the start marker.
struct LabelledField {
    std::string_view label;
    std::string_view startMarker;
    std::string_view endMarker;
    std::size_t offset = 0;
};

// Reads one labelled value, at most `copyLimit` characters of it, with
// thousands groups and a "<sup>n</sup>/<sub>d</sub>" fraction inside the
// field. `cursor` moves to the label, and on to the end marker once both
// markers were found; it becomes unset when the label does not occur. Nothing when no value could be read (label at or after `end`, a
// marker missing, a fraction with denominator 0): the field keeps its value.
std::optional<double> ReadLabelledNumber(std::string_view page, PagePos& cursor, std::size_t end,
                                         const LabelledField& field, std::size_t copyLimit);
