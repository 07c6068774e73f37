#include "chart/ChartZoom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array kSteps{kMinZoom, 0.33, 0.5, 0.67, 0.75, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, kMaxZoom};
// A zoom this close to a step counts as on it (a fitted width rarely is).
constexpr double kOnStep = 1e-3;

}  // namespace

double ZoomedIn(double zoom)
{
    const auto next = std::ranges::find_if(kSteps, [zoom](double step) { return step > zoom + kOnStep; });
    return next == kSteps.end() ? kSteps.back() : *next;
}

double ZoomedOut(double zoom)
{
    const auto next = std::ranges::find_if(kSteps.rbegin(), kSteps.rend(),
                                           [zoom](double step) { return step < zoom - kOnStep; });
    return next == kSteps.rend() ? kSteps.front() : *next;
}

double BoundedZoom(double zoom)
{
    return std::isnan(zoom) ? 1.0 : std::clamp(zoom, kMinZoom, kMaxZoom);
}
