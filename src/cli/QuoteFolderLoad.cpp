#include "cli/QuoteFolderLoad.h"

#include "base/Errors.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"

#include <charconv>
#include <utility>

namespace {

std::unique_ptr<CTarnwickDoc> ImportFile(const QuoteFolderOptions& options, std::ostream& err)
{
    auto document = std::make_unique<CTarnwickDoc>();
    try {
        ImportQuotes(*document, *options.file);
    } catch (const TarnwickError& error) {
        err << "tarnwick-cli: " << error.what() << "\n";
        return nullptr;
    }
    if (options.symbol)
        document->symbol = document->loadedSymbol = *options.symbol;
    return document;
}

}  // namespace

OptionTaken TakeQuoteFolderOption(std::span<const std::string_view> args, std::size_t& i, QuoteFolderOptions& options,
                                  std::string_view command, std::string_view usage, std::ostream& err)
{
    const std::string_view arg = args[i];
    std::optional<std::string>* option = arg == "--quote-dir" ? &options.quoteDir
                                         : arg == "--symbol"  ? &options.symbol
                                         : arg == "--file"    ? &options.file
                                                              : nullptr;
    if (option == nullptr)
        return OptionTaken::No;
    const std::optional<std::string_view> value = TakeOptionValue(args, i, command, usage, err);
    if (!value)
        return OptionTaken::Wrong;
    *option = std::string(*value);
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

std::optional<int> WholeNumberValue(std::string_view value)
{
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size())
        return std::nullopt;
    return number;
}

bool HasSymbol(const QuoteFolderOptions& options, std::string_view command, std::string_view usage,
               std::ostream& err)
{
    if ((options.symbol && !options.symbol->empty()) || options.file)
        return true;
    err << "tarnwick-cli " << command << ": say which symbol the quotes are for with --symbol, or name a CSV "
        << "history with --file.\n" << usage;
    return false;
}

std::unique_ptr<CTarnwickDoc> LoadQuoteFolder(const QuoteFolderOptions& options, std::ostream& err)
{
    if (options.file)
        return ImportFile(options, err);
    auto document = std::make_unique<CTarnwickDoc>();
    if (options.quoteDir)
        document->quoteDir = *options.quoteDir;
    document->symbol = options.symbol.value_or(std::string());
    document->loadedSymbol = document->symbol;
    document->sourceMode = CTarnwickDoc::kLocalFiles;
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
    err << "tarnwick-cli: " << NoBarsMessage(document) << "\n";
    return true;
}
