#pragma once

#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A web server on 127.0.0.1 that answers GET and POST requests with the
// pages it was given, by path and query exactly as requested; anything else
// gets a 404 page. It keeps the targets it was asked for, in order, with
// their verbs and the client ports they came from.
class PageServer {
public:
    PageServer()
    {
        const auto answer = [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex_);
            targets_.push_back(request.target);
            verbs_.push_back(request.method);
            clientPorts_.push_back(request.remote_port);
            const auto page = pages_.find(request.target);
            if (page == pages_.end()) {
                response.status = 404;
                response.set_content("<html><body>Not Found</body></html>", "text/html");
                return;
            }
            response.set_content(page->second, "text/html");
        };
        // Without it a reused connection waits out the client's delayed ACK
        // before each page's body.
        server_.set_tcp_nodelay(true);
        server_.Get(".*", answer);
        server_.Post(".*", answer);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() only ends a server that is already listening.
        while (!server_.is_running())
            std::this_thread::yield();
    }
    ~PageServer()
    {
        server_.stop();
        thread_.join();
    }
    PageServer(const PageServer&) = delete;
    PageServer& operator=(const PageServer&) = delete;

    void Serve(const std::string& target, std::string page)
    {
        std::lock_guard lock(mutex_);
        pages_[target] = std::move(page);
    }

    std::vector<std::string> targets() const
    {
        std::lock_guard lock(mutex_);
        return targets_;
    }

    std::vector<std::string> verbs() const
    {
        std::lock_guard lock(mutex_);
        return verbs_;
    }

    std::vector<int> clientPorts() const
    {
        std::lock_guard lock(mutex_);
        return clientPorts_;
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> pages_;
    std::vector<std::string> targets_;
    std::vector<std::string> verbs_;
    std::vector<int> clientPorts_;
};
