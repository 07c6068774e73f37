#include "app/CommandLine.h"

#include <algorithm>

namespace {

constexpr auto kUsage =
    "usage: tarnwick [--quote-dir DIR] [--symbol SYM] [--config FILE] [--all-hosts HOST:PORT] [FILE.stk]\n"
    "       tarnwick -Automation | -Embedding\n"
    "       tarnwick --version | --help\n"
    "\n"
    "  --quote-dir DIR        the folder holding quotes.csv and table.csv for Stocks > Read C:\\\n"
    "  --symbol SYM           the symbol to start with in the Symbol box\n"
    "  --config FILE          the hosts file naming the outside sites\n"
    "                         (default ~/.config/Tarnwick/hosts.ini)\n"
    "  --all-hosts HOST:PORT  every outside site at one server, such as a local mirror\n"
    "  FILE.stk               a stock document to open\n"
    "  -Automation, -Embedding\n"
    "                         serve automation clients on the D-Bus session bus, without a\n"
    "                         window (/Automation and /Embedding are taken as well)\n"
    "  --version              print the program's version\n"
    "  --help                 print this text\n";

const CommandLineOption* FindOption(const QString& argument)
{
    const auto found = std::ranges::find_if(kCommandLineOptions, [&argument](const CommandLineOption& option) {
        return argument == QLatin1String(option.name.data(), static_cast<qsizetype>(option.name.size()));
    });
    return found == kCommandLineOptions.end() ? nullptr : &*found;
}

}  // namespace

QString CommandLine::Usage()
{
    return QString::fromLatin1(kUsage);
}

CommandLine::Mode CommandLine::RequestedMode(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (const CommandLineOption* option = FindOption(arguments[i]); option != nullptr && option->mode != Mode::Run)
            return option->mode;
    return Mode::Run;
}

std::optional<CommandLine> CommandLine::Parse(const QStringList& arguments, QString& error)
{
    CommandLine commandLine;
    commandLine.mode = RequestedMode(arguments);
    // A mode other than Run ignores the rest of the line, as the automation switches always did.
    if (commandLine.mode != Mode::Run)
        return commandLine;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const CommandLineOption* option = FindOption(argument);
        if (option == nullptr && !argument.startsWith('-') && !commandLine.file) {
            commandLine.file = argument.toStdString();
            continue;
        }
        if (option == nullptr) {
            error = QStringLiteral("unknown argument \"%1\"").arg(argument);
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = QStringLiteral("%1 needs a value").arg(argument);
            return std::nullopt;
        }
        const std::string value = arguments[++i].toStdString();
        const std::string_view name = option->name;
        (name == "--quote-dir" ? commandLine.quoteDir
         : name == "--symbol"  ? commandLine.symbol
         : name == "--config"  ? commandLine.config
                               : commandLine.allHosts) = value;
    }
    return commandLine;
}
