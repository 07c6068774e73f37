#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>
#include <string_view>

// What the program was started for, and with which settings, from its
// command line.
struct CommandLine {
    enum class Mode {
        Run,         // the main window, with the settings below
        Automation,  // -Automation or -Embedding: serve automation clients, no window
        Help,        // --help: print the usage text
        Version,     // --version: print the program's name and version
    };

    Mode mode = Mode::Run;
    std::optional<std::string> quoteDir;  // --quote-dir DIR
    std::optional<std::string> symbol;    // --symbol SYM
    std::optional<std::string> config;    // --config FILE: the hosts file
    std::optional<std::string> allHosts;  // --all-hosts HOST:PORT: every site at one server
    std::optional<std::string> file;      // FILE.stk: a document to open

    // The one usage text, printed by --help and after every mistake on the
    // line; it names every entry of kCommandLineOptions below. Ends with a newline.
    static QString Usage();

    // The mode a switch asks for, wherever it stands and whatever else is on
    // the line; Run when there is none. Needs no application object, so the
    // arguments may still hold Qt's own options (-platform, -style).
    static Mode RequestedMode(const QStringList& arguments);

    // The whole line, program name first, Qt's own options taken out.
    // Nothing, with the reason in `error`, when an option is unknown, a value
    // is missing or a second file is named.
    static std::optional<CommandLine> Parse(const QStringList& arguments, QString& error);
};

struct CommandLineOption {
    std::string_view name;       // as typed: "--quote-dir"
    std::string_view valueName;  // the value that follows it in the usage text, "DIR"; empty for a switch
    CommandLine::Mode mode;      // what a switch starts the program for; Run for the options with a value
};

// Every option and switch the program takes; anything else that starts with
// '-' is a mistake. The slash forms are the ones Windows passed.
inline constexpr auto kCommandLineOptions = std::to_array<CommandLineOption>({
    {"--quote-dir", "DIR", CommandLine::Mode::Run},
    {"--symbol", "SYM", CommandLine::Mode::Run},
    {"--config", "FILE", CommandLine::Mode::Run},
    {"--all-hosts", "HOST:PORT", CommandLine::Mode::Run},
    {"-Automation", "", CommandLine::Mode::Automation},
    {"-Embedding", "", CommandLine::Mode::Automation},
    {"/Automation", "", CommandLine::Mode::Automation},
    {"/Embedding", "", CommandLine::Mode::Automation},
    {"--version", "", CommandLine::Mode::Version},
    {"--help", "", CommandLine::Mode::Help},
});
