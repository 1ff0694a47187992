#include "core/http.h"

#include <windows.h>
#include <wininet.h>

namespace vantorel {

namespace {

// The host of an address, as WinINet reads it; empty when it cannot be read.
std::string hostOf(const std::string& address) {
  char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  if (!InternetCrackUrlA(address.c_str(), static_cast<DWORD>(address.size()), 0, &parts)) return {};
  return std::string(host, parts.dwHostNameLength);
}

// The address as a browser sends it: InternetCanonicalizeUrlA in browser mode leaves what
// follows '?' or '#' as it is. Unchanged when that fails or would be longer than kAddressMax.
std::string canonicalised(const std::string& address) {
  char out[kAddressMax + 1];
  DWORD size = sizeof out;
  if (!InternetCanonicalizeUrlA(address.c_str(), out, &size, ICU_BROWSER_MODE)) return address;
  return std::string(out, size);
}

}  // namespace

bool isLoopbackAddress(const std::string& address) {
  const std::string host = hostOf(address);
  return !host.empty() && isLoopbackHost(host);
}

bool systemIsOnline() {
  DWORD flags = 0;
  return InternetAttemptConnect(0) == ERROR_SUCCESS && InternetGetConnectedState(&flags, 0);
}

WinInetClient::~WinInetClient() { cancel(); }

bool WinInetClient::connectionAvailable(const std::string& address) {
  // A server on this machine answers whatever the system says of its network connection.
  return !cancelled_ && (isLoopbackAddress(address) || systemIsOnline());
}

void WinInetClient::cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  cancelled_ = true;
  if (session_) {
    // Closing the session handle ends the request's waits; the request sees the failure.
    InternetCloseHandle(static_cast<HINTERNET>(session_));
    session_ = nullptr;
  }
}

std::optional<std::string> WinInetClient::get(const std::string& address) {
  HINTERNET session = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_) return std::nullopt;
    session = InternetOpenA(kAgentName, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return std::nullopt;
    session_ = session;
  }
  DWORD connectMs = static_cast<DWORD>(connectTimeoutSeconds * 1000);
  DWORD transferMs = static_cast<DWORD>(transferTimeoutSeconds * 1000);
  InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
  InternetSetOptionA(session, INTERNET_OPTION_SEND_TIMEOUT, &transferMs, sizeof transferMs);
  InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &transferMs, sizeof transferMs);

  const std::string url = canonicalised(address);
  std::optional<std::string> answer;
  HINTERNET request = InternetOpenUrlA(session, url.c_str(), nullptr, 0,
                                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                           INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                                           INTERNET_FLAG_NO_COOKIES,
                                       0);
  if (request) {
    PieceBuffer buffer;
    char piece[PieceBuffer::kPiece];
    DWORD got = 0;
    while (InternetReadFile(request, piece, sizeof piece, &got) && got > 0) buffer.append(piece, got);
    InternetCloseHandle(request);
    answer = buffer.text();
  }

  std::lock_guard<std::mutex> lock(mutex_);
  if (session_) {
    InternetCloseHandle(static_cast<HINTERNET>(session_));
    session_ = nullptr;
  }
  if (cancelled_) return std::nullopt;
  return answer;
}

}  // namespace vantorel
