#pragma once

#include "base/Errors.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>

// Port 80 given explicitly, or the scheme's default.
enum class PortChoice { ProtocolDefault, Port80 };

// No user name, or an empty name and password (sent only when a server asks).
enum class Credentials { None, EmptyNameAndPassword };

struct PageRequest {
    // "http://host" or "http://host:port": scheme, host, optional port, no path.
    // A port written here wins over `port`.
    std::string base;
    PortChoice port = PortChoice::ProtocolDefault;
    Credentials credentials = Credentials::None;
    // "GET" or "POST"; a POST sends an empty body.
    std::string verb = "GET";
    // Path and query starting with '/', sent exactly as given: callers escape.
    std::string object;
    // An HTTP status of 400 or above fails the fetch instead of giving the
    // error page as the text.
    bool httpErrorFails = false;

    // base + object, with ":80" after the host for Port80 when base names no port.
    std::string Url() const;
};

// The host named in request.base, without scheme and port.
std::string HostOf(const PageRequest& request);

// "host:port" of the server the request goes to: the port the base names,
// else 80 for Port80 and the scheme's default (80, or 443 for https).
std::string ServerOf(const PageRequest& request);

// The time a whole command may take, all of its fetches together. A fetch
// stops when it runs out, whatever its own limits.
struct CommandDeadline {
    std::chrono::steady_clock::time_point end = std::chrono::steady_clock::time_point::max();
    std::chrono::seconds allowed{0};  // the time the command was given, for the message

    // A deadline `allowed` from now.
    static CommandDeadline Starting(std::chrono::seconds allowed);
};

struct FetchLimits {
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds totalTimeout{60000};
    CommandDeadline deadline{};
};

// Called now and then during a transfer with the bytes received so far;
// returning false aborts the transfer.
using FetchProgress = std::function<bool(std::size_t received)>;

// The user stopped a transfer from its progress callback.
class FetchCancelled : public NetworkError {
public:
    using NetworkError::NetworkError;
};

// Downloads the request's page into `destination` from its start, in reads
// of at most 4096 bytes. Never writes past destination.size() - 1 and always
// leaves a zero byte after the text; a longer page is cut at the capacity.
// Returns the number of text bytes written (0, writing nothing, for an empty
// destination).
// The HTTP status is not examined unless request.httpErrorFails: an error
// page is read like any other.
// Every request asks for no cache and carries the form content type, GET
// included; a proxy comes from the user's environment (http_proxy...).
// Throws NetworkError naming host:port, path and reason when the transfer
// fails (or, with httpErrorFails, the server answered with an error status),
// FetchCancelled when `progress` returned false, and std::invalid_argument
// for a verb other than GET or POST. Past the deadline the NetworkError says
// the command ran out of time.
std::size_t FetchPage(const PageRequest& request, std::span<char> destination, const FetchLimits& limits = {},
                      const FetchProgress& progress = {});

// Several fetches over one connection: a request to the server of the one
// before reuses its open connection. Fetch behaves as FetchPage.
// Throws NetworkError when the network library cannot start.
class FetchSession {
public:
    FetchSession();
    ~FetchSession();
    FetchSession(const FetchSession&) = delete;
    FetchSession& operator=(const FetchSession&) = delete;

    std::size_t Fetch(const PageRequest& request, std::span<char> destination, const FetchLimits& limits = {},
                      const FetchProgress& progress = {});

    // The HTTP status of the last fetch that returned.
    int status() const { return status_; }

private:
    void* handle_;  // the libcurl easy handle
    int status_ = 0;
};
