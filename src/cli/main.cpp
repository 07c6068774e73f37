#include "cli/AnalyzeCommand.h"
#include "cli/ComposeCommand.h"
#include "cli/ReadoutCommand.h"
#include "cli/RenderCommand.h"
#include "cli/RenderProgram.h"
#include "cli/ScreenCommand.h"
#include "cli/TerminalStream.h"

#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "usage: tarnwick-cli COMMAND [OPTIONS]\n"
    "       tarnwick-cli --version | --help\n"
    "commands:\n"
    "  analyze   load a symbol's quotes (quote folder, CSV file or web source) and print the day's signals\n"
    "  render    load a symbol's quotes (quote folder or CSV file) and draw the chart page to PNG, SVG or PDF\n"
    "  readout   load a symbol's quotes and print what every chart shows at one bar\n"
    "  screen    read every symbol of a quote folder and list the day's signals of each\n"
    "  compose   build a market page from its outside sites into an HTML file\n"
    "run 'tarnwick-cli COMMAND --help' for a command's options.\n";

struct CommandEntry {
    std::string_view name;
    CliCommand run;
    std::string_view usage;
};

constexpr CommandEntry kCommands[] = {
    {"analyze", RunAnalyze, kAnalyzeUsage},
    {"render", RunRenderProgram, kRenderUsage},
    {"readout", RunReadout, kReadoutUsage},
    {"screen", RunScreen, kScreenUsage},
    {"compose", RunCompose, kComposeUsage},
};

int Dispatch(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        out << "tarnwick-cli " TARNWICK_VERSION "\n";
        return 0;
    }
    const std::span<const std::string_view> rest(args.begin() + 1, args.end());
    for (const CommandEntry& command : kCommands) {
        if (args[0] != command.name)
            continue;
        if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
            out << command.usage;
            return 0;
        }
        return command.run(rest, out, err);
    }
    err << "tarnwick-cli: unknown command \"" << args[0] << "\".\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return RunOnTerminal(Dispatch, args);
}
