#include "cli/ReadoutCommand.h"

#include "chart/ChartPagePaint.h"
#include "chart/ChartPanels.h"
#include "chart/ChartReadout.h"
#include "cli/JsonOutput.h"
#include "cli/QuoteFolderLoad.h"
#include "document/CTarnwickDoc.h"

#include <cstdio>
#include <optional>

namespace {

constexpr std::string_view kCommand = "readout";

struct ReadoutOptions {
    QuoteFolderOptions folder;
    std::optional<int> bar;
    bool json = false;
};

// Nothing when the arguments are wrong; the reason is written to `err`.
std::optional<ReadoutOptions> ParseOptions(std::span<const std::string_view> args, std::ostream& err)
{
    ReadoutOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const OptionTaken taken = TakeQuoteFolderOption(args, i, options.folder, kCommand, kReadoutUsage, err);
        if (taken == OptionTaken::Wrong)
            return std::nullopt;
        if (taken == OptionTaken::Yes)
            continue;
        if (args[i] == "--json") {
            options.json = true;
        } else if (args[i] == "--bar") {
            const std::optional<std::string_view> value = TakeOptionValue(args, i, kCommand, kReadoutUsage, err);
            if (!value)
                return std::nullopt;
            options.bar = WholeNumberValue(*value);
            if (!options.bar) {
                err << "tarnwick-cli readout: --bar needs a whole number, not \"" << *value << "\".\n";
                return std::nullopt;
            }
        } else {
            err << "tarnwick-cli readout: unknown argument \"" << args[i] << "\".\n" << kReadoutUsage;
            return std::nullopt;
        }
    }
    if (!HasSymbol(options.folder, kCommand, kReadoutUsage, err))
        return std::nullopt;
    if (!options.bar) {
        err << "tarnwick-cli readout: say which bar to read with --bar.\n" << kReadoutUsage;
        return std::nullopt;
    }
    return options;
}

std::string ColourText(Rgb colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red & 0xff, colour.green & 0xff, colour.blue & 0xff);
    return text;
}

nlohmann::ordered_json ValueJson(const ReadoutValue& value)
{
    nlohmann::ordered_json json{{"title", value.title}, {"colour", ColourText(value.colour)}};
    json["value"] = value.value ? nlohmann::ordered_json(*value.value) : nlohmann::ordered_json(nullptr);
    json["text"] = value.text;
    return json;
}

nlohmann::ordered_json ReadoutJson(const CTarnwickDoc& document, const BarReadout& bar,
                                   const std::vector<PanelReadout>& panels)
{
    nlohmann::ordered_json json{{"symbol", document.loadedSymbol}, {"bar", bar.bar}, {"date", bar.date}};
    json["values"] = nlohmann::ordered_json::array();
    for (const ReadoutValue& value : bar.values)
        json["values"].push_back(ValueJson(value));
    json["panels"] = nlohmann::ordered_json::array();
    for (const PanelReadout& panel : panels) {
        nlohmann::ordered_json entry{{"panel", panel.panel}};
        entry["series"] = nlohmann::ordered_json::array();
        for (const ReadoutValue& value : panel.series)
            entry["series"].push_back(ValueJson(value));
        entry["marks"] = nlohmann::ordered_json::array();
        for (const ReadoutMark& mark : panel.marks)
            entry["marks"].push_back(
                {{"side", mark.buy ? "buy" : "sell"}, {"rule", mark.rule}, {"level", mark.level}, {"text", mark.text}});
        json["panels"].push_back(std::move(entry));
    }
    return json;
}

void WriteValues(const std::vector<ReadoutValue>& values, std::ostream& out)
{
    out << " ";
    for (const ReadoutValue& value : values)
        out << " " << value.title << " " << value.text;
    out << "\n";
}

void WriteReadout(const CTarnwickDoc& document, const BarReadout& bar, const std::vector<PanelReadout>& panels,
                  std::ostream& out)
{
    out << document.loadedSymbol << " bar " << bar.bar << " " << bar.date << "\n";
    WriteValues(bar.values, out);
    for (const PanelReadout& panel : panels) {
        out << panel.panel << "\n";
        if (!panel.series.empty())
            WriteValues(panel.series, out);
        for (const ReadoutMark& mark : panel.marks)
            out << "  " << (mark.buy ? "buy " : "sell ") << mark.rule << " at " << mark.text << "\n";
    }
}

}  // namespace

int RunReadout(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<ReadoutOptions> options = ParseOptions(args, err);
    if (!options)
        return 2;
    const std::unique_ptr<CTarnwickDoc> document = LoadQuoteFolder(options->folder, err);
    if (!document || ReportNoBars(*document, err))
        return 1;

    const ChartInput input = document->chartInput();
    const int shown = ShownBars(input.store.BarsLoaded());
    const int bar = *options->bar;
    if (bar < 0 || bar >= shown) {
        err << "tarnwick-cli readout: bar " << bar << " is not on the chart page; it shows bars 0 to " << shown - 1
            << ".\n";
        return 2;
    }

    const BarReadout barReadout = ReadBar(input.store, bar);
    std::vector<PanelReadout> panels;
    for (const PanelView& panel : ChartPanels(input))
        panels.push_back(ReadPanel(panel, bar));
    if (options->json)
        out << JsonLine(ReadoutJson(*document, barReadout, panels)) << "\n";
    else
        WriteReadout(*document, barReadout, panels, out);
    return 0;
}
