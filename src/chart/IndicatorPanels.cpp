#include "chart/IndicatorPanels.h"

#include "analysis/SignalTitles.h"
#include "chart/ChartDrawing.h"
#include "chart/PanelScales.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <utility>

namespace {

using SeriesOf = const Series& (*)(const ChartInput&);
using SignalsOf = const SignalSet& (*)(const ChartInput&);

// Accessors of one module's series or signal set, usable in constant tables.
template <auto Member>
const auto& Osc(const ChartInput& input)
{
    return input.oscillators.*Member;
}
template <auto Member>
const auto& Flow(const ChartInput& input)
{
    return input.flowDirection.*Member;
}
template <auto Member>
const auto& Vol(const ChartInput& input)
{
    return input.volumeForecast.*Member;
}

enum class Rule { Fixed, Anchored, Symmetric, Plain, Stepped, WindowedPlain };

// How a panel finds its scale, with the rule's parameters.
struct ScaleRule {
    Rule rule = Rule::Fixed;
    Scale fixed;               // Fixed
    double factor = 0;         // Anchored, Plain, WindowedPlain
    double level = 0;          // Anchored: kept on a grid line; Symmetric: the centre
    bool includeZero = false;  // Anchored
};

constexpr ScaleRule Fixed(int divisions, double axisLow, double step)
{
    return {Rule::Fixed, {divisions, axisLow, step}, 0, 0, false};
}
constexpr ScaleRule Anchored(double factor, double level, bool includeZero)
{
    return {Rule::Anchored, {}, factor, level, includeZero};
}
constexpr ScaleRule Symmetric(double centre)
{
    return {Rule::Symmetric, {}, 0, centre, false};
}
constexpr ScaleRule Plain(double factor)
{
    return {Rule::Plain, {}, factor, 0, false};
}
constexpr ScaleRule Stepped()
{
    return {Rule::Stepped, {}, 0, 0, false};
}
constexpr ScaleRule WindowedPlain()
{
    return {Rule::WindowedPlain, {}, 0.2, 0, false};
}
constexpr bool kIncludeZero = true;
constexpr double kOneSixth = 0.16666666666666666;

struct LegendEntry {
    std::string_view text{};  // empty: no entry
    int x = 0;
    Rgb colour;
};

enum class Form { Line, Bars };

// A curve is drawn for i < shownBars - warmUp, and never past `cap` when it
// has one (the window of the running-total panels).
struct Curve {
    SeriesOf series = nullptr;  // nullptr: no curve
    PenId Pens::*pen = nullptr;
    Form form = Form::Line;
    int warmUp = 0;
    int cap = 0;  // 0: none
};

// Steps of the common sequence a panel leaves out.
enum Omit : unsigned {
    kOmitNothing = 0,
    kNoMarkers = 1,
    kNoGridTopFallback = 2,
    kNoTally = 4,
    kNoSignalSteps = kNoMarkers | kNoGridTopFallback | kNoTally,
};

// Everything one panel draws, apart from the data it reads from ChartInput.
struct Panel {
    int top = 0;               // distance of the closing line from the page top...
    bool belowBase = true;     // ...counted from panelBase when set
    int height = 120;
    ScaleRule scale;
    std::array<SeriesOf, 3> scanned{};  // the series the scale rule scans, in order
    std::array<LegendEntry, 3> legend{};
    std::string_view stars{};  // red at x 620, after the legend entries
    std::array<Curve, 3> curves{};
    SignalsOf signals = nullptr;  // marks and tally; nullptr with kNoSignalSteps
    std::string_view title{};
    unsigned omitted = kOmitNothing;
    bool needsVolume = false;  // painted only when the store has volumes
};

constexpr int kStarsX = 620;

constexpr Panel kMacdPanel{
    .top = 940,
    .height = 140,
    .scale = Anchored(0.125, 0, kIncludeZero),
    .scanned = {Osc<&OscillatorAnalysis::macd>, Osc<&OscillatorAnalysis::macdDivergence>},
    .legend = {{{"MACD(12,26)", 0, Colour::kBlue}, {"MACD EMA(9)", 100, Colour::kRed},
                {"Divergence", 210, Colour::kPurple}}},
    .stars = "* * * *",
    .curves = {{{Osc<&OscillatorAnalysis::macdDivergence>, &Pens::purple, Form::Bars, 1},
                {Osc<&OscillatorAnalysis::macdSignal>, &Pens::red, Form::Line, 2},
                {Osc<&OscillatorAnalysis::macd>, &Pens::blue, Form::Line, 2}}},
    .signals = Osc<&OscillatorAnalysis::macdSignals>,
    .title = SignalTitles::kMacd.title,
};

constexpr Panel kRsiPanel{
    .top = 1160,
    .scale = Fixed(4, 0, 25),
    .legend = {{{"RSI(7)", 0, Colour::kGreen}, {"RSI(14)", 70, Colour::kGold}}},
    .stars = "* * * *",
    .curves = {{{Osc<&OscillatorAnalysis::rsi7>, &Pens::green, Form::Line, 8},
                {Osc<&OscillatorAnalysis::rsi14>, &Pens::gold, Form::Line, 15}}},
    .signals = Osc<&OscillatorAnalysis::rsiSignals>,
    .title = SignalTitles::kRsi.title,
};

constexpr Panel kStochasticPanel{
    .top = 1360,
    .scale = Fixed(4, 0, 25),
    .legend = {{{"%K", 0, Colour::kPurple}, {"%D", 40, Colour::kGreen}}},
    .stars = "* * * * *",
    .curves = {{{Osc<&OscillatorAnalysis::stochK>, &Pens::purple, Form::Line, 5},
                {Osc<&OscillatorAnalysis::stochD>, &Pens::green, Form::Line, 5}}},
    .signals = Osc<&OscillatorAnalysis::stochSignals>,
    .title = SignalTitles::kStoch.title,
};

constexpr Panel kWilliamsPanel{
    .top = 2560,
    .scale = Fixed(4, -100, 25),
    .legend = {{{"William's %R", 0, Colour::kBrightGreen}}},
    .stars = "* * * *",
    .curves = {{{Osc<&OscillatorAnalysis::williamsR>, &Pens::brightGreen, Form::Line, 10}}},
    .signals = Osc<&OscillatorAnalysis::williamsSignals>,
    .title = SignalTitles::kWilliams.title,
};

constexpr Panel kVolumeRangePanel{
    .top = 2740,
    .scale = Anchored(0.2, 3, !kIncludeZero),
    .scanned = {Osc<&OscillatorAnalysis::volumeRangeIndex>},
    .legend = {{{"k%R", 0, Colour::kBlue}}},
    .stars = "* * *",
    .curves = {{{Osc<&OscillatorAnalysis::volumeRangeIndex>, &Pens::blue, Form::Line, 10}}},
    .omitted = kNoSignalSteps,
    .needsVolume = true,
};

constexpr Panel kMomentumPanel{
    .top = 1960,
    .scale = Symmetric(0),
    .scanned = {Osc<&OscillatorAnalysis::momentum>},
    .legend = {{{"MTM(12)", 0, Colour::kPurple}, {"MTM MA(12)", 80, Colour::kGreen}}},
    .stars = "* * *",
    .curves = {{{Osc<&OscillatorAnalysis::momentum>, &Pens::purple, Form::Line, 12},
                {Osc<&OscillatorAnalysis::momentumMa>, &Pens::green, Form::Line, 23}}},
    .signals = Osc<&OscillatorAnalysis::momentumSignals>,
    .title = SignalTitles::kMomentum.title,
};

constexpr Panel kRocPanel{
    .top = 2160,
    .scale = Symmetric(100),
    .scanned = {Osc<&OscillatorAnalysis::roc>},
    .legend = {{{"ROC(10)", 0, Colour::kBlue}, {"ROC MA(10)", 80, Colour::kGold}}},
    .stars = "* * *",
    .curves = {{{Osc<&OscillatorAnalysis::roc>, &Pens::blue, Form::Line, 10},
                {Osc<&OscillatorAnalysis::rocMa>, &Pens::gold, Form::Line, 19}}},
    .signals = Osc<&OscillatorAnalysis::rocSignals>,
    .title = SignalTitles::kRoc.title,
};

constexpr Panel kVolatilityPanel{
    .top = 2360,
    .scale = Plain(0.25),
    .scanned = {Flow<&FlowDirectionAnalysis::volatility10>},
    .legend = {{{"Volatility(10)", 0, Colour::kDarkRed}}},
    .stars = "* * *",
    .curves = {{{Flow<&FlowDirectionAnalysis::volatility10>, &Pens::darkRed, Form::Line, 20}}},
    .omitted = kNoSignalSteps,
};

constexpr Panel kDmiPanel{
    .top = 1760,
    .scale = Stepped(),
    .scanned = {Flow<&FlowDirectionAnalysis::dmiPlus>, Flow<&FlowDirectionAnalysis::dmiMinus>,
                Flow<&FlowDirectionAnalysis::adx14>},
    .legend = {{{"DMI+(14)", 0, Colour::kBlue}, {"DMI-(14)", 80, Colour::kRed},
                {"ADX(14)", 160, Colour::kBrightGreen}}},
    .stars = "* * * *",
    .curves = {{{Flow<&FlowDirectionAnalysis::dmiPlus>, &Pens::blue, Form::Line, 16},
                {Flow<&FlowDirectionAnalysis::dmiMinus>, &Pens::red, Form::Line, 16},
                {Flow<&FlowDirectionAnalysis::adx14>, &Pens::brightGreen, Form::Line, 30}}},
    .signals = Flow<&FlowDirectionAnalysis::dmiSignals>,
    .title = SignalTitles::kDmi.title,
};

constexpr Panel kCciPanel{
    .top = 1560,
    .scale = Anchored(0.2, 0, !kIncludeZero),
    .scanned = {Flow<&FlowDirectionAnalysis::cci15>, Flow<&FlowDirectionAnalysis::cci30>},
    .legend = {{{"CCI(15)", 0, Colour::kBlue}, {"CCI(30)", 80, Colour::kGreen}}},
    .stars = "* * *",
    .curves = {{{Flow<&FlowDirectionAnalysis::cci15>, &Pens::blue, Form::Line, 59},
                {Flow<&FlowDirectionAnalysis::cci30>, &Pens::green, Form::Line, 59}}},
    .signals = Flow<&FlowDirectionAnalysis::cciSignals>,
    .title = SignalTitles::kCci.title,
};

constexpr Panel kIta2Panel{
    .top = 700,
    .belowBase = false,
    .scale = Anchored(kOneSixth, 0, kIncludeZero),
    .scanned = {Vol<&VolumeForecastAnalysis::ita2Line>},
    .legend = {{{"  Rivirirudiv IZ 2", 0, Colour::kPurple}}},
    .stars = "* * * *",
    .curves = {{{Vol<&VolumeForecastAnalysis::ita2Line>, &Pens::purple, Form::Line, 12}}},
    .signals = Vol<&VolumeForecastAnalysis::ita2Signals>,
    .title = SignalTitles::kIta2.title,
};

constexpr Panel kIta1Panel{
    .top = 500,
    .belowBase = false,
    .scale = Anchored(kOneSixth, 0, kIncludeZero),
    .scanned = {Vol<&VolumeForecastAnalysis::ita1Line>},
    .legend = {{{"  Rivirirudiv IZ 1", 0, Colour::kPurple}}},
    .stars = "* * * * *",
    .curves = {{{Vol<&VolumeForecastAnalysis::ita1Line>, &Pens::purple, Form::Line, 12}}},
    .signals = Vol<&VolumeForecastAnalysis::ita1Signals>,
    .title = SignalTitles::kIta1.title,
};

constexpr Panel kMfiPanel{
    .top = 2940,
    .scale = Fixed(5, 0, 20),
    .legend = {{{"MFI(14)", 0, Colour::kPurple}}},
    .stars = "* * *",
    .curves = {{{Flow<&FlowDirectionAnalysis::mfi14>, &Pens::purple, Form::Line, 15}}},
    .signals = Flow<&FlowDirectionAnalysis::mfiSignals>,
    .title = SignalTitles::kMfi.title,
    .needsVolume = true,
};

constexpr Panel kObvPanel{
    .top = 3140,
    .scale = WindowedPlain(),
    .scanned = {Vol<&VolumeForecastAnalysis::obv>},
    .legend = {{{"OBV", 0, Colour::kRed}, {"OBV MA(12)", 60, Colour::kGreen}}},
    .stars = "* * *",
    .curves = {{{Vol<&VolumeForecastAnalysis::obv>, &Pens::red, Form::Line, 2, kPanelWindow},
                {Vol<&VolumeForecastAnalysis::obvMa12>, &Pens::green, Form::Line, 13, kPanelWindow}}},
    .signals = Vol<&VolumeForecastAnalysis::obvSignals>,
    .title = SignalTitles::kObv.title,
    .needsVolume = true,
};

constexpr Panel kPvtPanel{
    .top = 3340,
    .scale = WindowedPlain(),
    .scanned = {Vol<&VolumeForecastAnalysis::pvt>},
    .legend = {{{"PVT", 0, Colour::kPurple}, {"PVT MA(12)", 60, Colour::kBlue}}},
    .stars = "* * *",
    .curves = {{{Vol<&VolumeForecastAnalysis::pvt>, &Pens::purple, Form::Line, 2, kPanelWindow},
                {Vol<&VolumeForecastAnalysis::pvtMa12>, &Pens::blue, Form::Line, 13, kPanelWindow}}},
    .signals = Vol<&VolumeForecastAnalysis::pvtSignals>,
    .title = SignalTitles::kPvt.title,
    .needsVolume = true,
};

int PanelTop(const Panel& panel, int panelBase)
{
    return panel.belowBase ? panelBase + panel.top : panel.top;
}

constexpr const Panel* kPanels[] = {&kMacdPanel,     &kRsiPanel,        &kStochasticPanel, &kWilliamsPanel,
                                    &kVolumeRangePanel, &kMomentumPanel, &kRocPanel,     &kVolatilityPanel,
                                    &kDmiPanel,       &kCciPanel,        &kIta2Panel,       &kIta1Panel,
                                    &kMfiPanel,       &kObvPanel,        &kPvtPanel};

Scale PanelScale(const Panel& panel, const ChartInput& input, int shownBars)
{
    std::array<const Series*, 3> scanned{};
    int count = 0;
    for (SeriesOf series : panel.scanned)
        if (series != nullptr)
            scanned[count++] = &series(input);
    const std::span<const Series* const> listed(scanned.data(), count);
    const ScaleRule& rule = panel.scale;
    switch (rule.rule) {
    case Rule::Fixed:
        return rule.fixed;
    case Rule::Anchored:
        return AnchoredScale(ScanRange(shownBars, listed), rule.factor, rule.level, rule.includeZero);
    case Rule::Symmetric:
        return SymmetricScale(ScanRange(shownBars, listed), rule.level);
    case Rule::Plain:
        return PlainScale(ScanRange(shownBars, listed), rule.factor);
    case Rule::Stepped:
        return SteppedScale(ScanRange(shownBars, listed));
    case Rule::WindowedPlain:
        return count > 0 ? PlainScale(WindowRange(shownBars, *scanned[0]), rule.factor) : Scale{};
    }
    return {};
}

// Entries i < CurveBound(...) start a segment (or stand as a bar).
int CurveBound(const Curve& curve, int shownBars)
{
    const int bound = shownBars - curve.warmUp;
    return curve.cap > 0 ? std::min(bound, curve.cap) : bound;
}

// Without the leading blanks some legend texts are drawn with.
std::string_view Trimmed(std::string_view text)
{
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// The legend entry in the curve's colour names it.
std::string_view CurveTitle(const Panel& panel, const Curve& curve)
{
    const Rgb colour = PenColour(curve.pen);
    for (const LegendEntry& entry : panel.legend)
        if (!entry.text.empty() && entry.colour == colour)
            return Trimmed(entry.text);
    return {};
}

ChartArea PanelChart(const Panel& panel, const ChartInput& input, int shownBars)
{
    return {PanelTop(panel, input.panelBase), panel.height, PanelScale(panel, input, shownBars),
            BarWidth(shownBars)};
}

void DrawCurve(Canvas& canvas, const ChartArea& chart, const Curve& curve, const Series& series, int shownBars)
{
    const int bound = CurveBound(curve, shownBars);
    if (curve.form == Form::Line) {
        DrawSeries(canvas, chart, series, bound, [](int) { return true; });
        return;
    }
    if (!chart.Plots())
        return;
    for (int i = 0; i < std::min(bound, kMaxBars); ++i) {
        const int x = BarX(i, chart.barWidth);
        DrawLine(canvas, x, chart.ValueDistance(0), x, chart.ValueDistance(series[i]));
    }
}

// The common paint sequence of every panel.
void PaintPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens, const Panel& panel)
{
    const ChartArea chart = PanelChart(panel, input, shownBars);

    int gridTop = 0;
    Grid(canvas, chart.top, chart.scale.divisions, chart.height, chart.scale.axisLow, chart.scale.step, gridTop,
         false, pens.grey, pens.blue);
    DateTicks(canvas, input.store, chart.top, chart.height + 40, chart.barWidth, pens.grey);

    for (const LegendEntry& entry : panel.legend)
        if (!entry.text.empty())
            DrawText(canvas, entry.colour, entry.x, gridTop - 18, entry.text);
    DrawText(canvas, Colour::kRed, kStarsX, gridTop - 18, panel.stars);

    if (panel.signals != nullptr && !(panel.omitted & kNoMarkers))
        Markers(canvas, chart, panel.signals(input));

    for (const Curve& curve : panel.curves) {
        if (curve.series == nullptr)
            continue;
        canvas.SelectPen(pens.*curve.pen);
        DrawCurve(canvas, chart, curve, curve.series(input), shownBars);
    }

    if (!(panel.omitted & kNoGridTopFallback) && gridTop <= 0)
        gridTop = chart.top + 20;
    if (panel.signals != nullptr && !(panel.omitted & kNoTally)) {
        const SignalSet& signals = panel.signals(input);
        SignalTally(canvas, gridTop, panel.title, signals.buyToday, signals.sellToday);
    }
}

}  // namespace

std::vector<PageBand> IndicatorPanels::Bands(int panelBase)
{
    std::vector<PageBand> bands;
    for (const Panel* panel : kPanels) {
        const bool tally = panel->signals != nullptr && !(panel->omitted & kNoTally);
        bands.push_back(StripBand(PanelTop(*panel, panelBase), panel->height, tally ? 1 : 0));
    }
    return bands;
}

std::vector<PanelView> IndicatorPanels::Views(const ChartInput& input, int shownBars)
{
    const bool volume = HasVolume(input.store);
    const std::vector<PageBand> bands = Bands(input.panelBase);
    std::vector<PanelView> views;
    for (std::size_t k = 0; k < std::size(kPanels); ++k) {
        const Panel& panel = *kPanels[k];
        if (panel.needsVolume && !volume)
            continue;
        PanelView view{
            .name = Trimmed(panel.legend[0].text), .band = bands[k], .chart = PanelChart(panel, input, shownBars)};
        for (const Curve& curve : panel.curves) {
            if (curve.series == nullptr)
                continue;
            const int bound = CurveBound(curve, shownBars);
            view.series.push_back({CurveTitle(panel, curve), PenColour(curve.pen), &curve.series(input),
                                   curve.form == Form::Line ? LinePoints(bound) : std::max(bound, 0)});
        }
        if (panel.signals != nullptr && !(panel.omitted & kNoMarkers))
            view.signals.push_back({panel.title, &panel.signals(input)});
        views.push_back(std::move(view));
    }
    return views;
}

void IndicatorPanels::DrawMacdPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kMacdPanel);
}

void IndicatorPanels::DrawRsiPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kRsiPanel);
}

void IndicatorPanels::DrawStochasticPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kStochasticPanel);
}

void IndicatorPanels::DrawWilliamsPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kWilliamsPanel);
    // The k%R panel needs volumes: a source without them leaves the two bars
    // behind the newest at 0.
    if (HasVolume(input.store))
        PaintPanel(canvas, input, shownBars, pens, kVolumeRangePanel);
}

void IndicatorPanels::DrawMomentumPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kMomentumPanel);
}

void IndicatorPanels::DrawRocPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kRocPanel);
}

void IndicatorPanels::DrawVolatilityPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kVolatilityPanel);
}

void IndicatorPanels::DrawDmiPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kDmiPanel);
}

void IndicatorPanels::DrawCciPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kCciPanel);
}

void IndicatorPanels::DrawIta2Panel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kIta2Panel);
}

void IndicatorPanels::DrawIta1Panel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kIta1Panel);
}

void IndicatorPanels::DrawMfiPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kMfiPanel);
}

void IndicatorPanels::DrawObvPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kObvPanel);
}

void IndicatorPanels::DrawPvtPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    PaintPanel(canvas, input, shownBars, pens, kPvtPanel);
}
