#pragma once

#include "cli/QuoteFolderLoad.h"
#include "net/FetchPage.h"
#include "net/HostsConfig.h"
#include "quotes/QuoteText.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CTarnwickDoc;

// The options that load quotes from a web source instead of the local files:
//   --source NAME        "Yahoo", "csv" for the CSV quote service, or any
//                        other name for the second source
//   --months 5|10        the history's span (10 is the longer one)
//   --today YYYY-MM-DD   the date the requested range ends on
//   --config FILE        the hosts file (default: the user's)
//   --all-hosts HOST:PORT  every outside site at one server
struct WebSourceOptions {
    std::optional<std::string> source;
    int monthSpan = -1;
    std::optional<CalendarDate> today;
    std::optional<std::string> config;
    std::optional<std::string> allHosts;
};

// What a web load asked for and said, in order.
struct WebLoadLog {
    std::vector<PageRequest> requests;
    std::vector<std::string> messages;
};

// Takes one of the options above at args[i], as TakeQuoteFolderOption does.
OptionTaken TakeWebSourceOption(std::span<const std::string_view> args, std::size_t& i, WebSourceOptions& options,
                                std::string_view command, std::string_view usage, std::ostream& err);

// The hosts file `config` (default: the user's) with every site pointed at
// `allHosts` when given. Nothing, with the reason on `err`, when the file
// cannot be read or `allHosts` is no HOST:PORT; rejected lines are reported
// on `err` and keep their defaults.
std::optional<HostsConfig> LoadHosts(const std::optional<std::string>& config,
                                     const std::optional<std::string>& allHosts, std::ostream& err);

// Loads the symbol from the web source as the "Read Web" command does and
// runs the analysis, logging every request and message. Nothing, with the
// reason on `err`, when the hosts file is unusable or a page could not be
// fetched before the time the hosts file gives a command ran out.
std::unique_ptr<CTarnwickDoc> LoadWebSource(const QuoteFolderOptions& folder, const WebSourceOptions& options,
                                            WebLoadLog& log, std::ostream& err);

// The log as JSON: "messages" as texts, "requests" as objects with verb,
// url, port ("default" or 80) and credentials ("none" or "empty").
void AddWebLoadLog(const WebLoadLog& log, nlohmann::ordered_json& json);
