#pragma once

#include <string>
#include <vector>

// Quote pages and historical pages of the two web quote services, made with
// the markers, offsets and cell layouts their readers look for.

// One row of a historical table: the close as traded and the adjusted close.
struct PageRow {
    std::string date;
    double open, high, low, close, volume, adjusted;
};

namespace YahooPages {

// A quote page with the markers the reader looks for. The last trade is
// 112 3/8, the day's range 110.25 to 114.50.
inline std::string QuotePage(const std::string& stamp = "4:00PM", const std::string& lastTrade = "112<sup>3</sup>/<sub>8</sub>")
{
    return "<html><table><tr><td>Last Trade<br>" + stamp + " &middot; <b>" + lastTrade +
           "</b></td><td>Change<br><font color=red>-1 3/8 (-1.21%)</font></td>"
           "<td>Prev Cls<br>113.75</td><td>Volume<br>1,234,567</td>"
           "<td>Day's Range<br>110.25 - 114.50</td><td>Open<br>113.00</td>"
           "<td>52-week Range<br>90.00 - 134.94</td></tr></table></html>";
}

// A historical page: the close cell starts with "<b>", three bytes further in.
inline std::string HistoryPage(const std::vector<PageRow>& rows, bool adjustedColumn = true)
{
    std::string page = "<table><tr><th>Date</th><th>Open</th><th>High</th><th>Low</th><th>Close</th>";
    page += adjustedColumn ? "<th>Volume</th><th>Adj. Close</th></tr>" : "</tr>";
    for (const PageRow& row : rows) {
        page += "<tr><td>" + row.date + "</td><td>" + std::to_string(row.open) + "</td><td>" +
                std::to_string(row.high) + "</td><td>" + std::to_string(row.low) + "</td><td><b>" +
                std::to_string(row.close) + "</b></td>";
        if (adjustedColumn)
            page += "<td>" + std::to_string(static_cast<long long>(row.volume)) + "</td><td>" +
                    std::to_string(row.adjusted) + "</td>";
        page += "</tr>";
    }
    return page + "</table>";
}

}  // namespace YahooPages

namespace SecondSourcePages {

inline std::string Font(const std::string& value)
{
    return "<font face=\"Arial,Helvetica\">" + value + "</font></td>";
}

// A quote page with every label once, the trade time shown with the second
// "Last Trade".
inline std::string QuotePage(const std::string& stamp = "4:01PM")
{
    return "<table><tr><td>Last Trade</td><td><b>112.25</b></td>"
           "<td>Open</td><td>" + Font("113.00") + "<td>Previous</td><td>" + Font("113.75") +
           "<td>% Change</td><td><font color=\"red\">-1.32%</font></td>"
           "<td>Today's High</td><td>" + Font("114.50") +
           "<td>Last Trade</td><td>" + Font(" " + stamp + " ") +
           "<td>Today's Low</td><td>" + Font("110.25") + "<td>52 Wk High</td><td>" + Font("134.94") +
           "<td>52 Wk Low</td><td>" + Font("90.00") + "<td>Volume</td><td>" + Font("1,234,567") +
           "<td>Yield</td></tr></table>";
}

// Each cell's value follows its font tag; the close is set in bold.
inline std::string HistoryPage(const std::vector<PageRow>& rows)
{
    const auto cell = [](const std::string& value) { return "<td><font face=\"Arial\">" + value + "</font></td>"; };
    std::string page = "<table><tr><th>Date</th><th>Close</th><th>Adj. Close</th></tr>";
    for (const PageRow& row : rows)
        page += "<tr>" + cell(row.date) + cell(std::to_string(row.open)) + cell(std::to_string(row.high)) +
                cell(std::to_string(row.low)) + cell("<b>" + std::to_string(row.close) + "</b>") +
                cell(std::to_string(static_cast<long long>(row.volume))) + cell(std::to_string(row.adjusted)) +
                "</tr>";
    return page + "</table>";
}

}  // namespace SecondSourcePages
