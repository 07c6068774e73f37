#include "document/SignalSets.h"

#include "analysis/SignalTitles.h"
#include "document/CTarnwickDoc.h"

#include <algorithm>
#include <stdexcept>
#include <string>

std::array<const SignalSet*, 16> SignalSetsInChartOrder(const CTarnwickDoc& document)
{
    const SignalSetList lists[] = {document.movingAverages.AllSignalSets(), document.oscillators.AllSignalSets(),
                                   document.flowDirection.AllSignalSets(), document.volumeForecast.AllSignalSets()};
    std::array<const SignalSet*, 16> sets{};
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const std::string_view name = SignalTitles::kChartOrder[i].setName;
        for (const SignalSetList& list : lists) {
            const auto found = std::find_if(list.begin(), list.end(),
                                            [&](const NamedSignalSet& named) { return named.name == name; });
            if (found != list.end())
                sets[i] = found->signals;
        }
        if (sets[i] == nullptr)
            throw std::logic_error("no analysis module holds the signal set " + std::string(name));
    }
    return sets;
}
