#include "net/FetchPage.h"

#include "base/Text.h"
#include "net/CurlLibrary.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>

namespace {

constexpr long kReadSize = 4096;

// The part of a base such as "http://host:8080" between the scheme and any path.
std::string_view AuthorityOf(std::string_view base)
{
    const std::size_t scheme = base.find("://");
    const std::size_t begin = scheme == std::string_view::npos ? 0 : scheme + 3;
    const std::size_t end = std::min(base.find_first_of("/?#", begin), base.size());
    return base.substr(begin, end - begin);
}

// Where the ':' before a port sits in an authority, or npos. IPv6 hosts come
// bracketed ("[::1]:80"), so a colon inside the brackets is not one.
std::size_t PortColon(std::string_view authority)
{
    const std::size_t colon = authority.rfind(':');
    const std::size_t bracket = authority.rfind(']');
    if (colon == std::string_view::npos || (bracket != std::string_view::npos && colon < bracket))
        return std::string_view::npos;
    return colon;
}

// Takes the page from libcurl, keeping a zero byte after the text.
struct PageSink {
    std::span<char> destination;
    std::size_t written = 0;
    bool cut = false;
    bool headerEnded = false;  // the blank line after the reply's header arrived
};

// libcurl hands over only whole header lines; one too long for it never comes.
// A status line starts the header of a further reply (after "100 Continue").
std::size_t TakeHeaderLine(char* data, std::size_t size, std::size_t count, void* user)
{
    const std::string_view line(data, size * count);
    auto& sink = *static_cast<PageSink*>(user);
    if (line == "\r\n" || line == "\n")
        sink.headerEnded = true;
    else if (line.starts_with("HTTP/"))
        sink.headerEnded = false;
    return size * count;
}

std::size_t WritePage(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& sink = *static_cast<PageSink*>(user);
    const std::size_t offered = size * count;
    const std::size_t taken = std::min(offered, sink.destination.size() - 1 - sink.written);
    std::memcpy(sink.destination.data() + sink.written, data, taken);
    sink.written += taken;
    sink.destination[sink.written] = '\0';
    // Taking less than offered makes libcurl stop with CURLE_WRITE_ERROR.
    sink.cut = taken < offered;
    return taken;
}

// Hands the caller's progress callback the bytes taken so far. An exception
// must not unwind through libcurl, so it waits here until the transfer ends.
struct ProgressRelay {
    const FetchProgress& progress;
    const PageSink& sink;
    std::exception_ptr failure;
};

int ReportProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& relay = *static_cast<ProgressRelay*>(user);
    try {
        return relay.progress(relay.sink.written) ? 0 : 1;
    } catch (...) {
        relay.failure = std::current_exception();
        return 1;
    }
}

struct ListCleanup {
    void operator()(curl_slist* list) const { Curl().slistFreeAll(list); }
};
using HeaderList = std::unique_ptr<curl_slist, ListCleanup>;

HeaderList RequestHeaders()
{
    HeaderList headers;
    for (const char* header :
         {"Cache-Control: no-cache", "Pragma: no-cache", "Content-Type: application/x-www-form-urlencoded"}) {
        curl_slist* head = Curl().slistAppend(headers.get(), header);
        if (!head)
            throw std::bad_alloc();
        headers.release();
        headers.reset(head);
    }
    return headers;
}

void SetVerb(CURL* curl, const std::string& verb)
{
    if (verb == "POST") {
        Curl().easySetopt(curl, CURLOPT_POSTFIELDS, "");
        Curl().easySetopt(curl, CURLOPT_POSTFIELDSIZE, 0L);
    } else if (verb != "GET") {
        throw std::invalid_argument("FetchPage: unknown HTTP verb \"" + verb + "\"");
    }
}

void SetCredentials(CURL* curl, Credentials credentials)
{
    if (credentials != Credentials::EmptyNameAndPassword)
        return;
    Curl().easySetopt(curl, CURLOPT_USERNAME, "");
    Curl().easySetopt(curl, CURLOPT_PASSWORD, "");
    // More than one method: libcurl then sends nothing until a server asks,
    // where Basic alone would put an empty login on every request.
    Curl().easySetopt(curl, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
}

bool IsTooLarge(CURLcode code)
{
#if LIBCURL_VERSION_NUM >= 0x080600
    if (code == CURLE_TOO_LARGE)
        return true;
#endif
    return code == CURLE_OUT_OF_MEMORY;
}

std::string Reason(CURL* curl, CURLcode code, const PageSink& sink)
{
    // libcurl refuses a header line longer than it buffers with "Out of memory".
    if (IsTooLarge(code) && !sink.headerEnded)
        return "the reply's header was too long (a line of more than " +
               std::to_string(CURL_MAX_HTTP_HEADER / 1024) + " KB)";
    long osError = 0;
    Curl().easyGetinfo(curl, CURLINFO_OS_ERRNO, &osError);
    // libcurl says only "Couldn't connect to server"; the system says why.
    if (code == CURLE_COULDNT_CONNECT && osError != 0)
        return std::strerror(static_cast<int>(osError));
    return Curl().easyStrerror(code);
}

// The fetch ran into the deadline of its command.
NetworkError OutOfTime(const PageRequest& request, const CommandDeadline& deadline)
{
    return NetworkError("Could not fetch " + request.object + " from " + ServerOf(request) +
                        ": the command ran past its time limit of " + std::to_string(deadline.allowed.count()) +
                        " s. Raise commandSeconds in the [limits] section of the hosts file to wait longer.");
}

}  // namespace

CommandDeadline CommandDeadline::Starting(std::chrono::seconds allowed)
{
    return {std::chrono::steady_clock::now() + allowed, allowed};
}

std::string PageRequest::Url() const
{
    const std::string_view authority = AuthorityOf(base);
    std::string url = base;
    if (port == PortChoice::Port80 && PortColon(authority) == std::string_view::npos)
        url.insert(static_cast<std::size_t>(authority.data() - base.data()) + authority.size(), ":80");
    return url + object;
}

std::string HostOf(const PageRequest& request)
{
    const std::string_view authority = AuthorityOf(request.base);
    return std::string(authority.substr(0, PortColon(authority)));
}

std::string ServerOf(const PageRequest& request)
{
    const std::string_view authority = AuthorityOf(request.base);
    if (PortColon(authority) != std::string_view::npos)
        return std::string(authority);
    const bool secure = EqualsIgnoringCase(std::string_view(request.base).substr(0, 8), "https://");
    const char* port = (request.port == PortChoice::Port80 || !secure) ? ":80" : ":443";
    return std::string(authority) + port;
}

FetchSession::FetchSession()
{
    handle_ = Curl().easyInit();
    if (!handle_)
        throw NetworkError("Cannot start the network library: out of memory.");
}

FetchSession::~FetchSession()
{
    Curl().easyCleanup(handle_);
}

std::size_t FetchSession::Fetch(const PageRequest& request, std::span<char> destination, const FetchLimits& limits,
                                const FetchProgress& progress)
{
    if (destination.empty())
        return 0;
    // Rounded up: when the transfer times out at `left`, the deadline has passed.
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(limits.deadline.end - std::chrono::steady_clock::now());
    if (left <= std::chrono::milliseconds::zero())
        throw OutOfTime(request, limits.deadline);
    // When the command's time left is the shortest limit, any timeout of the
    // transfer is the command's: libcurl's timers may fire a little before
    // the deadline by this program's clock.
    const bool deadlineBinds = left < limits.totalTimeout && left <= limits.connectTimeout;
    CURL* curl = handle_;
    // Forgets the last request's options; the open connection stays for reuse.
    Curl().easyReset(curl);

    destination[0] = '\0';
    PageSink sink{destination};
    ProgressRelay relay{progress, sink, nullptr};
    const HeaderList headers = RequestHeaders();
    const std::string url = request.Url();

    Curl().easySetopt(curl, CURLOPT_URL, url.c_str());
    Curl().easySetopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    Curl().easySetopt(curl, CURLOPT_PATH_AS_IS, 1L);
    Curl().easySetopt(curl, CURLOPT_HTTPHEADER, headers.get());
    Curl().easySetopt(curl, CURLOPT_NOSIGNAL, 1L);
    Curl().easySetopt(curl, CURLOPT_BUFFERSIZE, kReadSize);
    Curl().easySetopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
    Curl().easySetopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(std::min(limits.totalTimeout, left).count()));
    Curl().easySetopt(curl, CURLOPT_WRITEFUNCTION, WritePage);
    Curl().easySetopt(curl, CURLOPT_WRITEDATA, &sink);
    Curl().easySetopt(curl, CURLOPT_HEADERFUNCTION, TakeHeaderLine);
    Curl().easySetopt(curl, CURLOPT_HEADERDATA, &sink);
    if (progress) {
        Curl().easySetopt(curl, CURLOPT_XFERINFOFUNCTION, ReportProgress);
        Curl().easySetopt(curl, CURLOPT_XFERINFODATA, &relay);
        Curl().easySetopt(curl, CURLOPT_NOPROGRESS, 0L);
    }
    SetVerb(curl, request.verb);
    SetCredentials(curl, request.credentials);

    const CURLcode code = Curl().easyPerform(curl);
    if (code == CURLE_OK || (code == CURLE_WRITE_ERROR && sink.cut)) {
        long status = 0;
        Curl().easyGetinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        status_ = static_cast<int>(status);
        if (request.httpErrorFails && status >= 400)
            throw NetworkError("Could not fetch " + request.object + " from " + ServerOf(request) +
                               ": the server answered with HTTP status " + std::to_string(status) +
                               ". Check the address in the hosts file.");
        return sink.written;
    }
    if (relay.failure)
        std::rethrow_exception(relay.failure);
    if (code == CURLE_OPERATION_TIMEDOUT && (deadlineBinds || std::chrono::steady_clock::now() >= limits.deadline.end))
        throw OutOfTime(request, limits.deadline);
    if (code == CURLE_ABORTED_BY_CALLBACK)
        throw FetchCancelled("Loading " + request.object + " from " + ServerOf(request) + " was cancelled.");
    throw NetworkError("Could not fetch " + request.object + " from " + ServerOf(request) + ": " +
                       Reason(curl, code, sink) + ". Check your network connection and the hosts file.");
}

std::size_t FetchPage(const PageRequest& request, std::span<char> destination, const FetchLimits& limits,
                      const FetchProgress& progress)
{
    if (destination.empty())
        return 0;
    return FetchSession().Fetch(request, destination, limits, progress);
}
