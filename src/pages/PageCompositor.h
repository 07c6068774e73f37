#pragma once

#include "net/FetchPage.h"
#include "net/HostsConfig.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// What one page build needs from outside: where the sites are, where the
// page goes, the symbol, and how to follow each fetch.
struct PageBuild {
    const HostsConfig& hosts;
    std::filesystem::path folder;  // the page folder; created when missing
    std::string symbol;            // as typed; symbol pages only
    // Called before each fetch; the callback it returns follows that fetch
    // and may cancel it. Empty: fetches run unwatched.
    std::function<FetchProgress(const PageRequest&)> watch{};
    FetchLimits limits{};
    // Told of a site that answered with an error status instead of its
    // page; the build goes on without that section's content.
    std::function<void(const std::string&)> warn{};
};

// One of the program's own market pages: a local HTML file built from
// outside pages (or, for the frameset pages, from none) and then shown in
// the browser view. Compositors keep nothing between builds.
class PageCompositor {
public:
    struct Identity {
        int commandId;
        std::string_view className;
        std::string_view fileName;
    };

    explicit PageCompositor(const Identity& identity) : identity_(identity) {}
    virtual ~PageCompositor() = default;
    PageCompositor(const PageCompositor&) = delete;
    PageCompositor& operator=(const PageCompositor&) = delete;

    int commandId() const { return identity_.commandId; }
    std::string_view className() const { return identity_.className; }
    std::string_view fileName() const { return identity_.fileName; }

    // The page file's full path in `folder`.
    std::filesystem::path PagePath(const std::filesystem::path& folder) const;

    // Writes the page file, replacing what was there only once the whole
    // page is built, and returns its path. Throws FileError naming the file
    // when it cannot be written, NetworkError (FetchCancelled when the
    // watch cancelled) naming the site when a fetch fails, and PageError
    // naming every site when none gave content; the file then stays as it
    // was.
    virtual std::filesystem::path Build(const PageBuild& build) const = 0;

private:
    Identity identity_;
};
