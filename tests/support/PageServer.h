#pragma once

#include <httplib.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A web server on 127.0.0.1 that answers GET requests with the pages it was
// given, by path and query exactly as requested; anything else gets a 404
// page. It keeps the targets it was asked for, in order.
class PageServer {
public:
    PageServer()
    {
        server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex_);
            targets_.push_back(request.target);
            const auto page = pages_.find(request.target);
            if (page == pages_.end()) {
                response.status = 404;
                response.set_content("<html><body>Not Found</body></html>", "text/html");
                return;
            }
            response.set_content(page->second, "text/html");
        });
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

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> pages_;
    std::vector<std::string> targets_;
};
