#include "cli/WebSourceLoad.h"

#include "base/Errors.h"
#include "base/Text.h"
#include "document/CTarnwickDoc.h"

#include <charconv>
#include <utility>

namespace {

// "YYYY-MM-DD" with a real month and a day of 1 to 31.
std::optional<CalendarDate> ParseIsoDate(std::string_view text)
{
    CalendarDate date;
    const auto number = [&](std::size_t at, std::size_t length, int& value) {
        const char* first = text.data() + at;
        const auto [stop, error] = std::from_chars(first, first + length, value);
        return error == std::errc{} && stop == first + length;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !number(0, 4, date.year) ||
        !number(5, 2, date.month) || !number(8, 2, date.day))
        return std::nullopt;
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
        return std::nullopt;
    return date;
}

// The option's value when it is acceptable; the reason on `err` otherwise.
OptionTaken Wrong(std::ostream& err, std::string_view command, std::string_view message, std::string_view usage)
{
    err << "tarnwick-cli " << command << ": " << message << "\n" << usage;
    return OptionTaken::Wrong;
}

}  // namespace

OptionTaken TakeWebSourceOption(std::span<const std::string_view> args, std::size_t& i, WebSourceOptions& options,
                                std::string_view command, std::string_view usage, std::ostream& err)
{
    const std::string_view arg = args[i];
    if (arg != "--source" && arg != "--months" && arg != "--today" && arg != "--config" && arg != "--all-hosts")
        return OptionTaken::No;
    const std::optional<std::string_view> value = TakeOptionValue(args, i, command, usage, err);
    if (!value)
        return OptionTaken::Wrong;

    if (arg == "--source") {
        options.source = std::string(*value);
    } else if (arg == "--months") {
        if (*value != "5" && *value != "10")
            return Wrong(err, command, "--months is 5 or 10.", usage);
        options.monthSpan = *value == "5" ? -1 : 1;
    } else if (arg == "--today") {
        options.today = ParseIsoDate(*value);
        if (!options.today)
            return Wrong(err, command, "--today needs a date such as 2000-12-05.", usage);
    } else if (arg == "--config") {
        options.config = std::string(*value);
    } else {
        options.allHosts = std::string(*value);
    }
    return OptionTaken::Yes;
}

std::unique_ptr<CTarnwickDoc> LoadWebSource(const QuoteFolderOptions& folder, const WebSourceOptions& options,
                                            WebLoadLog& log, std::ostream& err)
{
    auto document = std::make_unique<CTarnwickDoc>();
    document->symbol = folder.symbol.value_or(std::string());
    document->loadedSymbol = document->symbol;
    document->sourceName = options.source.value_or("Yahoo");
    document->sourceMode = EqualsIgnoringCase(document->sourceName, "csv") ? CTarnwickDoc::kCsvService : CTarnwickDoc::kWeb;
    document->monthSpan = options.monthSpan;

    WebAccess& web = document->web;
    std::optional<HostsConfig> hosts = LoadHosts(options.config, options.allHosts, err);
    if (!hosts)
        return nullptr;
    web.hosts = std::move(*hosts);
    if (options.today)
        web.today = [today = *options.today] { return today; };
    const FetchLimits limits{.deadline = CommandDeadline::Starting(web.hosts.commandTime())};
    web.fetch = [&log, limits](const PageRequest& request, std::span<char> buffer) {
        log.requests.push_back(request);
        return FetchPage(request, buffer, limits);
    };
    web.showMessage = [&log](const std::string& message) { log.messages.push_back(message); };
    return LoadAndReport(std::move(document), err);
}

std::optional<HostsConfig> LoadHosts(const std::optional<std::string>& config,
                                     const std::optional<std::string>& allHosts, std::ostream& err)
{
    HostsConfig hosts;
    try {
        hosts = HostsConfig::Load(config ? std::filesystem::path(*config) : HostsConfig::DefaultPath());
    } catch (const TarnwickError& error) {
        err << "tarnwick-cli: " << error.what() << "\n";
        return std::nullopt;
    }
    for (const std::string& warning : hosts.warnings())
        err << "tarnwick-cli: " << warning << "\n";
    if (allHosts && !hosts.PointAllAt(*allHosts)) {
        err << "tarnwick-cli: --all-hosts needs HOST:PORT, such as 127.0.0.1:8080; \"" << *allHosts
            << "\" is not one.\n";
        return std::nullopt;
    }
    return hosts;
}

void AddWebLoadLog(const WebLoadLog& log, nlohmann::ordered_json& json)
{
    json["messages"] = log.messages;
    nlohmann::ordered_json& requests = json["requests"] = nlohmann::ordered_json::array();
    for (const PageRequest& request : log.requests)
        requests.push_back({{"verb", request.verb},
                            {"url", request.Url()},
                            {"object", request.object},
                            {"port", request.port == PortChoice::Port80 ? nlohmann::ordered_json(80)
                                                                        : nlohmann::ordered_json("default")},
                            {"credentials", request.credentials == Credentials::None ? "none" : "empty"}});
}
