#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A server on 127.0.0.1 that answers every request with the same script of
// raw bytes and pauses, then closes, resets or holds the connection: a site
// that misbehaves in a way a well-made HTTP server never would. "{target}"
// in the script stands for the path and query of the request it answers.
class ScriptedServer {
public:
    struct Step {
        std::string bytes;
        std::chrono::milliseconds pauseAfter{0};
    };
    enum class End {
        Close,  // an orderly close once the script has been sent
        Reset,  // a reset: the connection breaks off
        Hold,   // nothing more is sent until the server goes
    };

    ScriptedServer(std::vector<Step> script, End end) : script_(std::move(script)), end_(end)
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot set up a loopback socket");
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { Accept(); });
    }

    ~ScriptedServer()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        woken_.notify_all();
        acceptor_.join();
        for (std::thread& connection : connections_)
            connection.join();
        close(listener_);
    }

    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::string server() const { return "127.0.0.1:" + std::to_string(port_); }

    // How many requests it has read.
    int requests() const { return requests_; }

private:
    bool Stopping()
    {
        std::lock_guard lock(mutex_);
        return stopping_;
    }

    // Waits `time`, or less when the server goes meanwhile; false then.
    bool Pause(std::chrono::milliseconds time)
    {
        std::unique_lock lock(mutex_);
        return !woken_.wait_for(lock, time, [this] { return stopping_; });
    }

    void Accept()
    {
        while (!Stopping()) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, 20) <= 0)
                continue;
            const int connection = accept(listener_, nullptr, nullptr);
            if (connection >= 0)
                connections_.emplace_back([this, connection] { Answer(connection); });
        }
    }

    // The request's target, once its header has arrived; empty when the
    // client went first.
    std::string ReadRequest(int connection)
    {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            pollfd waiting{connection, POLLIN, 0};
            if (Stopping())
                return {};
            if (poll(&waiting, 1, 20) <= 0)
                continue;
            const ssize_t count = recv(connection, buffer, sizeof buffer, 0);
            if (count <= 0)
                return {};
            request.append(buffer, static_cast<std::size_t>(count));
        }
        const std::size_t start = request.find(' ') + 1;
        return request.substr(start, request.find(' ', start) - start);
    }

    void Answer(int connection)
    {
        const std::string target = ReadRequest(connection);
        bool played = !target.empty();
        if (played)
            ++requests_;
        for (std::size_t i = 0; played && i < script_.size(); ++i) {
            std::string bytes = script_[i].bytes;
            for (std::size_t at = bytes.find("{target}"); at != std::string::npos; at = bytes.find("{target}", at))
                bytes.replace(at, 8, target);
            played = send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size()) &&
                     Pause(script_[i].pauseAfter);
        }
        if (played && end_ == End::Hold)
            Pause(std::chrono::hours(1));
        if (end_ == End::Reset) {
            const linger reset{1, 0};
            setsockopt(connection, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        }
        close(connection);
    }

    std::vector<Step> script_;
    End end_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<int> requests_{0};
    std::mutex mutex_;
    std::condition_variable woken_;
    bool stopping_ = false;
    std::thread acceptor_;
    std::vector<std::thread> connections_;  // touched by the acceptor only, until it has ended
};

// An HTTP/1.1 answer that closes its connection: the status line's code and
// text, further header lines (each ending in CR LF), and the body.
inline std::string HttpAnswer(int status, std::string_view text, std::string_view headers, std::string_view body)
{
    return "HTTP/1.1 " + std::to_string(status) + " " + std::string(text) + "\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n" + std::string(headers) + "\r\n" +
           std::string(body);
}

// Misbehaving answers: a header that promises more body than follows, a
// body of bytes no page holds, and a header line of a megabyte.
inline const std::string kCutShortAnswer = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<html>";
inline const std::string kBinaryAnswer =
    HttpAnswer(200, "OK", "", std::string("\x00\xff<ht\x00ml>\x1b\x7f", 11) + std::string(3000, '\0'));
inline const std::string kLongHeaderAnswer =
    HttpAnswer(200, "OK", "X-Filler: " + std::string(1 << 20, 'a') + "\r\n", "<html>x</html>");

// A site that misbehaves, and how a command that reads from it ends: its
// exit status and texts its error output holds ("{site}" stands for the
// site's host:port).
struct Misbehaviour {
    const char* name;
    std::vector<ScriptedServer::Step> script;
    ScriptedServer::End end;
    int status;
    std::vector<std::string> said;
};
