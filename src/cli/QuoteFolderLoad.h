#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

class CTarnwickDoc;

// What the commands that read a local quote folder share: the two options
// that name the folder and the symbol, and the load itself.

// --quote-dir DIR, --symbol SYMBOL and --file PATH as given; the folder
// defaults to the samples shipped with the program.
struct QuoteFolderOptions {
    std::optional<std::string> quoteDir;
    std::optional<std::string> symbol;
    std::optional<std::string> file;  // a CSV history read instead of the folder
};

enum class OptionTaken {
    No,     // args[i] is none of these options
    Yes,    // taken, with its value; i now points at the value
    Wrong,  // the value is missing; the reason went to `err`
};

// Takes "--quote-dir DIR", "--symbol SYMBOL" or "--file PATH" at args[i]. `command` and
// `usage` go into the message when the value is missing.
OptionTaken TakeQuoteFolderOption(std::span<const std::string_view> args, std::size_t& i, QuoteFolderOptions& options,
                                  std::string_view command, std::string_view usage, std::ostream& err);

// The value after the option at args[i], stepping i onto it; nothing, with
// the reason on `err`, when the arguments end first.
std::optional<std::string_view> TakeOptionValue(std::span<const std::string_view> args, std::size_t& i,
                                                std::string_view command, std::string_view usage, std::ostream& err);

// An option's value read as a whole number: nothing unless all of it is one.
std::optional<int> WholeNumberValue(std::string_view value);

// False, with the reason on `err`, when no symbol was given and no file,
// whose name is the symbol, either.
bool HasSymbol(const QuoteFolderOptions& options, std::string_view command, std::string_view usage,
               std::ostream& err);

// Loads the symbol from the quote folder as the "Read C:\" command does
// (sourceMode 1), or the CSV history of --file as File > Import Quotes does
// (the symbol is then the file's name unless --symbol gives one), and runs
// the analysis. Returns nothing when a file could not be read; the message,
// naming the file, went to `err`. The document returned may hold no bars:
// see ReportNoBars. Needs a symbol or a file.
std::unique_ptr<CTarnwickDoc> LoadQuoteFolder(const QuoteFolderOptions& options, std::ostream& err);

// Runs LoadQuotes on the prepared document; nothing, with the reason on
// `err`, when the load failed.
std::unique_ptr<CTarnwickDoc> LoadAndReport(std::unique_ptr<CTarnwickDoc> document, std::ostream& err);

// When the document holds no bars, says so on `err`, naming the history file
// and what it should hold, and returns true.
bool ReportNoBars(const CTarnwickDoc& document, std::ostream& err);
