#pragma once

#include <httplib.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// What a PageServer saw of one request.
struct SeenRequest {
    std::string method;
    std::string target;  // path and query as sent
    httplib::Headers headers;
    std::string body;
    int clientPort = 0;

    // The value of header `name`, "<none>" when it was not sent.
    std::string Header(const char* name) const
    {
        const auto found = headers.find(name);
        return found == headers.end() ? "<none>" : found->second;
    }
};

// A web server on 127.0.0.1 that answers GET and POST requests with the
// pages it was given, by path and query exactly as requested, or with the
// handler given for the path; anything else gets a 404 page, or the page
// given for all others. It keeps every request it saw, in order.
class PageServer {
public:
    PageServer()
    {
        const auto answer = [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex_);
            requests_.push_back({request.method, request.target, request.headers, request.body, request.remote_port});
            if (const auto handler = handlers_.find(request.path); handler != handlers_.end()) {
                handler->second(request, response);
                return;
            }
            const auto page = pages_.find(request.target);
            if (page == pages_.end() && fallback_) {
                response.set_content(*fallback_, "text/html");
                return;
            }
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

    // Answers every request that finds no page of its own with `page`
    // instead of the 404 page.
    void ServeOthers(std::string page)
    {
        std::lock_guard lock(mutex_);
        fallback_ = std::move(page);
    }

    // Answers every request for `path`, whatever its query, with `handler`.
    void Handle(const std::string& path, httplib::Server::Handler handler)
    {
        std::lock_guard lock(mutex_);
        handlers_[path] = std::move(handler);
    }

    std::vector<SeenRequest> requests() const
    {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    std::vector<std::string> targets() const
    {
        std::vector<std::string> targets;
        for (const SeenRequest& request : requests())
            targets.push_back(request.target);
        return targets;
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> pages_;
    std::optional<std::string> fallback_;
    std::map<std::string, httplib::Server::Handler> handlers_;
    std::vector<SeenRequest> requests_;
};
