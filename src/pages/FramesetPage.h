#pragma once

#include "net/HostsConfig.h"
#include "pages/PageCompositor.h"

#include <optional>
#include <string>
#include <string_view>

// A page that shows two outside pages one above the other; it fetches
// nothing.
class FramesetPage : public PageCompositor {
public:
    // A frame's page: `path` on `role`'s site, or, without a role, `path`
    // itself (a page file beside this one).
    struct Frame {
        std::optional<HostRole> role;
        std::string_view path;
    };

    FramesetPage(const Identity& identity, Frame upper, Frame lower)
        : PageCompositor(identity), upper_(upper), lower_(lower)
    {
    }

    std::filesystem::path Build(const PageBuild& build) const override;

private:
    static std::string Address(const Frame& frame, const HostsConfig& hosts);

    Frame upper_;
    Frame lower_;
};

// The Dow Charts frameset: its upper frame is a page of three index charts
// it writes beside itself, "htmDowCharts.htm".
class DowChartsPage final : public FramesetPage {
public:
    DowChartsPage();

    std::filesystem::path Build(const PageBuild& build) const override;
};
