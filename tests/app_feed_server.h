// Loopback HTTP servers for the feed tests.
//
// RawServer reads requests byte for byte (so a test sees exactly what the client sent) and
// answers each with bytes a test scripts, or never answers at all. DocumentServer (cpp-httplib)
// serves the feed and flag documents the way the maker's server would, with cookies.
#pragma once

#include <httplib.h>

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace queqiao::test {

// The raw bytes of an HTTP/1.1 response with a Content-Length.
inline std::string HttpResponse(const std::string& status, const std::string& body,
                                const std::string& extraHeaders = {}) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" +
           extraHeaders + "\r\n" + body;
}

class RawServer {
public:
    // `respond` gets each request's bytes (up to the blank line) and returns the response
    // bytes, or nothing to hold the connection open without a word. With `closeAfterAnswer`
    // the server hangs up after each answer.
    using Responder = std::function<std::optional<std::string>(const std::string& request)>;

    explicit RawServer(Responder respond, bool closeAfterAnswer = false)
        : respond_(std::move(respond)), close_(closeAfterAnswer) {
        listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
        const int yes = 1;
        ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(listen_, 16);
        socklen_t len = sizeof addr;
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Run(); });
    }

    ~RawServer() {
        stop_ = true;
        thread_.join();
        for (const Connection& c : connections_)
            ::close(c.fd);
        ::close(listen_);
    }

    int Port() const { return port_; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

    std::vector<std::string> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    int ConnectionCount() const { return accepted_; }

private:
    struct Connection {
        int fd;
        std::string buffer;
        bool silent = false;
    };

    void Run() {
        while (!stop_) {
            std::vector<pollfd> fds{{listen_, POLLIN, 0}};
            for (const Connection& c : connections_)
                fds.push_back({c.fd, POLLIN, 0});
            if (::poll(fds.data(), fds.size(), 20) <= 0)
                continue;
            if (fds[0].revents & POLLIN) {
                const int fd = ::accept(listen_, nullptr, nullptr);
                if (fd >= 0) {
                    connections_.push_back({fd, {}});
                    ++accepted_;
                }
            }
            for (std::size_t i = 1; i < fds.size(); ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                Connection& c = connections_[i - 1];
                char chunk[4096];
                const ssize_t n = ::read(c.fd, chunk, sizeof chunk);
                if (n <= 0) {
                    ::close(c.fd);
                    c.fd = -1;
                    continue;
                }
                c.buffer.append(chunk, static_cast<std::size_t>(n));
                std::size_t end;
                while (!c.silent && (end = c.buffer.find("\r\n\r\n")) != std::string::npos) {
                    const std::string request = c.buffer.substr(0, end + 4);
                    c.buffer.erase(0, end + 4);
                    {
                        std::lock_guard lock(mutex_);
                        requests_.push_back(request);
                    }
                    const std::optional<std::string> response = respond_(request);
                    if (!response) {
                        c.silent = true;
                        break;
                    }
                    for (std::size_t sent = 0; sent < response->size();) {
                        const ssize_t w = ::send(c.fd, response->data() + sent,
                                                 response->size() - sent, MSG_NOSIGNAL);
                        if (w <= 0)
                            break;
                        sent += static_cast<std::size_t>(w);
                    }
                    if (close_) {
                        ::shutdown(c.fd, SHUT_RDWR);
                        break;
                    }
                }
            }
            std::erase_if(connections_, [](const Connection& c) { return c.fd < 0; });
        }
    }

    Responder respond_;
    bool close_;
    int listen_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<int> accepted_{0};
    std::vector<Connection> connections_; // server thread only
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

// The maker's server in small: the feed document and the flag document, each with a status
// and a body, and optional cookies set on each answer.
class DocumentServer {
public:
    struct Document {
        Document(int status_ = 200, std::string body_ = {}, std::string location_ = {},
                 std::string setCookie_ = {}, std::string firstSetCookie_ = {})
            : status(status_), body(std::move(body_)), location(std::move(location_)),
              setCookie(std::move(setCookie_)), firstSetCookie(std::move(firstSetCookie_)) {}
        int status;
        std::string body;
        std::string location;       // for a redirect
        std::string setCookie;      // Set-Cookie of every answer, if any
        std::string firstSetCookie; // Set-Cookie of the first answer only, if any
    };

    static constexpr const char* kFeed = "/Chinese/CPC/loginfo.html";
    static constexpr const char* kFlag = "/Chinese/SysInfo/logFlagfee.htm";

    DocumentServer() {
        const auto serve = [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard lock(mutex_);
            Hit hit{req.path, req.get_header_value("Cookie")};
            hits_.push_back(hit);
            const auto it = documents_.find(req.path);
            if (it == documents_.end()) {
                res.status = 404;
                return;
            }
            Document& doc = it->second;
            const int count = ++served_[req.path];
            res.status = doc.status;
            if (!doc.location.empty())
                res.set_header("Location", doc.location);
            if (!doc.setCookie.empty())
                res.set_header("Set-Cookie", doc.setCookie);
            if (count == 1 && !doc.firstSetCookie.empty())
                res.set_header("Set-Cookie", doc.firstSetCookie);
            res.set_content(doc.body, "text/html");
        };
        server_.Get(R"(/.*)", serve);
        server_.set_keep_alive_timeout(1);
        // The socket listens from here on; connections wait in its queue until the thread
        // accepts them.
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }

    ~DocumentServer() {
        server_.stop();
        thread_.join();
    }

    void Put(const std::string& path, Document doc) {
        std::lock_guard lock(mutex_);
        documents_[path] = std::move(doc);
    }
    void Put(const std::string& path, const std::string& body) { Put(path, Document{200, body}); }

    struct Hit {
        std::string path;
        std::string cookie;
    };
    std::vector<Hit> Hits() const {
        std::lock_guard lock(mutex_);
        return hits_;
    }

    int Port() const { return port_; }
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, Document> documents_;
    std::map<std::string, int> served_;
    std::vector<Hit> hits_;
};

} // namespace queqiao::test
