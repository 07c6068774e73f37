#include "chart/IndicatorPanels.h"

#include "chart/ChartDrawing.h"
#include "chart/PanelScales.h"
#include "document/CTarnwickDoc.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace {

using SeriesOf = const Series& (*)(const CTarnwickDoc&);
using SignalsOf = const SignalSet& (*)(const CTarnwickDoc&);

// Accessors of one module's series or signal set, usable in constant tables.
template <auto Member>
const auto& Osc(const CTarnwickDoc& document)
{
    return document.oscillators.*Member;
}
template <auto Member>
const auto& Flow(const CTarnwickDoc& document)
{
    return document.flowDirection.*Member;
}
template <auto Member>
const auto& Vol(const CTarnwickDoc& document)
{
    return document.volumeForecast.*Member;
}
using O = OscillatorAnalysis;
using F = FlowDirectionAnalysis;
using V = VolumeForecastAnalysis;

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

// Everything one panel draws, apart from the document's data.
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
};

constexpr int kStarsX = 620;

constexpr Panel kMacdPanel{
    .top = 940,
    .height = 140,
    .scale = Anchored(0.125, 0, kIncludeZero),
    .scanned = {Osc<&O::macd>, Osc<&O::macdDivergence>},
    .legend = {{{"MACD(12,26)", 0, Colour::kBlue}, {"MACD EMA(9)", 100, Colour::kRed},
                {"Divergence", 210, Colour::kPurple}}},
    .stars = "* * * *",
    .curves = {{{Osc<&O::macdDivergence>, &Pens::purple, Form::Bars, 1},
                {Osc<&O::macdSignal>, &Pens::red, Form::Line, 2},
                {Osc<&O::macd>, &Pens::blue, Form::Line, 2}}},
    .signals = Osc<&O::macdSignals>,
    .title = "Moving Average Convergence/Divergence",
};

constexpr Panel kRsiPanel{
    .top = 1160,
    .scale = Fixed(4, 0, 25),
    .legend = {{{"RSI(7)", 0, Colour::kGreen}, {"RSI(14)", 70, Colour::kGold}}},
    .stars = "* * * *",
    .curves = {{{Osc<&O::rsi7>, &Pens::green, Form::Line, 8}, {Osc<&O::rsi14>, &Pens::gold, Form::Line, 15}}},
    .signals = Osc<&O::rsiSignals>,
    .title = "Relative Strength Index",
};

constexpr Panel kStochasticPanel{
    .top = 1360,
    .scale = Fixed(4, 0, 25),
    .legend = {{{"%K", 0, Colour::kPurple}, {"%D", 40, Colour::kGreen}}},
    .stars = "* * * * *",
    .curves = {{{Osc<&O::stochK>, &Pens::purple, Form::Line, 5}, {Osc<&O::stochD>, &Pens::green, Form::Line, 5}}},
    .signals = Osc<&O::stochSignals>,
    .title = "Stochastic Oscillator",
};

constexpr Panel kWilliamsPanel{
    .top = 2560,
    .scale = Fixed(4, -100, 25),
    .legend = {{{"William's %R", 0, Colour::kBrightGreen}}},
    .stars = "* * * *",
    .curves = {{{Osc<&O::williamsR>, &Pens::brightGreen, Form::Line, 10}}},
    .signals = Osc<&O::williamsSignals>,
    .title = "William's %R",
};

constexpr Panel kVolumeRangePanel{
    .top = 2740,
    .scale = Anchored(0.2, 3, !kIncludeZero),
    .scanned = {Osc<&O::volumeRangeIndex>},
    .legend = {{{"k%R", 0, Colour::kBlue}}},
    .stars = "* * *",
    .curves = {{{Osc<&O::volumeRangeIndex>, &Pens::blue, Form::Line, 10}}},
    .omitted = kNoSignalSteps,
};

constexpr Panel kMomentumPanel{
    .top = 1960,
    .scale = Symmetric(0),
    .scanned = {Osc<&O::momentum>},
    .legend = {{{"MTM(12)", 0, Colour::kPurple}, {"MTM MA(12)", 80, Colour::kGreen}}},
    .stars = "* * *",
    .curves = {{{Osc<&O::momentum>, &Pens::purple, Form::Line, 12},
                {Osc<&O::momentumMa>, &Pens::green, Form::Line, 23}}},
    .signals = Osc<&O::momentumSignals>,
    .title = "Momentum",
};

constexpr Panel kRocPanel{
    .top = 2160,
    .scale = Symmetric(100),
    .scanned = {Osc<&O::roc>},
    .legend = {{{"ROC(10)", 0, Colour::kBlue}, {"ROC MA(10)", 80, Colour::kGold}}},
    .stars = "* * *",
    .curves = {{{Osc<&O::roc>, &Pens::blue, Form::Line, 10}, {Osc<&O::rocMa>, &Pens::gold, Form::Line, 19}}},
    .signals = Osc<&O::rocSignals>,
    .title = "Price Rate-of-Change",
};

constexpr Panel kVolatilityPanel{
    .top = 2360,
    .scale = Plain(0.25),
    .scanned = {Flow<&F::volatility10>},
    .legend = {{{"Volatility(10)", 0, Colour::kDarkRed}}},
    .stars = "* * *",
    .curves = {{{Flow<&F::volatility10>, &Pens::darkRed, Form::Line, 20}}},
    .omitted = kNoSignalSteps,
};

constexpr Panel kDmiPanel{
    .top = 1760,
    .scale = Stepped(),
    .scanned = {Flow<&F::dmiPlus>, Flow<&F::dmiMinus>, Flow<&F::adx14>},
    .legend = {{{"DMI+(14)", 0, Colour::kBlue}, {"DMI-(14)", 80, Colour::kRed},
                {"ADX(14)", 160, Colour::kBrightGreen}}},
    .stars = "* * * *",
    .curves = {{{Flow<&F::dmiPlus>, &Pens::blue, Form::Line, 16},
                {Flow<&F::dmiMinus>, &Pens::red, Form::Line, 16},
                {Flow<&F::adx14>, &Pens::brightGreen, Form::Line, 30}}},
    .signals = Flow<&F::dmiSignals>,
    .title = "Directional Movement",
};

constexpr Panel kCciPanel{
    .top = 1560,
    .scale = Anchored(0.2, 0, !kIncludeZero),
    .scanned = {Flow<&F::cci15>, Flow<&F::cci30>},
    .legend = {{{"CCI(15)", 0, Colour::kBlue}, {"CCI(30)", 80, Colour::kGreen}}},
    .stars = "* * *",
    .curves = {{{Flow<&F::cci15>, &Pens::blue, Form::Line, 59}, {Flow<&F::cci30>, &Pens::green, Form::Line, 59}}},
    .signals = Flow<&F::cciSignals>,
    .title = "Commodity Channel Index",
};

constexpr Panel kIta2Panel{
    .top = 700,
    .belowBase = false,
    .scale = Anchored(kOneSixth, 0, kIncludeZero),
    .scanned = {Vol<&V::ita2Line>},
    .legend = {{{"  Rivirirudiv IZ 2", 0, Colour::kPurple}}},
    .stars = "* * * *",
    .curves = {{{Vol<&V::ita2Line>, &Pens::purple, Form::Line, 12}}},
    .signals = Vol<&V::ita2Signals>,
    .title = "Intelligent Technical Analysis Algorithm 2",
};

constexpr Panel kIta1Panel{
    .top = 500,
    .belowBase = false,
    .scale = Anchored(kOneSixth, 0, kIncludeZero),
    .scanned = {Vol<&V::ita1Line>},
    .legend = {{{"  Rivirirudiv IZ 1", 0, Colour::kPurple}}},
    .stars = "* * * * *",
    .curves = {{{Vol<&V::ita1Line>, &Pens::purple, Form::Line, 12}}},
    .signals = Vol<&V::ita1Signals>,
    .title = "Intelligent Technical Analysis Algorithm 1",
};

constexpr Panel kMfiPanel{
    .top = 2940,
    .scale = Fixed(5, 0, 20),
    .legend = {{{"MFI(14)", 0, Colour::kPurple}}},
    .stars = "* * *",
    .curves = {{{Flow<&F::mfi14>, &Pens::purple, Form::Line, 15}}},
    .signals = Flow<&F::mfiSignals>,
    .title = "Money Flow Index",
};

constexpr Panel kObvPanel{
    .top = 3140,
    .scale = WindowedPlain(),
    .scanned = {Vol<&V::obv>},
    .legend = {{{"OBV", 0, Colour::kRed}, {"OBV MA(12)", 60, Colour::kGreen}}},
    .stars = "* * *",
    .curves = {{{Vol<&V::obv>, &Pens::red, Form::Line, 2, kPanelWindow},
                {Vol<&V::obvMa12>, &Pens::green, Form::Line, 13, kPanelWindow}}},
    .signals = Vol<&V::obvSignals>,
    .title = "On Balance Volume",
};

constexpr Panel kPvtPanel{
    .top = 3340,
    .scale = WindowedPlain(),
    .scanned = {Vol<&V::pvt>},
    .legend = {{{"PVT", 0, Colour::kPurple}, {"PVT MA(12)", 60, Colour::kBlue}}},
    .stars = "* * *",
    .curves = {{{Vol<&V::pvt>, &Pens::purple, Form::Line, 2, kPanelWindow},
                {Vol<&V::pvtMa12>, &Pens::blue, Form::Line, 13, kPanelWindow}}},
    .signals = Vol<&V::pvtSignals>,
    .title = "Price & Volume Trend",
};

Scale PanelScale(const Panel& panel, const CTarnwickDoc& document, int shownBars)
{
    std::array<const Series*, 3> scanned{};
    int count = 0;
    for (SeriesOf series : panel.scanned)
        if (series != nullptr)
            scanned[count++] = &series(document);
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

void DrawCurve(Canvas& canvas, const ChartArea& chart, const Curve& curve, const Series& series, int shownBars)
{
    int bound = shownBars - curve.warmUp;
    if (curve.cap > 0)
        bound = std::min(bound, curve.cap);
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
void PaintPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens, int panelBase,
                const Panel& panel)
{
    ChartArea chart;
    chart.barWidth = BarWidth(shownBars);
    chart.scale = PanelScale(panel, document, shownBars);
    chart.top = panel.belowBase ? panelBase + panel.top : panel.top;
    chart.height = panel.height;

    int gridTop = 0;
    Grid(canvas, chart.top, chart.scale.divisions, chart.height, chart.scale.axisLow, chart.scale.step, gridTop,
         false, pens.grey, pens.blue);
    DateTicks(canvas, document.store, chart.top, chart.height + 40, chart.barWidth, pens.grey);

    for (const LegendEntry& entry : panel.legend)
        if (!entry.text.empty())
            DrawText(canvas, entry.colour, entry.x, gridTop - 18, entry.text);
    DrawText(canvas, Colour::kRed, kStarsX, gridTop - 18, panel.stars);

    if (panel.signals != nullptr && !(panel.omitted & kNoMarkers))
        Markers(canvas, chart, panel.signals(document));

    for (const Curve& curve : panel.curves) {
        if (curve.series == nullptr)
            continue;
        canvas.SelectPen(pens.*curve.pen);
        DrawCurve(canvas, chart, curve, curve.series(document), shownBars);
    }

    if (!(panel.omitted & kNoGridTopFallback) && gridTop <= 0)
        gridTop = chart.top + 20;
    if (panel.signals != nullptr && !(panel.omitted & kNoTally)) {
        const SignalSet& signals = panel.signals(document);
        SignalTally(canvas, gridTop, panel.title, signals.buyToday, signals.sellToday);
    }
}

}  // namespace

void IndicatorPanels::DrawMacdPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kMacdPanel);
}

void IndicatorPanels::DrawRsiPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kRsiPanel);
}

void IndicatorPanels::DrawStochasticPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars,
                                          const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kStochasticPanel);
}

void IndicatorPanels::DrawWilliamsPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars,
                                        const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kWilliamsPanel);
    // The k%R panel needs volumes: a source without them leaves the two bars
    // behind the newest at 0.
    if (HasVolume(document.store))
        PaintPanel(canvas, document, shownBars, pens, panelBase, kVolumeRangePanel);
}

void IndicatorPanels::DrawMomentumPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars,
                                        const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kMomentumPanel);
}

void IndicatorPanels::DrawRocPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kRocPanel);
}

void IndicatorPanels::DrawVolatilityPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars,
                                          const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kVolatilityPanel);
}

void IndicatorPanels::DrawDmiPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kDmiPanel);
}

void IndicatorPanels::DrawCciPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kCciPanel);
}

void IndicatorPanels::DrawIta2Panel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kIta2Panel);
}

void IndicatorPanels::DrawIta1Panel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kIta1Panel);
}

void IndicatorPanels::DrawMfiPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kMfiPanel);
}

void IndicatorPanels::DrawObvPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kObvPanel);
}

void IndicatorPanels::DrawPvtPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const
{
    PaintPanel(canvas, document, shownBars, pens, panelBase, kPvtPanel);
}
