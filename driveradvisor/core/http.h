// The HTTP client of the query: libcurl on Linux (http_curl.cpp), WinINet on Windows
// (http_wininet.cpp). Both read the answer the same way, into a PieceBuffer, and make the same
// connection check.
#pragma once

#include <atomic>
#include <mutex>
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

// True when the system reports a network connection: on Linux a network interface other than
// loopback that is up and running, on Windows InternetAttemptConnect and
// InternetGetConnectedState.
bool systemIsOnline();

#ifdef _WIN32

// The connection check: the system is online, or the server is on this machine. The request:
// InternetOpenA with the agent name kAgentName and the system's preconfigured access settings,
// the address canonicalised in browser mode (InternetCanonicalizeUrlA; unchanged when that
// fails or the result would be longer than kAddressMax), InternetOpenUrlA, then
// InternetReadFile in pieces of 256 bytes until the first empty or failed read. Redirects are
// followed; any HTTP answer counts as an answer, whatever its status. Every request goes to
// the server: no answer is taken from or written to the system's cache, so a card the database
// learns about later is found on the next start.
class WinInetClient : public HttpClient {
 public:
  WinInetClient() = default;
  ~WinInetClient() override;
  bool connectionAvailable(const std::string& address) override;
  std::optional<std::string> get(const std::string& address) override;
  // Closes the Internet handle of a request under way, which ends its waits.
  void cancel() override;

  long connectTimeoutSeconds = 15;
  long transferTimeoutSeconds = 60;

 private:
  std::atomic<bool> cancelled_{false};
  std::mutex mutex_;
  void* session_ = nullptr;  // HINTERNET of InternetOpenA while a request runs
};
using SystemHttpClient = WinInetClient;

#else

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
using SystemHttpClient = CurlClient;

#endif

}  // namespace vantorel
