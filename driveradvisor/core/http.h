// The HTTP client of the query, over libcurl.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "core/address.h"
#include "core/query.h"

namespace vantorel {

// Collects an answer as it arrives, in pieces of at most 256 bytes, in a buffer that starts at
// 16,384 bytes and doubles whenever fewer than 256 bytes would be left free.
class PieceBuffer {
 public:
  static constexpr size_t kPiece = 256;
  static constexpr size_t kInitialCapacity = 16384;

  PieceBuffer() : bytes_(kInitialCapacity) {}
  void append(const char* data, size_t size);
  size_t size() const { return used_; }
  size_t capacity() const { return bytes_.size(); }
  std::string text() const { return std::string(bytes_.data(), used_); }

 private:
  std::vector<char> bytes_;
  size_t used_ = 0;
};

// True when the address names this machine: "localhost", 127.x.x.x or [::1].
bool isLoopbackAddress(const std::string& address);

// True when a network interface other than loopback is up and running.
bool systemIsOnline();

// The connection check: the system is online, or the server is on this machine. The request:
// GET with the agent name kAgentName, following redirects, with the system's proxy settings
// (the usual http_proxy / no_proxy variables). Any HTTP answer counts as an answer, whatever
// its status. A transfer that breaks off after the answer began keeps what had arrived.
class CurlClient : public HttpClient {
 public:
  CurlClient();
  bool connectionAvailable(const std::string& address) override;
  std::optional<std::string> get(const std::string& address) override;

  void cancel() override { cancelled_ = true; }

  long connectTimeoutSeconds = 15;
  long transferTimeoutSeconds = 60;

 private:
  std::atomic<bool> cancelled_{false};
};

}  // namespace vantorel
