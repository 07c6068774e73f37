#include "pages/FramesetPage.h"

#include "base/CommandIds.h"
#include "pages/PageHtml.h"
#include "pages/PageWriter.h"

#include <array>

namespace {

constexpr std::string_view kChartsFile = "htmDowCharts.htm";

// The index charts of the upper frame, on the chart-image service.
constexpr std::array<std::string_view, 3> kChartPaths = {
    "/charts/dow.gif",
    "/charts/nasdaq.gif",
    "/charts/sp500.gif",
};

std::string DowChartsHtml(const HostsConfig& hosts)
{
    const std::string& base = hosts.Base(HostRole::ChartImages);
    PageRequest service;
    service.base = base;
    std::string html = "<html><head>\n<title>DowCharts</title>\n</head>\n<body bgcolor=\"#BDFDDD\">\n"
                       "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr><td>\n"
                       "<font size=\"2\">Intraday charts by " +
                       HtmlEscape(HostOf(service)) +
                       "</font>\n<hr>\n"
                       "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr>\n";
    for (std::size_t i = 0; i < kChartPaths.size(); ++i) {
        if (i > 0)
            html += "<td width=\"8\"></td>\n";
        html += "<td><img src=\"" + HtmlEscape(base + std::string(kChartPaths[i])) +
                "\" width=\"195\" height=\"185\"></td>\n";
    }
    html += "</tr></table>\n</td></tr></table>\n<p>&nbsp;</p>\n<p>&nbsp;</p>\n</body>\n</html>\n";
    return html;
}

}  // namespace

std::string FramesetPage::Address(const Frame& frame, const HostsConfig& hosts)
{
    return frame.role ? hosts.Base(*frame.role) + std::string(frame.path) : std::string(frame.path);
}

std::filesystem::path FramesetPage::Build(const PageBuild& build) const
{
    const std::filesystem::path file = PagePath(build.folder);
    PageWriter out(file);
    out.Write(FramesetHtml(Address(upper_, build.hosts), Address(lower_, build.hosts)));
    out.Commit();
    return file;
}

DowChartsPage::DowChartsPage()
    : FramesetPage({kDowCharts, "DowChartsPage", "htmmarketsummary.htm"}, {std::nullopt, "./htmDowCharts.htm"},
                   {HostRole::ChartingSite, "/markets/"})
{
}

std::filesystem::path DowChartsPage::Build(const PageBuild& build) const
{
    PageWriter charts(build.folder / kChartsFile);
    charts.Write(DowChartsHtml(build.hosts));
    charts.Commit();
    return FramesetPage::Build(build);
}
