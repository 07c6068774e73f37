#include "pages/PageHtml.h"

#include "base/Utf8Text.h"

namespace {

constexpr std::string_view kGeneratorLines =
    "<meta name=\"GENERATOR\" content=\"Microsoft FrontPage 4.0\">\n"
    "<meta name=\"ProgId\" content=\"FrontPage.Editor.Document\">\n";

std::string Repeat(std::string_view text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

}  // namespace

std::string HtmlEscape(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char32_t c : CodePoints(text)) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default:
            // Beyond ASCII as a character reference, which reads the same whatever the page's encoding.
            escaped += c < 0x80 ? std::string(1, static_cast<char>(c)) : "&#" + std::to_string(c) + ";";
        }
    }
    return escaped;
}

std::string PageHeadHtml(const PageHead& head)
{
    std::string html = "<html><head>\n"
                       "<meta http-equiv=\"Content-Language\" content=\"de\">\n"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n";
    html += kGeneratorLines;
    html += "<title>" + std::string(head.title) + "</title>\n</head>\n";
    html += "<body bgcolor=\"" + std::string(head.background) + "\">\n";
    html += "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"" + std::string(head.width) + "\"";
    if (!head.tableStyle.empty())
        html += " style=\"" + std::string(head.tableStyle) + "\"";
    html += ">\n<tr><td";
    if (head.width == "100%")
        html += " width=\"100%\"";
    html += " bgcolor=\"" + std::string(head.barColour) + "\"><font size=\"4\" color=\"" +
            std::string(head.headingColour) + "\">" + Repeat("&nbsp;", head.spaces) + std::string(head.heading) +
            "</font></td></tr>\n";
    html += head.after;
    return html;
}

std::string LinkBlockHtml(std::span<const LinkItem> items, const HostsConfig& hosts)
{
    std::string html = "<tr><td><font size=\"2\">";
    for (const LinkItem& item : items) {
        switch (item.kind) {
        case LinkItem::Label: html += "<b>" + std::string(item.text) + " :</b> "; break;
        case LinkItem::Break: html += "<br>\n"; break;
        case LinkItem::Link:
            if (hosts.Base(item.role).empty())
                html += std::string(item.text) + "&nbsp; ";
            else
                html += "<a href=\"" + hosts.Base(item.role) + std::string(item.path) + "\">" +
                        std::string(item.text) + "</a>&nbsp; ";
            break;
        }
    }
    html += "</font><hr></td></tr>\n<tr><td>";
    return html;
}

std::string FramesetHtml(std::string_view upperAddress, std::string_view lowerAddress)
{
    std::string html = "<html><head><title>Tarnwick</title>\n";
    html += kGeneratorLines;
    html += "</head>\n<frameset rows=\"*,*\">\n";
    html += "<frame name=\"Oben\" src=\"" + HtmlEscape(upperAddress) + "\">\n";
    html += "<frame name=\"Unten\" src=\"" + HtmlEscape(lowerAddress) + "\">\n";
    html += "<noframes>\n<body>\n<p>This page uses Frames. But your Browser don't support Frames.</p>\n"
            "</body>\n</noframes>\n</frameset>\n</html>\n";
    return html;
}
