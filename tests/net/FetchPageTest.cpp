#include "net/FetchPage.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace {

using namespace std::chrono_literals;

static_assert(std::is_base_of_v<NetworkError, FetchCancelled>);

// What the server saw of one request.
struct SeenRequest {
    std::string method;
    std::string target;
    httplib::Headers headers;
    std::string body;

    std::string Header(const char* name) const
    {
        const auto found = headers.find(name);
        return found == headers.end() ? "<none>" : found->second;
    }
};

// "0 1 2 3 ..." up to `count` numbers: a page whose every part is told apart.
std::string NumberedText(int count)
{
    std::string text;
    for (int n = 0; n < count; ++n)
        text += std::to_string(n) + ' ';
    return text;
}

const std::string kLongPage = NumberedText(3000);

// An HTTP server on 127.0.0.1 while it lives, keeping every request it saw.
class LoopbackServer {
public:
    LoopbackServer()
    {
        server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            const std::lock_guard lock(mutex_);
            seen_.push_back({request.method, request.target, request.headers, request.body});
            return httplib::Server::HandlerResponse::Unhandled;
        });
        server_.Get("/page", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("the page", "text/html");
        });
        server_.Post("/page", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("posted", "text/html");
        });
        server_.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
            response.status = 404;
            response.set_content("<html>Not here</html>", "text/html");
        });
        server_.Get("/long", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kLongPage, "text/plain");
        });
        server_.Get("/pieces", [](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("text/plain", [](std::size_t, httplib::DataSink& sink) {
                for (int n = 0; n < 3000; ++n) {
                    const std::string piece = std::to_string(n) + ' ';
                    sink.write(piece.data(), piece.size());
                }
                sink.done();
                return true;
            });
        });
        server_.Get("/private", [](const httplib::Request& request, httplib::Response& response) {
            if (request.has_header("Authorization")) {
                response.set_content("welcome", "text/plain");
                return;
            }
            response.status = 401;
            response.set_header("WWW-Authenticate", "Basic realm=\"quotes\"");
            response.set_content("log in first", "text/plain");
        });
        server_.set_keep_alive_max_count(1);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() is lost on a server not yet listening.
        while (!server_.is_running())
            std::this_thread::sleep_for(1ms);
    }
    ~LoopbackServer()
    {
        server_.stop();
        thread_.join();
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

    std::vector<SeenRequest> Seen() const
    {
        const std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<SeenRequest> seen_;
};

// A TCP socket bound to a free port on 127.0.0.1 that never answers: not
// listening, a connection is refused; listening, it is accepted by the
// system and then left waiting.
class SilentSocket {
public:
    explicit SilentSocket(bool listening) : fd_(socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            (listening && listen(fd_, 4) != 0) ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot set up a loopback socket");
        port_ = ntohs(address.sin_port);
    }
    ~SilentSocket() { close(fd_); }
    SilentSocket(const SilentSocket&) = delete;
    SilentSocket& operator=(const SilentSocket&) = delete;

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    int fd_;
    int port_ = 0;
};

class FetchPageTest : public ::testing::Test {
protected:
    PageRequest Request(const std::string& object) const { return {.base = server.Base(), .object = object}; }

    // Fetches into a zero-filled buffer of `capacity` bytes; the text returned.
    std::string Fetch(const PageRequest& request, std::size_t capacity = 65536)
    {
        std::vector<char> buffer(capacity);
        const std::size_t length = FetchPage(request, buffer);
        EXPECT_LT(length, capacity);
        EXPECT_EQ(buffer[length], '\0');
        return std::string(buffer.data(), length);
    }

    LoopbackServer server;
};

}  // namespace

TEST_F(FetchPageTest, SendsTheObjectAsGivenWithTheFormTypeAndNoCache)
{
    PageRequest request = Request("/page?s=AT%26T&d=t&x=a+b%20c");
    EXPECT_EQ(Fetch(request), "the page");
    request.verb = "POST";
    EXPECT_EQ(Fetch(request), "posted");

    const std::vector<SeenRequest> seen = server.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[1].method, "POST");
    for (const SeenRequest& one : seen) {
        EXPECT_EQ(one.target, "/page?s=AT%26T&d=t&x=a+b%20c") << one.method;
        EXPECT_EQ(one.Header("Content-Type"), "application/x-www-form-urlencoded") << one.method;
        EXPECT_EQ(one.Header("Cache-Control"), "no-cache") << one.method;
        EXPECT_EQ(one.Header("Pragma"), "no-cache") << one.method;
        EXPECT_EQ(one.Header("Authorization"), "<none>") << one.method;
        EXPECT_EQ(one.body, "") << one.method;
    }
    EXPECT_EQ(seen[1].Header("Content-Length"), "0");
}

TEST_F(FetchPageTest, RejectsAnUnknownVerb)
{
    PageRequest request = Request("/page");
    request.verb = "PUT";
    std::vector<char> buffer(16);
    EXPECT_THROW(FetchPage(request, buffer), std::invalid_argument);
    EXPECT_TRUE(server.Seen().empty());
}

TEST_F(FetchPageTest, ReadsAnErrorPageLikeAnyOther)
{
    EXPECT_EQ(Fetch(Request("/missing")), "<html>Not here</html>");
}

TEST_F(FetchPageTest, AssemblesAPageSentInManySmallPiecesInOrder)
{
    EXPECT_EQ(Fetch(Request("/pieces")), kLongPage);
}

TEST_F(FetchPageTest, CutsALongPageAtTheCapacityAndWritesNothingPastIt)
{
    constexpr std::size_t kGuard = 64;
    for (const std::size_t capacity : {std::size_t{0}, std::size_t{1}, std::size_t{100}, std::size_t{5000},
                                       kLongPage.size(), kLongPage.size() + 1}) {
        std::vector<char> buffer(capacity + kGuard, '#');
        const std::size_t length = FetchPage(Request("/long"), std::span(buffer).first(capacity));

        const std::size_t expected = capacity == 0 ? 0 : std::min(capacity - 1, kLongPage.size());
        ASSERT_EQ(length, expected) << capacity;
        EXPECT_EQ(std::string(buffer.data(), length), kLongPage.substr(0, length)) << capacity;
        if (capacity > 0) {
            EXPECT_EQ(buffer[length], '\0') << capacity;
        }
        // Nothing after the zero byte: neither the rest of the span nor the guard.
        const std::size_t untouched = capacity == 0 ? 0 : length + 1;
        EXPECT_TRUE(std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(untouched), buffer.end(),
                                [](char c) { return c == '#'; }))
            << capacity;
    }
}

TEST_F(FetchPageTest, AnswersALoginRequestOnlyWithEmptyCredentials)
{
    PageRequest request = Request("/private");
    EXPECT_EQ(Fetch(request), "log in first");
    request.credentials = Credentials::EmptyNameAndPassword;
    EXPECT_EQ(Fetch(request), "welcome");

    const std::vector<SeenRequest> seen = server.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].Header("Authorization"), "<none>");
    // Nothing is offered before the server asks; then the empty login ":".
    EXPECT_EQ(seen[1].Header("Authorization"), "<none>");
    EXPECT_EQ(seen[2].Header("Authorization"), "Basic Og==");
}

TEST_F(FetchPageTest, PutsPort80InTheAddressOnlyWhenTheBaseNamesNone)
{
    const PageRequest plain{.base = "http://finance.example.com", .object = "/q?s=IBM"};
    EXPECT_EQ(plain.Url(), "http://finance.example.com/q?s=IBM");
    PageRequest request = plain;
    request.port = PortChoice::Port80;
    EXPECT_EQ(request.Url(), "http://finance.example.com:80/q?s=IBM");
    request.base = "http://[::1]";
    EXPECT_EQ(request.Url(), "http://[::1]:80/q?s=IBM");
    request.base = "http://[::1]:8080";
    EXPECT_EQ(request.Url(), "http://[::1]:8080/q?s=IBM");
    EXPECT_EQ(HostOf(request), "[::1]");
    EXPECT_EQ(HostOf(plain), "finance.example.com");

    // The server's own port wins over Port80.
    request = Request("/page");
    request.port = PortChoice::Port80;
    EXPECT_EQ(request.Url(), server.Base() + "/page");
    EXPECT_EQ(Fetch(request), "the page");
}

TEST_F(FetchPageTest, ReportsTheBytesSoFarAndStopsWhenTheCallerCancels)
{
    std::vector<char> buffer(kLongPage.size() + 1);
    std::vector<std::size_t> reports;
    const FetchProgress record = [&](std::size_t received) {
        reports.push_back(received);
        return true;
    };
    ASSERT_EQ(FetchPage(Request("/long"), buffer, {}, record), kLongPage.size());
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_LE(reports.back(), kLongPage.size());

    try {
        FetchPage(Request("/long"), buffer, {}, [](std::size_t) { return false; });
        FAIL() << "a cancelled transfer reported success";
    } catch (const FetchCancelled& cancelled) {
        EXPECT_EQ(std::string(cancelled.what()), "Loading /long from 127.0.0.1 was cancelled.");
    }
}

TEST_F(FetchPageTest, PassesOnAnExceptionFromTheProgressCallback)
{
    std::vector<char> buffer(64);
    const FetchProgress failing = [](std::size_t) -> bool { throw std::logic_error("progress failed"); };
    EXPECT_THROW(FetchPage(Request("/page"), buffer, {}, failing), std::logic_error);
}

TEST(FetchPageFailureTest, ARefusedConnectionNamesHostPathAndReason)
{
    const SilentSocket closed(false);
    std::vector<char> buffer(64);
    try {
        FetchPage({.base = closed.Base(), .object = "/q?s=IBM&d=t"}, buffer);
        FAIL() << "a refused connection reported success";
    } catch (const NetworkError& error) {
        EXPECT_EQ(std::string(error.what()), "Could not fetch /q?s=IBM&d=t from 127.0.0.1: Connection refused. "
                                             "Check your network connection and the hosts file.");
    }
    EXPECT_EQ(buffer[0], '\0');
}

TEST(FetchPageFailureTest, GivesUpOnASilentServerAfterTheTotalTimeout)
{
    const SilentSocket silent(true);
    std::vector<char> buffer(64);
    const auto start = std::chrono::steady_clock::now();
    try {
        FetchPage({.base = silent.Base(), .object = "/q"}, buffer, {.connectTimeout = 300ms, .totalTimeout = 300ms});
        FAIL() << "a silent server reported success";
    } catch (const NetworkError& error) {
        EXPECT_NE(std::string(error.what()).find("/q from 127.0.0.1: Timeout"), std::string::npos) << error.what();
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, 250ms);
    EXPECT_LT(elapsed, 2s);
}

TEST(FetchPageFailureTest, AnUnknownHostNameIsANetworkError)
{
    std::vector<char> buffer(64);
    try {
        FetchPage({.base = "http://nonexistent.invalid", .object = "/q?s=IBM"}, buffer,
                  {.connectTimeout = 1000ms, .totalTimeout = 1000ms});
        FAIL() << "an unknown host reported success";
    } catch (const NetworkError& error) {
        EXPECT_NE(std::string(error.what()).find("Could not fetch /q?s=IBM from nonexistent.invalid: "),
                  std::string::npos)
            << error.what();
    }
}
