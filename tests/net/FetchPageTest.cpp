#include "net/FetchPage.h"
#include "support/PageServer.h"
#include "support/ScriptedServer.h"
#include "support/SilentServer.h"
#include "support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using namespace std::chrono_literals;

static_assert(std::is_base_of_v<NetworkError, FetchCancelled>);

// "0 1 2 3 ..." up to `count` numbers: a page whose every part is told apart.
std::string NumberedText(int count)
{
    std::string text;
    for (int n = 0; n < count; ++n)
        text += std::to_string(n) + ' ';
    return text;
}

const std::string kLongPage = NumberedText(3000);

class FetchPageTest : public ::testing::Test {
protected:
    FetchPageTest()
    {
        server.Serve("/page", "the page");
        server.Serve("/long", kLongPage);
        server.Handle("/pieces", [](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("text/plain", [](std::size_t, httplib::DataSink& sink) {
                for (int n = 0; n < 3000; ++n) {
                    const std::string piece = std::to_string(n) + ' ';
                    sink.write(piece.data(), piece.size());
                }
                sink.done();
                return true;
            });
        });
        server.Handle("/private", [](const httplib::Request& request, httplib::Response& response) {
            if (request.has_header("Authorization")) {
                response.set_content("welcome", "text/plain");
                return;
            }
            response.status = 401;
            response.set_header("WWW-Authenticate", "Basic realm=\"quotes\"");
            response.set_content("log in first", "text/plain");
        });
    }

    PageRequest Request(const std::string& object) const { return {.base = server.base(), .object = object}; }

    // Fetches into a zero-filled buffer of `capacity` bytes; the text returned.
    std::string Fetch(const PageRequest& request, std::size_t capacity = 65536)
    {
        std::vector<char> buffer(capacity);
        const std::size_t length = FetchPage(request, buffer);
        EXPECT_LT(length, capacity);
        EXPECT_EQ(buffer[length], '\0');
        return std::string(buffer.data(), length);
    }

    PageServer server;
};

}  // namespace

TEST_F(FetchPageTest, SendsTheObjectAsGivenWithTheFormTypeAndNoCache)
{
    server.Serve("/page?s=AT%26T&d=t&x=a+b%20c", "the page");
    PageRequest request = Request("/page?s=AT%26T&d=t&x=a+b%20c");
    EXPECT_EQ(Fetch(request), "the page");
    request.verb = "POST";
    EXPECT_EQ(Fetch(request), "the page");

    const std::vector<SeenRequest> seen = server.requests();
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
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(FetchPageTest, ReadsAnErrorPageLikeAnyOther)
{
    EXPECT_EQ(Fetch(Request("/missing")), "<html><body>Not Found</body></html>");
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

    const std::vector<SeenRequest> seen = server.requests();
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
    EXPECT_EQ(request.Url(), server.base() + "/page");
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

    EXPECT_EQ(ThrownMessage<FetchCancelled>([&] {
                  FetchPage(Request("/long"), buffer, {}, [](std::size_t) { return false; });
              }),
              "Loading /long from " + server.base().substr(7) + " was cancelled.");
}

TEST_F(FetchPageTest, PassesOnAnExceptionFromTheProgressCallback)
{
    std::vector<char> buffer(64);
    const FetchProgress failing = [](std::size_t) -> bool { throw std::logic_error("progress failed"); };
    EXPECT_THROW(FetchPage(Request("/page"), buffer, {}, failing), std::logic_error);
}

TEST(FetchPageFailureTest, ARefusedConnectionNamesHostPathAndReason)
{
    std::vector<char> buffer(64);
    EXPECT_EQ(ThrownMessage<NetworkError>([&] {
                  FetchPage({.base = "http://127.0.0.1:1", .object = "/q?s=IBM&d=t"}, buffer);
              }),
              "Could not fetch /q?s=IBM&d=t from 127.0.0.1:1: Connection refused. "
              "Check your network connection and the hosts file.");
    EXPECT_EQ(buffer[0], '\0');
}

// A command's deadline further off does not hide the fetch's own timeout.
TEST(FetchPageFailureTest, GivesUpOnASilentServerAfterTheTotalTimeout)
{
    const SilentServer silent;
    std::vector<char> buffer(64);
    for (const CommandDeadline deadline : {CommandDeadline{}, CommandDeadline::Starting(60s)}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THAT(ThrownMessage<NetworkError>([&] {
                        FetchPage({.base = silent.base(), .object = "/q"}, buffer,
                                  {.connectTimeout = 300ms, .totalTimeout = 300ms, .deadline = deadline});
                    }),
                    testing::HasSubstr("/q from " + silent.base().substr(7) + ": Timeout"));
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_GE(elapsed, 250ms);
        EXPECT_LT(elapsed, 2s);
    }
}

TEST(FetchPageFailureTest, AnUnknownHostNameIsANetworkError)
{
    std::vector<char> buffer(64);
    EXPECT_THAT(ThrownMessage<NetworkError>([&] {
                    FetchPage({.base = "http://nonexistent.invalid", .object = "/q?s=IBM"}, buffer,
                              {.connectTimeout = 1000ms, .totalTimeout = 1000ms});
                }),
                testing::HasSubstr("Could not fetch /q?s=IBM from nonexistent.invalid:80: "));
}

TEST(FetchPageServer, NamesTheHostWithThePortTheRequestGoesTo)
{
    const struct {
        const char* base;
        PortChoice port;
        const char* server;
    } cases[] = {
        {"http://finance.example.com", PortChoice::ProtocolDefault, "finance.example.com:80"},
        {"https://finance.example.com", PortChoice::ProtocolDefault, "finance.example.com:443"},
        {"HTTPS://finance.example.com", PortChoice::ProtocolDefault, "finance.example.com:443"},
        {"https://finance.example.com", PortChoice::Port80, "finance.example.com:80"},
        {"http://127.0.0.1:8080", PortChoice::Port80, "127.0.0.1:8080"},
        {"http://[::1]", PortChoice::ProtocolDefault, "[::1]:80"},
        {"http://[::1]:8080", PortChoice::ProtocolDefault, "[::1]:8080"},
    };
    for (const auto& one : cases)
        EXPECT_EQ(ServerOf({.base = one.base, .port = one.port, .object = "/q"}), one.server) << one.base;
}

TEST(FetchPageFailureTest, AnOverlongHeaderLineIsReportedAsSuchNotAsLackOfMemory)
{
    const ScriptedServer server({{kLongHeaderAnswer}}, ScriptedServer::End::Close);
    std::vector<char> buffer(64);
    EXPECT_EQ(ThrownMessage<NetworkError>([&] { FetchPage({.base = server.base(), .object = "/q"}, buffer); }),
              "Could not fetch /q from " + server.server() +
                  ": the reply's header was too long (a line of more than 100 KB). "
                  "Check your network connection and the hosts file.");
}

TEST(FetchPageDeadline, AFetchStopsAtItsCommandsDeadlineNamingWhatItWasFetching)
{
    const SilentServer silent;
    std::vector<char> buffer(64);
    const FetchLimits limits{.deadline = CommandDeadline::Starting(1s)};
    const std::string expected = "Could not fetch /q from " + silent.base().substr(7) +
                                 ": the command ran past its time limit of 1 s. Raise commandSeconds in the "
                                 "[limits] section of the hosts file to wait longer.";
    EXPECT_EQ(ThrownMessage<NetworkError>([&] { FetchPage({.base = silent.base(), .object = "/q"}, buffer, limits); }),
              expected);
    EXPECT_GE(std::chrono::steady_clock::now(), limits.deadline.end);

    // The next fetch of the command does not start.
    PageServer server;
    server.Serve("/q", "the page");
    EXPECT_THAT(ThrownMessage<NetworkError>(
                    [&] { FetchPage({.base = server.base(), .object = "/q"}, buffer, limits); }),
                testing::HasSubstr("/q from " + server.base().substr(7) + ": the command ran past its time limit"));
    EXPECT_TRUE(server.requests().empty());
}
