#include "cli/AnalyzeCommand.h"

#include "cli/AnalysisJson.h"
#include "cli/AnalysisReport.h"
#include "cli/JsonOutput.h"
#include "cli/QuoteFolderLoad.h"
#include "cli/WebSourceLoad.h"
#include "document/CTarnwickDoc.h"

#include <memory>
#include <optional>

namespace {

constexpr std::string_view kCommand = "analyze";

struct AnalyzeOptions {
    QuoteFolderOptions folder;
    WebSourceOptions web;
    bool json = false;
};

// Nothing when the arguments are wrong; the reason is written to `err`.
std::optional<AnalyzeOptions> ParseOptions(std::span<const std::string_view> args, std::ostream& err)
{
    AnalyzeOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        OptionTaken taken = TakeQuoteFolderOption(args, i, options.folder, kCommand, kAnalyzeUsage, err);
        if (taken == OptionTaken::No)
            taken = TakeWebSourceOption(args, i, options.web, kCommand, kAnalyzeUsage, err);
        switch (taken) {
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

    WebLoadLog log;
    const bool fromWeb = options->web.source.has_value();
    const std::unique_ptr<CTarnwickDoc> document =
        fromWeb ? LoadWebSource(options->folder, options->web, log, err) : LoadQuoteFolder(options->folder, err);
    if (!document)
        return 1;

    if (options->json) {
        nlohmann::ordered_json json = AnalysisToJson(*document);
        if (fromWeb)
            AddWebLoadLog(log, json);
        out << JsonLine(std::move(json)) << "\n";
    } else {
        WriteAnalysisReport(*document, out);
        for (const std::string& message : log.messages)
            err << "tarnwick-cli: " << message << "\n";
        if (document->csvReport.rowsSkipped > 0)
            err << "tarnwick-cli: " << document->csvReport.SkippedText() << "\n";
    }
    if (!fromWeb)
        return ReportNoBars(*document, err) ? 1 : 0;
    if (document->store.barCount >= 1)
        return 0;
    err << "tarnwick-cli: no daily bars from the \"" << document->sourceName << "\" pages for "
        << document->symbol << ".\n";
    return 1;
}
