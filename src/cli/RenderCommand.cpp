#include "cli/RenderCommand.h"

#include "base/Errors.h"
#include "cli/PageFile.h"
#include "cli/QuoteFolderLoad.h"
#include "document/CTarnwickDoc.h"
#include "qtcanvas/OffscreenGuiApplication.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr std::string_view kCommand = "render";

struct RenderOptions {
    QuoteFolderOptions folder;
    int chartPage = 0;
    std::filesystem::path file;
    PageFormat format = PageFormat::Png;
    int dpi = 96;
};

bool Wrong(std::ostream& err, const std::string& reason)
{
    err << "tarnwick-cli render: " << reason << "\n" << kRenderUsage;
    return false;
}

bool ParsePage(std::string_view value, RenderOptions& options, std::ostream& err)
{
    if (value == "chart")
        options.chartPage = 0;
    else if (value == "table")
        options.chartPage = 1;
    else
        return Wrong(err, "--page is \"chart\" or \"table\", not \"" + std::string(value) + "\".");
    return true;
}

bool ParseDpi(std::string_view value, RenderOptions& options, std::ostream& err)
{
    const std::optional<int> dpi = WholeNumberValue(value);
    if (!dpi || *dpi < kMinRenderDpi || *dpi > kMaxRenderDpi)
        return Wrong(err, "--dpi takes a whole number of dots per inch from " + std::to_string(kMinRenderDpi) +
                              " to " + std::to_string(kMaxRenderDpi) + ", not \"" + std::string(value) + "\".");
    options.dpi = *dpi;
    return true;
}

// Nothing when the arguments are wrong; the reason is written to `err`.
std::optional<RenderOptions> ParseOptions(std::span<const std::string_view> args, std::ostream& err)
{
    RenderOptions options;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        switch (TakeQuoteFolderOption(args, i, options.folder, kCommand, kRenderUsage, err)) {
        case OptionTaken::Yes:
            continue;
        case OptionTaken::Wrong:
            return std::nullopt;
        case OptionTaken::No:
            break;
        }
        const std::string_view arg = args[i];
        if (arg != "--page" && arg != "--out" && arg != "--dpi") {
            Wrong(err, "unknown argument \"" + std::string(arg) + "\".");
            return std::nullopt;
        }
        const std::optional<std::string_view> value = TakeOptionValue(args, i, kCommand, kRenderUsage, err);
        if (!value)
            return std::nullopt;
        if (arg == "--page" && !ParsePage(*value, options, err))
            return std::nullopt;
        if (arg == "--dpi" && !ParseDpi(*value, options, err))
            return std::nullopt;
        if (arg == "--out") {
            options.file = std::string(*value);
            haveFile = true;
        }
    }
    if (!HasSymbol(options.folder, kCommand, kRenderUsage, err))
        return std::nullopt;
    if (!haveFile || options.file.empty()) {
        Wrong(err, "say which file to write with --out.");
        return std::nullopt;
    }
    const std::optional<PageFormat> format = PageFormatOf(options.file);
    if (!format) {
        Wrong(err, "cannot tell what kind of file \"" + options.file.string() +
                       "\" should be: name it .png, .svg or .pdf.");
        return std::nullopt;
    }
    options.format = *format;
    return options;
}

}  // namespace

int RunRender(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::optional<RenderOptions> options = ParseOptions(args, err);
    if (!options)
        return 2;

    const std::unique_ptr<CTarnwickDoc> document = LoadQuoteFolder(options->folder, err);
    if (!document || ReportNoBars(*document, err))
        return 1;
    document->chartPage = options->chartPage;

    const OffscreenGuiApplication gui;
    std::optional<PageSize> size;
    try {
        size = WritePageFile(document->chartInput(), options->file, options->format, options->dpi);
    } catch (const TarnwickError& error) {
        err << "tarnwick-cli: " << error.what() << "\n";
        return 1;
    }
    if (!size) {
        // The store had bars, so the paint pass drew; should it not have, that is no success.
        err << "tarnwick-cli: nothing to draw for \"" << document->loadedSymbol << "\".\n";
        return 1;
    }

    out << "wrote \"" << options->file.string() << "\": the " << (options->chartPage == 1 ? "quote table" : "chart page")
        << " of " << document->loadedSymbol << ", " << size->width / 100.0 << " x " << size->height / 100.0
        << " inches";
    if (options->format == PageFormat::Png)
        out << ", " << PixelsFor(size->width, options->dpi) << " x " << PixelsFor(size->height, options->dpi)
            << " pixels at " << options->dpi << " dpi";
    out << ".\n";
    return 0;
}
