#include "support/PageServer.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/WebQuotePages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include <sys/wait.h>

// Which shared libraries the real tool loads for a command: what does not
// draw must start without Qt, and only a fetch may load libcurl.

namespace {

struct ProgramRun {
    int status = -1;
    std::set<std::string> libraries;  // file names, as the loader starts each one
};

// Runs the tool with `arguments` (shell words) under the loader's report of
// every library it starts, those opened later with dlopen included.
ProgramRun RunReportingLibraries(const std::string& arguments)
{
    const TempFolder folder;
    const std::string report = (folder.path() / "loader").string();
    const std::string command = "LD_DEBUG=libs LD_DEBUG_OUTPUT='" + report + "' " TARNWICK_CLI " " + arguments +
                                " >/dev/null 2>&1";
    ProgramRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // One report per process, named after its id: render's drawing program
    // takes over the tool's process, so its libraries are in the same file.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        std::istringstream lines(ReadFile(entry.path()));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t init = line.find("calling init: ");
            if (init != std::string::npos)
                run.libraries.insert(std::filesystem::path(line.substr(init + 14)).filename().string());
        }
    }
    return run;
}

bool LoadsQt(const ProgramRun& run)
{
    for (const std::string& library : run.libraries)
        if (library.starts_with("libQt"))
            return true;
    return false;
}

bool LoadsCurl(const ProgramRun& run)
{
    for (const std::string& library : run.libraries)
        if (library.starts_with("libcurl"))
            return true;
    return false;
}

}  // namespace

TEST(LoadedLibraries, CommandsThatOnlyPrintLoadNeitherQtNorLibcurl)
{
    const std::string sample = "--quote-dir '" + SampleDir("IBM") + "' --symbol IBM";
    for (const std::string& arguments :
         {"analyze " + sample, "analyze --json " + sample, "readout --bar 0 " + sample,
          "screen --quote-dir '" + std::filesystem::path(SampleDir("IBM")).parent_path().string() + "'",
          std::string("--help")}) {
        const ProgramRun run = RunReportingLibraries(arguments);
        EXPECT_EQ(run.status, 0) << arguments;
        // The report is there: the C library is always started.
        EXPECT_TRUE(run.libraries.contains("libc.so.6")) << arguments;
        EXPECT_FALSE(LoadsQt(run)) << arguments;
        EXPECT_FALSE(LoadsCurl(run)) << arguments;
    }
}

TEST(LoadedLibraries, AFetchLoadsLibcurlWhenItIsNeeded)
{
    PageServer server;
    server.Serve("/q?s=YHOO&d=t", YahooPages::QuotePage());
    server.Serve("/t?a=07&b=05&c=00&d=12&e=05&f=00&g=d&s=YHOO&Get+Historical+Data&y=0",
                 YahooPages::HistoryPage({{"4-Dec-00", 100, 105, 99, 104, 2000, 104}}));
    const ProgramRun run = RunReportingLibraries("analyze --symbol YHOO --source Yahoo --today 2000-12-05 "
                                          "--config /nonexistent/hosts.ini --all-hosts " +
                                          server.base().substr(7));
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(LoadsCurl(run));
    EXPECT_FALSE(LoadsQt(run));
}

TEST(LoadedLibraries, RenderDrawsWithQt)
{
    const TempFolder folder;
    const ProgramRun run = RunReportingLibraries("render --quote-dir '" + SampleDir("IBM") + "' --symbol IBM --out '" +
                                          (folder.path() / "chart.svg").string() + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.libraries.contains("libQt6Gui.so.6"));
    EXPECT_FALSE(LoadsCurl(run));
}
