#include "cli/QuoteFolderLoad.h"

#include "base/Errors.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"

#include <utility>

OptionTaken TakeQuoteFolderOption(std::span<const std::string_view> args, std::size_t& i, QuoteFolderOptions& options,
                                  std::string_view command, std::string_view usage, std::ostream& err)
{
    const std::string_view arg = args[i];
    if (arg != "--quote-dir" && arg != "--symbol")
        return OptionTaken::No;
    const std::optional<std::string_view> value = TakeOptionValue(args, i, command, usage, err);
    if (!value)
        return OptionTaken::Wrong;
    (arg == "--symbol" ? options.symbol : options.quoteDir) = std::string(*value);
    return OptionTaken::Yes;
}

std::optional<std::string_view> TakeOptionValue(std::span<const std::string_view> args, std::size_t& i,
                                                std::string_view command, std::string_view usage, std::ostream& err)
{
    if (i + 1 >= args.size()) {
        err << "tarnwick-cli " << command << ": " << args[i] << " needs a value.\n" << usage;
        return std::nullopt;
    }
    return args[++i];
}

bool HasSymbol(const QuoteFolderOptions& options, std::string_view command, std::string_view usage,
               std::ostream& err)
{
    if (options.symbol && !options.symbol->empty())
        return true;
    err << "tarnwick-cli " << command << ": say which symbol the quotes are for with --symbol.\n" << usage;
    return false;
}

std::unique_ptr<CTarnwickDoc> LoadQuoteFolder(const QuoteFolderOptions& options, std::ostream& err)
{
    auto document = std::make_unique<CTarnwickDoc>();
    if (options.quoteDir)
        document->quoteDir = *options.quoteDir;
    document->symbol = options.symbol.value_or(std::string());
    document->loadedSymbol = document->symbol;
    document->sourceMode = 1;
    return LoadAndReport(std::move(document), err);
}

std::unique_ptr<CTarnwickDoc> LoadAndReport(std::unique_ptr<CTarnwickDoc> document, std::ostream& err)
{
    try {
        LoadQuotes(*document);
    } catch (const TarnwickError& error) {
        err << "tarnwick-cli: " << error.what() << "\n";
        return nullptr;
    }
    return document;
}

bool ReportNoBars(const CTarnwickDoc& document, std::ostream& err)
{
    if (document.store.barCount >= 1)
        return false;
    err << "tarnwick-cli: no daily bars in \"" << (document.loadedFrom / "table.csv").string()
        << "\": it needs a header line with \"Volume\" or \"Close\", then one date,open,high,low,close[,volume] "
           "line per day, newest first.\n";
    return true;
}
