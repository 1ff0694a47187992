// A small HTTP server on 127.0.0.1 for the advisor's tests: it answers every GET with the body
// its responder gives for the request target and remembers what it was asked. It listens on a
// port of the system's choosing and stops with the object; every wait in it is bounded. The
// same server runs on Linux and, through Winsock, under Wine.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>

namespace loopback {
using Socket = SOCKET;
inline constexpr Socket kNoSocket = INVALID_SOCKET;
inline int closeSocket(Socket s) { return closesocket(s); }
inline int pollSockets(pollfd* fds, unsigned long count, int ms) { return WSAPoll(fds, count, ms); }
inline constexpr int kSendFlags = 0;
// Winsock is started once for the test program and left running.
inline bool startSockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}
}  // namespace loopback
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace loopback {
using Socket = int;
inline constexpr Socket kNoSocket = -1;
inline int closeSocket(Socket s) { return close(s); }
inline int pollSockets(pollfd* fds, nfds_t count, int ms) { return poll(fds, count, ms); }
inline constexpr int kSendFlags = MSG_NOSIGNAL;
inline bool startSockets() { return true; }
}  // namespace loopback
#endif

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ServedRequest {
  std::string target;     // "/addadriver.php?card=...&os=..."
  std::string userAgent;  // the User-Agent header
};

class LoopbackServer {
 public:
  struct Answer {
    Answer(std::string body = "", int status = 200, bool breakOff = false, std::string location = "",
           std::string headers = "")
        : body(std::move(body)),
          status(status),
          breakOff(breakOff),
          location(std::move(location)),
          headers(std::move(headers)) {}
    std::string body;
    int status;
    // Announce more bytes than are sent, then hang up: the answer breaks off.
    bool breakOff;
    // Sent as the Location header when not empty.
    std::string location;
    // More header lines, each ended by CR LF.
    std::string headers;
  };
  using Responder = std::function<Answer(const std::string& target)>;

  explicit LoopbackServer(Responder responder) : responder_(std::move(responder)) {
    loopback::startSockets();
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listener_ == loopback::kNoSocket || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  explicit LoopbackServer(std::string body)
      : LoopbackServer([body](const std::string&) { return Answer{body}; }) {}

  ~LoopbackServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ != loopback::kNoSocket) loopback::closeSocket(listener_);
  }

  int port() const { return port_; }
  std::string address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  std::vector<ServedRequest> requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

  // A loopback address where nothing listens: the port was free a moment ago.
  static std::string unreachableAddress() {
    loopback::startSockets();
    loopback::Socket s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    loopback::closeSocket(s);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
  }

 private:
  void serve() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
      pollfd waiting{listener_, POLLIN, 0};
      if (loopback::pollSockets(&waiting, 1, 50) <= 0) continue;
      const loopback::Socket client = accept(listener_, nullptr, nullptr);
      if (client == loopback::kNoSocket) continue;
      handle(client);
      loopback::closeSocket(client);
    }
  }

  void handle(loopback::Socket client) {
    std::string request;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 &&
           std::chrono::steady_clock::now() < deadline) {
      pollfd waiting{client, POLLIN, 0};
      if (loopback::pollSockets(&waiting, 1, 50) <= 0) continue;
      char bytes[1024];
      const auto got = recv(client, bytes, sizeof bytes, 0);
      if (got <= 0) return;  // the connection check: connected, asked nothing
      request.append(bytes, static_cast<size_t>(got));
    }
    const size_t space = request.find(' ');
    if (space == std::string::npos) return;
    ServedRequest served;
    served.target = request.substr(space + 1, request.find(' ', space + 1) - space - 1);
    const size_t agent = request.find("\r\nUser-Agent: ");
    if (agent != std::string::npos) {
      const size_t from = agent + 14;
      served.userAgent = request.substr(from, request.find("\r\n", from) - from);
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(served);
    }
    const Answer answer = responder_(served.target);
    const size_t announced = answer.body.size() + (answer.breakOff ? 1000 : 0);
    const std::string reply = "HTTP/1.1 " + std::to_string(answer.status) +
                              " Answer\r\nContent-Type: text/plain\r\nContent-Length: " +
                              std::to_string(announced) + "\r\nConnection: close\r\n" +
                              (answer.location.empty() ? "" : "Location: " + answer.location + "\r\n") +
                              answer.headers +
                              "\r\n" + answer.body;
    size_t sent = 0;
    while (sent < reply.size()) {
      const auto n = send(client, reply.data() + sent, static_cast<int>(reply.size() - sent), loopback::kSendFlags);
      if (n <= 0) break;
      sent += static_cast<size_t>(n);
    }
  }

  Responder responder_;
  loopback::Socket listener_ = loopback::kNoSocket;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<ServedRequest> requests_;
};

// The value of `key` in a request target's query, percent-decoded as a server would.
inline std::string queryValue(const std::string& target, const std::string& key) {
  const size_t query = target.find('?');
  if (query == std::string::npos) return {};
  size_t at = query + 1;
  while (at <= target.size()) {
    size_t end = target.find('&', at);
    if (end == std::string::npos) end = target.size();
    const std::string pair = target.substr(at, end - at);
    if (pair.compare(0, key.size() + 1, key + "=") == 0) {
      std::string decoded;
      for (size_t i = key.size() + 1; i < pair.size(); ++i) {
        if (pair[i] == '%' && i + 2 < pair.size()) {
          decoded += static_cast<char>(std::stoi(pair.substr(i + 1, 2), nullptr, 16));
          i += 2;
        } else {
          decoded += pair[i] == '+' ? ' ' : pair[i];
        }
      }
      return decoded;
    }
    at = end + 1;
  }
  return {};
}
