#include "cli/AnalyzeCommand.h"

#include "cli/AnalysisJson.h"
#include "cli/AnalysisReport.h"
#include "document/CTarnwickDoc.h"
#include "document/Errors.h"
#include "quotes/LoadQuotes.h"

#include <memory>
#include <optional>
#include <string>

namespace {

struct AnalyzeOptions {
    std::optional<std::string> quoteDir;
    std::optional<std::string> symbol;
    bool json = false;
};

// Nothing when the arguments are wrong; the reason is written to `err`.
std::optional<AnalyzeOptions> ParseOptions(std::span<const std::string_view> args, std::ostream& err)
{
    AnalyzeOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--quote-dir" || arg == "--symbol") {
            if (i + 1 >= args.size()) {
                err << "tarnwick-cli analyze: " << arg << " needs a value.\n" << kAnalyzeUsage;
                return std::nullopt;
            }
            (arg == "--symbol" ? options.symbol : options.quoteDir) = std::string(args[++i]);
        } else {
            err << "tarnwick-cli analyze: unknown argument \"" << arg << "\".\n" << kAnalyzeUsage;
            return std::nullopt;
        }
    }
    if (!options.symbol || options.symbol->empty()) {
        err << "tarnwick-cli analyze: say which symbol the quotes are for with --symbol.\n" << kAnalyzeUsage;
        return std::nullopt;
    }
    return options;
}

}  // namespace

int RunAnalyze(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<AnalyzeOptions> options = ParseOptions(args, err);
    if (!options)
        return 2;

    auto document = std::make_unique<CTarnwickDoc>();
    if (options->quoteDir)
        document->quoteDir = *options->quoteDir;
    document->symbol = *options->symbol;
    document->loadedSymbol = document->symbol;
    document->sourceMode = 1;
    try {
        LoadQuotes(*document);
    } catch (const TarnwickError& error) {
        err << "tarnwick-cli: " << error.what() << "\n";
        return 1;
    }

    if (options->json)
        out << AnalysisToJson(*document).dump() << "\n";
    else
        WriteAnalysisReport(*document, out);

    if (document->store.barCount < 1) {
        err << "tarnwick-cli: no daily bars in \"" << (document->quoteDir / "table.csv").string()
            << "\": it needs a header line with \"Volume\" or \"Close\", then one date,open,high,low,close[,volume] "
               "line per day, newest first.\n";
        return 1;
    }
    return 0;
}
