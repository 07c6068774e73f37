#include "document/CTarnwickDoc.h"

namespace {

constexpr auto kDefaultSymbol = "IBM";

}  // namespace

CTarnwickDoc::CTarnwickDoc() : quoteDir(DefaultQuoteDir()) {}

std::filesystem::path CTarnwickDoc::DefaultQuoteDir(const std::filesystem::path& programFile)
{
    const std::filesystem::path installed =
        (programFile.parent_path() / TARNWICK_SAMPLE_FROM_PROGRAM / kDefaultSymbol).lexically_normal();
    std::error_code error;
    if (!programFile.empty() && std::filesystem::is_directory(installed, error))
        return installed;
    return std::filesystem::path(TARNWICK_SOURCE_SAMPLE_DIR) / kDefaultSymbol;
}
