#include "cli/AnalyzeCommand.h"

#include "cli/AnalysisJson.h"
#include "cli/AnalysisReport.h"
#include "cli/QuoteFolderLoad.h"
#include "document/CTarnwickDoc.h"

#include <memory>
#include <optional>

namespace {

constexpr std::string_view kCommand = "analyze";

struct AnalyzeOptions {
    QuoteFolderOptions folder;
    bool json = false;
};

// Nothing when the arguments are wrong; the reason is written to `err`.
std::optional<AnalyzeOptions> ParseOptions(std::span<const std::string_view> args, std::ostream& err)
{
    AnalyzeOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        switch (TakeQuoteFolderOption(args, i, options.folder, kCommand, kAnalyzeUsage, err)) {
        case OptionTaken::Yes:
            continue;
        case OptionTaken::Wrong:
            return std::nullopt;
        case OptionTaken::No:
            break;
        }
        if (args[i] == "--json") {
            options.json = true;
        } else {
            err << "tarnwick-cli analyze: unknown argument \"" << args[i] << "\".\n" << kAnalyzeUsage;
            return std::nullopt;
        }
    }
    if (!HasSymbol(options.folder, kCommand, kAnalyzeUsage, err))
        return std::nullopt;
    return options;
}

}  // namespace

int RunAnalyze(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<AnalyzeOptions> options = ParseOptions(args, err);
    if (!options)
        return 2;

    const std::unique_ptr<CTarnwickDoc> document = LoadQuoteFolder(options->folder, err);
    if (!document)
        return 1;

    if (options->json)
        out << AnalysisToJson(*document).dump() << "\n";
    else
        WriteAnalysisReport(*document, out);
    return ReportNoBars(*document, err) ? 1 : 0;
}
