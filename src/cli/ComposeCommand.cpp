#include "cli/ComposeCommand.h"

#include "base/Errors.h"
#include "cli/QuoteFolderLoad.h"
#include "cli/WebSourceLoad.h"
#include "pages/MarketPages.h"

#include <optional>
#include <string>

namespace {

constexpr std::string_view kCommand = "compose";

struct ComposeOptions {
    std::optional<std::string_view> name;
    std::string symbol = "YHOO";
    std::optional<std::string> config;
    std::optional<std::string> allHosts;
    std::string outDir = ".";
};

// The options, or nothing when they are wrong (the reason went to `err`).
std::optional<ComposeOptions> ParseOptions(std::span<const std::string_view> args, std::ostream& err)
{
    ComposeOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--")) {
            if (options.name) {
                err << "tarnwick-cli compose: one page at a time; \"" << arg << "\" is one too many.\n"
                    << kComposeUsage;
                return std::nullopt;
            }
            options.name = arg;
            continue;
        }
        if (arg != "--symbol" && arg != "--config" && arg != "--all-hosts" && arg != "--out-dir") {
            err << "tarnwick-cli compose: unknown option \"" << arg << "\".\n" << kComposeUsage;
            return std::nullopt;
        }
        const std::optional<std::string_view> value = TakeOptionValue(args, i, kCommand, kComposeUsage, err);
        if (!value)
            return std::nullopt;
        if (arg == "--symbol")
            options.symbol = *value;
        else if (arg == "--config")
            options.config = std::string(*value);
        else if (arg == "--all-hosts")
            options.allHosts = std::string(*value);
        else
            options.outDir = *value;
    }
    if (!options.name) {
        err << "tarnwick-cli compose: say which page to build.\n" << kComposeUsage;
        return std::nullopt;
    }
    return options;
}

}  // namespace

int RunCompose(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<ComposeOptions> options = ParseOptions(args, err);
    if (!options)
        return 2;
    const MarketPages pages;
    const PageCompositor* page = pages.Named(*options->name);
    if (!page) {
        err << "tarnwick-cli compose: there is no page \"" << *options->name << "\".\n" << kComposeUsage;
        return 2;
    }
    const std::optional<HostsConfig> hosts = LoadHosts(options->config, options->allHosts, err);
    if (!hosts)
        return 1;
    try {
        const PageBuild build{.hosts = *hosts,
                              .folder = options->outDir,
                              .symbol = options->symbol,
                              .limits = {.deadline = CommandDeadline::Starting(hosts->commandTime())},
                              .warn = [&err](const std::string& warning) {
                                  err << "tarnwick-cli: warning: " << warning << "\n";
                              }};
        out << page->Build(build).string() << "\n";
    } catch (const TarnwickError& error) {
        err << "tarnwick-cli: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
