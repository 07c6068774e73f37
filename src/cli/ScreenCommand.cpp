#include "cli/ScreenCommand.h"

#include "analysis/SignalTitles.h"
#include "base/Errors.h"
#include "cli/JsonOutput.h"
#include "cli/QuoteFolderLoad.h"
#include "cli/ScreenJson.h"
#include "screen/ScreenFolder.h"
#include "screen/ScreenTable.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr std::string_view kCommand = "screen";
constexpr int kMaxThreads = 256;

enum class ScreenFormat { Table, Json, Csv };

struct ScreenOptions {
    std::string quoteDir;
    int threads = 0;
    ScreenSort sort = ScreenSort::Symbol;
    bool onlySignals = false;
    ScreenFormat format = ScreenFormat::Table;
};

bool Wrong(std::string_view reason, std::ostream& err)
{
    err << "tarnwick-cli screen: " << reason << "\n" << kScreenUsage;
    return false;
}

// Takes the option at args[i] and its value; false, with the reason on `err`,
// when it is unknown or its value is wrong.
bool TakeOption(std::span<const std::string_view> args, std::size_t& i, ScreenOptions& options, std::ostream& err)
{
    const std::string_view arg = args[i];
    if (arg == "--only-signals") {
        options.onlySignals = true;
        return true;
    }
    if (arg == "--json" || arg == "--csv") {
        if (options.format != ScreenFormat::Table)
            return Wrong("choose one of --json and --csv.", err);
        options.format = arg == "--json" ? ScreenFormat::Json : ScreenFormat::Csv;
        return true;
    }
    if (arg != "--quote-dir" && arg != "--threads" && arg != "--sort")
        return Wrong("unknown argument \"" + std::string(arg) + "\".", err);
    const std::optional<std::string_view> value = TakeOptionValue(args, i, kCommand, kScreenUsage, err);
    if (!value)
        return false;
    if (arg == "--quote-dir") {
        options.quoteDir = std::string(*value);
    } else if (arg == "--threads") {
        const std::optional<int> threads = WholeNumberValue(*value);
        if (!threads || *threads < 1 || *threads > kMaxThreads)
            return Wrong("--threads needs a whole number from 1 to " + std::to_string(kMaxThreads) + ".", err);
        options.threads = *threads;
    } else if (const std::optional<ScreenSort> sort = ScreenSortNamed(*value)) {
        options.sort = *sort;
    } else {
        return Wrong("--sort takes total, buy, sell or symbol, not \"" + std::string(*value) + "\".", err);
    }
    return true;
}

std::optional<ScreenOptions> ParseOptions(std::span<const std::string_view> args, std::ostream& err)
{
    ScreenOptions options;
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!TakeOption(args, i, options, err))
            return std::nullopt;
    if (options.quoteDir.empty() && !Wrong("name the quote folder with --quote-dir.", err))
        return std::nullopt;
    return options;
}

// The indicators with a signal today, "Momentum B, Money Flow Index S".
std::string SignalList(const ScreenRow& row)
{
    std::string list;
    for (std::size_t i = 0; i < row.signals.size(); ++i) {
        for (const auto& [count, letter] : {std::pair{row.signals[i].buy, " B"}, std::pair{row.signals[i].sell, " S"}}) {
            if (count == 0)
                continue;
            list += (list.empty() ? "" : ", ") + std::string(SignalTitles::kChartOrder[i].title) + letter;
            if (count > 1)
                list += " x" + std::to_string(count);
        }
    }
    return list;
}

void WriteTable(std::span<const ScreenRow> rows, std::ostream& out)
{
    char line[160];
    std::snprintf(line, sizeof line, "%-10s %-10s %12s %8s %4s %4s  %s\n", "Symbol", "Date", "Close", "Change%",
                  "Buy", "Sell", "Signals of the day");
    out << line;
    for (const ScreenRow& row : rows) {
        if (row.failed()) {
            std::snprintf(line, sizeof line, "%-10s ", row.symbol.c_str());
            out << line << "error: " << row.error << "\n";
            continue;
        }
        std::snprintf(line, sizeof line, "%-10s %-10s %12.10g %8s %4d %4d  ", row.symbol.c_str(),
                      row.newestDate.c_str(), row.lastClose, ChangeText(row).c_str(), row.buyTotal, row.sellTotal);
        out << line << SignalList(row) << "\n";
    }
}

}  // namespace

int RunScreen(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<ScreenOptions> options = ParseOptions(args, err);
    if (!options)
        return 2;

    ScreenResult result;
    try {
        result = ScreenFolder(options->quoteDir, options->threads);
    } catch (const TarnwickError& error) {
        err << "tarnwick-cli: " << error.what() << "\n";
        return 1;
    }
    const int read = result.readCount();
    const int failed = result.symbolCount - read;
    SortScreenRows(result.rows, options->sort);
    const std::vector<ScreenRow> rows = options->onlySignals ? RowsWithSignals(result.rows) : std::move(result.rows);

    switch (options->format) {
    case ScreenFormat::Json:
        out << JsonLine(ScreenRowsToJson(rows)) << "\n";
        break;
    case ScreenFormat::Csv: WriteScreenCsv(rows, out); break;
    case ScreenFormat::Table: WriteTable(rows, out); break;
    }
    err << "tarnwick-cli: " << result.symbolCount << (result.symbolCount == 1 ? " symbol, " : " symbols, ") << read
        << " read";
    if (failed > 0)
        err << ", " << failed << " could not be read";
    err << ".\n";
    return 0;
}
