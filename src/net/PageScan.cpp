#include "net/PageScan.h"

#include "base/Text.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxThousandsGroups = 4;
constexpr std::size_t kFractionPartLength = 4;
constexpr std::string_view kSuperscript = "<sup>";
constexpr std::string_view kSubscript = "<sub>";

// The fraction part that follows `tag` inside [from, end); 0 without one.
double FractionPart(std::string_view page, std::string_view tag, std::size_t from, std::size_t end)
{
    const PagePos found = FindIn(page, tag, from);
    if (!found || *found >= end)
        return 0;
    return ReadLeadingFloat(CopyAt(page, *found + tag.size(), kFractionPartLength, end)).value;
}

}  // namespace

PagePos FindIn(std::string_view page, std::string_view needle, PagePos from)
{
    if (!from || *from > page.size())
        return std::nullopt;
    const std::size_t found = page.find(needle, *from);
    if (found == std::string_view::npos)
        return std::nullopt;
    return found;
}

std::string_view CopyAt(std::string_view page, std::size_t start, std::size_t limit, std::size_t end)
{
    const std::size_t stop = std::min(end, page.size());
    if (start >= stop)
        return {};
    return page.substr(start, std::min(limit, stop - start));
}

double ReadGroupedNumber(std::string_view copy)
{
    LeadingNumber number = ReadLeadingFloat(copy);
    double value = number.value;
    std::size_t end = number.length;
    for (int group = 0; group < kMaxThousandsGroups && number.length > 0; ++group) {
        if (end >= copy.size() || copy[end] != ',')
            break;
        // A ',' without a number after it ends the number.
        number = ReadLeadingFloat(copy.substr(end + 1));
        if (number.length == 0)
            break;
        value = value * 1000 + number.value;
        end += 1 + number.length;
    }
    // Groups after a huge exponent overflow: no price, like any number out of range.
    return std::isfinite(value) ? value : 0;
}

bool IsTimeOfDay(std::string_view page, std::size_t from, std::size_t last)
{
    for (const std::string_view marker : {"AM", "PM"}) {
        const PagePos found = FindIn(page, marker, from);
        if (found && *found <= last)
            return true;
    }
    return false;
}

std::string_view CellText(std::string_view copy)
{
    copy = copy.substr(0, copy.find('<'));
    while (!copy.empty() && (copy.back() == ' ' || copy.back() == '\t' || copy.back() == '\r' || copy.back() == '\n'))
        copy.remove_suffix(1);
    return copy;
}

std::optional<double> ReadLabelledNumber(std::string_view page, PagePos& cursor, std::size_t end,
                                         const LabelledField& field, std::size_t copyLimit)
{
    cursor = FindIn(page, field.label, cursor);
    if (!cursor || *cursor >= end)
        return std::nullopt;
    const PagePos start = FindIn(page, field.startMarker, cursor);
    if (!start)
        return std::nullopt;
    const PagePos stop = FindIn(page, field.endMarker, start);
    if (!stop || *stop <= *start)
        return std::nullopt;

    cursor = stop;
    double value = ReadGroupedNumber(CopyAt(page, *start + field.offset, copyLimit, *stop));
    if (FindIn(page, kSuperscript, start).value_or(*stop) < *stop) {
        const double denominator = FractionPart(page, kSubscript, *start, *stop);
        if (denominator == 0)
            return std::nullopt;
        value += FractionPart(page, kSuperscript, *start, *stop) / denominator;
    }
    return value;
}
