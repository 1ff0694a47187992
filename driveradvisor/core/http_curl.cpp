#include "core/http.h"

#include <curl/curl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include <memory>
#include <mutex>

namespace vantorel {

namespace {

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

size_t collect(char* data, size_t size, size_t count, void* buffer) {
  static_cast<PieceBuffer*>(buffer)->append(data, size * count);
  return size * count;
}

int progress(void* cancelled, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

}  // namespace

CurlClient::CurlClient() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool isLoopbackAddress(const std::string& address) {
  CURLU* url = curl_url();
  char* host = nullptr;
  bool loopback = false;
  if (curl_url_set(url, CURLUPART_URL, address.c_str(), 0) == CURLUE_OK &&
      curl_url_get(url, CURLUPART_HOST, &host, 0) == CURLUE_OK) {
    loopback = isLoopbackHost(host);
  }
  curl_free(host);
  curl_url_cleanup(url);
  return loopback;
}

bool systemIsOnline() {
  ifaddrs* interfaces = nullptr;
  if (getifaddrs(&interfaces) != 0) return false;
  bool online = false;
  for (ifaddrs* i = interfaces; i && !online; i = i->ifa_next) {
    const bool running = (i->ifa_flags & IFF_UP) && (i->ifa_flags & IFF_RUNNING) && !(i->ifa_flags & IFF_LOOPBACK);
    const bool ip = i->ifa_addr && (i->ifa_addr->sa_family == AF_INET || i->ifa_addr->sa_family == AF_INET6);
    online = running && ip;
  }
  freeifaddrs(interfaces);
  return online;
}

bool CurlClient::connectionAvailable(const std::string& address) {
  return !cancelled_ && (isLoopbackAddress(address) || systemIsOnline());
}

std::optional<std::string> CurlClient::get(const std::string& address) {
  if (cancelled_) return std::nullopt;
  Easy easy(curl_easy_init());
  if (!easy) return std::nullopt;
  CURL* e = easy.get();
  PieceBuffer buffer;
  curl_easy_setopt(e, CURLOPT_URL, address.c_str());
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(e, CURLOPT_USERAGENT, kAgentName);
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, connectTimeoutSeconds);
  curl_easy_setopt(e, CURLOPT_TIMEOUT, transferTimeoutSeconds);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, progress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, &cancelled_);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, collect);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &buffer);
  const CURLcode done = curl_easy_perform(e);
  long status = 0;
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
  // No answer at all: the address could not be opened. An answer cut short by a failed read
  // keeps what had been read.
  if (done != CURLE_OK && status == 0) return std::nullopt;
  if (cancelled_) return std::nullopt;
  return buffer.text();
}

}  // namespace vantorel
