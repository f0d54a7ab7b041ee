#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tv::platform::testing {

// One request as the server received it.
struct HttpRequest {
    std::string requestLine;                    // "GET /path HTTP/1.1"
    std::map<std::string, std::string> headers; // names in lower case

    std::string header(const std::string& lowerCaseName) const {
        const auto found = headers.find(lowerCaseName);
        return found == headers.end() ? std::string() : found->second;
    }
};

// How the server answers.
struct HttpAnswer {
    enum class Mode {
        Answer,  // status, headers and the whole body, then the connection closes
        Silent,  // reads the request and never says a word
        Trickle, // the status, a long Content-Length, the body, then a byte every 50 ms
    };
    int status = 200;
    std::string body;
    std::string location; // a Location header when not empty
    std::chrono::milliseconds delay{0};
    Mode mode = Mode::Answer;

    static HttpAnswer Page(std::string body, int status = 200) {
        HttpAnswer answer;
        answer.status = status;
        answer.body = std::move(body);
        return answer;
    }
    static HttpAnswer Late(std::string body, std::chrono::milliseconds delay) {
        HttpAnswer answer = Page(std::move(body));
        answer.delay = delay;
        return answer;
    }
    static HttpAnswer Redirect(std::string location, int status = 301) {
        HttpAnswer answer = Page("", status);
        answer.location = std::move(location);
        return answer;
    }
    static HttpAnswer Silent() {
        HttpAnswer answer;
        answer.mode = Mode::Silent;
        return answer;
    }
    static HttpAnswer Trickle(std::string body) {
        HttpAnswer answer = Page(std::move(body));
        answer.mode = Mode::Trickle;
        return answer;
    }
};

// A small HTTP/1.1 server on 127.0.0.1 and a free port, on a thread of its
// own, for tests of a web client. It serves one connection at a time and
// records every request; destroying it stops the thread and closes every
// socket it has.
class LocalHttpServer {
public:
    LocalHttpServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (listener_ < 0)
            throw std::runtime_error("no socket");
        const int yes = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 8) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            ::close(listener_);
            throw std::runtime_error("cannot listen on 127.0.0.1");
        }
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }

    ~LocalHttpServer() {
        stop_ = true;
        thread_.join();
        for (const int fd : silent_)
            ::close(fd);
        ::close(listener_);
    }

    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

    // The answer to every request for a path without an answer of its own.
    void answer(HttpAnswer answer) {
        const std::lock_guard lock(mutex_);
        default_ = std::move(answer);
    }
    void answer(const std::string& path, HttpAnswer answer) {
        const std::lock_guard lock(mutex_);
        byPath_[path] = std::move(answer);
    }

    std::vector<HttpRequest> requests() const {
        const std::lock_guard lock(mutex_);
        return requests_;
    }
    std::size_t requestCount() const { return requests().size(); }

private:
    static constexpr int kPollMs = 20;

    // Waits for the socket to be ready; false when the server stops first or
    // `patienceMs` pass.
    bool ready(int fd, short events, int patienceMs) const {
        for (int waited = 0; !stop_ && waited < patienceMs; waited += kPollMs) {
            pollfd entry{fd, events, 0};
            const int result = ::poll(&entry, 1, kPollMs);
            if (result > 0)
                return true;
            if (result < 0)
                return false;
        }
        return false;
    }

    bool sendAll(int fd, const std::string& bytes) const {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            if (!ready(fd, POLLOUT, 10000))
                return false;
            const ssize_t count =
                ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (count <= 0)
                return false;
            sent += static_cast<std::size_t>(count);
        }
        return true;
    }

    void run() {
        while (!stop_) {
            if (!ready(listener_, POLLIN, kPollMs))
                continue;
            const int fd = ::accept(listener_, nullptr, nullptr);
            if (fd >= 0)
                serve(fd);
        }
    }

    void serve(int fd) {
        std::string head;
        char buffer[4096];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
            if (!ready(fd, POLLIN, 2000))
                break;
            const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
            if (count <= 0)
                break;
            head.append(buffer, static_cast<std::size_t>(count));
        }
        const HttpRequest request = Parse(head);
        HttpAnswer answer;
        {
            const std::lock_guard lock(mutex_);
            requests_.push_back(request);
            const auto found = byPath_.find(Path(request.requestLine));
            answer = found == byPath_.end() ? default_ : found->second;
        }
        if (answer.mode == HttpAnswer::Mode::Silent) {
            silent_.push_back(fd);
            return;
        }
        const auto until = std::chrono::steady_clock::now() + answer.delay;
        while (!stop_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const bool trickle = answer.mode == HttpAnswer::Mode::Trickle;
        const std::size_t length = trickle ? 100'000'000 : answer.body.size();
        std::string reply =
            "HTTP/1.1 " + std::to_string(answer.status) + " " + Reason(answer.status) +
            "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(length) +
            "\r\nConnection: close\r\n";
        if (!answer.location.empty())
            reply += "Location: " + answer.location + "\r\n";
        reply += "\r\n" + answer.body;
        bool open = sendAll(fd, reply);
        while (trickle && open && !stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            open = sendAll(fd, "x");
        }
        ::shutdown(fd, SHUT_WR);
        ::close(fd);
    }

    static HttpRequest Parse(const std::string& head) {
        HttpRequest request;
        std::size_t start = 0;
        bool first = true;
        while (start < head.size()) {
            const std::size_t end = head.find("\r\n", start);
            if (end == std::string::npos || end == start)
                break;
            const std::string line = head.substr(start, end - start);
            start = end + 2;
            if (first) {
                request.requestLine = line;
                first = false;
                continue;
            }
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos)
                continue;
            std::string name = line.substr(0, colon);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            const std::size_t value = line.find_first_not_of(' ', colon + 1);
            request.headers[name] = value == std::string::npos ? "" : line.substr(value);
        }
        return request;
    }

    static std::string Path(const std::string& requestLine) {
        const std::size_t from = requestLine.find(' ');
        const std::size_t to = requestLine.find(' ', from + 1);
        if (from == std::string::npos || to == std::string::npos)
            return {};
        return requestLine.substr(from + 1, to - from - 1);
    }

    static std::string Reason(int status) {
        switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::vector<int> silent_; // only the server thread touches it until it is joined
    mutable std::mutex mutex_;
    HttpAnswer default_;
    std::map<std::string, HttpAnswer> byPath_;
    std::vector<HttpRequest> requests_;
};

} // namespace tv::platform::testing
