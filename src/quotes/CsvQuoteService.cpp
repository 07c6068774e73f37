#include "quotes/CsvQuoteService.h"

#include "base/Text.h"
#include "net/FetchPage.h"
#include "net/SymbolPath.h"
#include "quotes/QuoteSeries.h"
#include "quotes/WebQuoteSource.h"

#include <cstdio>
#include <vector>

namespace {

// Days since 1970-01-01 of a date, and back (the proleptic Gregorian calendar).
long DaysFromCivil(CalendarDate date)
{
    const long year = date.year - (date.month <= 2 ? 1 : 0);
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long monthIndex = date.month > 2 ? date.month - 3 : date.month + 9;
    const long dayOfYear = (153 * monthIndex + 2) / 5 + date.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate CivilFromDays(long days)
{
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long dayOfEra = days - era * 146097;
    const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

std::string IsoDate(CalendarDate date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

}  // namespace

std::string CsvQuoteService::RequestUrl(std::string_view urlTemplate, std::string_view symbol, CalendarDate today)
{
    const std::pair<std::string_view, std::string> places[] = {
        {"{symbolLower}", EncodeSymbol(LowerAscii(symbol))},
        {"{symbol}", EncodeSymbol(symbol)},
        {"{from}", IsoDate(CivilFromDays(DaysFromCivil(today) - kDaysBack))},
        {"{to}", IsoDate(today)},
    };
    std::string url;
    for (std::size_t pos = 0; pos < urlTemplate.size();) {
        bool filled = false;
        for (const auto& [place, value] : places) {
            if (urlTemplate.substr(pos).starts_with(place)) {
                url += value;
                pos += place.size();
                filled = true;
                break;
            }
        }
        if (!filled)
            url += urlTemplate[pos++];
    }
    return url;
}

PageRequest CsvQuoteService::RequestFor(const std::string& url)
{
    const std::size_t scheme = url.find("://");
    const std::size_t path = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    PageRequest request;
    request.base = url.substr(0, path);
    request.object = path == std::string::npos ? "/" : url.substr(path);
    request.httpErrorFails = true;
    return request;
}

CsvReadReport CsvQuoteService::LoadFromWeb(QuoteSeries& store, std::string_view symbol, const WebAccess& web) const
{
    const std::string& urlTemplate = web.hosts.csvServiceUrl();
    if (urlTemplate.empty())
        throw NetworkError("No CSV quote service is configured. Name one in the hosts file (" +
                           HostsConfig::DefaultPath().string() +
                           "): a [csvService] section with a line such as "
                           "url = https://quotes.example/q/d/l/?s={symbol}&i=d");
    const std::string url = RequestUrl(urlTemplate, symbol, web.today());
    std::vector<char> answer(kMaxAnswer + 1);
    const std::size_t length = web.fetch(RequestFor(url), answer);
    if (length >= kMaxAnswer)
        throw NetworkError("The quote service's answer for " + std::string(symbol) + " is longer than " +
                           std::to_string(kMaxAnswer >> 20) + " MB; it is not read.");
    return CsvHistoryReader().Parse(store, std::string_view(answer.data(), length), url);
}
