#include "core/address.h"

#include <cctype>

namespace vantorel {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendEscaped(std::string& out, unsigned char c) {
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

bool unsafeInAddress(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  switch (c) {
    case '"': case '<': case '>': case '\\': case '^': case '`': case '{': case '|': case '}':
      return true;
    default:
      return false;
  }
}

std::string onServer(std::string_view server, std::string_view page) {
  std::string address(server);
  if (!address.empty() && address.back() != '/') address += '/';
  address += page;
  return address;
}

// Four decimal numbers of 0..255 between dots; the first in `first`.
bool parseIpv4(std::string_view text, unsigned* first) {
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (text.empty() || text.front() != '.') return false;
      text.remove_prefix(1);
    }
    size_t digits = 0;
    unsigned value = 0;
    while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9') {
      value = value * 10 + (text[digits] - '0');
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) return false;
    if (part == 0) *first = value;
    text.remove_prefix(digits);
  }
  return text.empty();
}

// Eight groups of up to four hexadecimal digits, "::" standing for a run of zero groups.
bool parseIpv6(std::string_view text, unsigned short groups[8]) {
  unsigned short head[8] = {}, tail[8] = {};
  int heads = 0, tails = 0;
  bool compressed = false;
  if (text.substr(0, 2) == "::") {
    compressed = true;
    text.remove_prefix(2);
  } else if (!text.empty() && text.front() == ':') {
    return false;
  }
  while (!text.empty()) {
    size_t digits = 0;
    unsigned value = 0;
    while (digits < text.size() && std::isxdigit(static_cast<unsigned char>(text[digits]))) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[digits])));
      value = value * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10);
      ++digits;
    }
    if (digits == 0 || digits > 4) return false;
    text.remove_prefix(digits);
    if (heads + tails == 8) return false;  // a ninth group
    (compressed ? tail[tails++] : head[heads++]) = static_cast<unsigned short>(value);
    if (text.empty()) break;
    if (text.front() != ':') return false;
    text.remove_prefix(1);
    if (!text.empty() && text.front() == ':') {
      if (compressed) return false;
      compressed = true;
      text.remove_prefix(1);
    } else if (text.empty()) {
      return false;  // a single ':' at the end
    }
  }
  if (compressed ? heads + tails > 7 : heads != 8) return false;
  for (int i = 0; i < 8; ++i) groups[i] = 0;
  for (int i = 0; i < heads; ++i) groups[i] = head[i];
  for (int i = 0; i < tails; ++i) groups[8 - tails + i] = tail[i];
  return true;
}

}  // namespace

bool isLoopbackHost(std::string_view host) {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  unsigned first = 0;
  if (parseIpv4(host, &first)) return first == 127;
  unsigned short groups[8];
  if (parseIpv6(host, groups)) {
    for (int i = 0; i < 7; ++i)
      if (groups[i] != 0) return false;
    return groups[7] == 1;
  }
  constexpr std::string_view kLocalhost = "localhost";
  if (host.size() != kLocalhost.size()) return false;
  for (size_t i = 0; i < host.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(host[i])) != kLocalhost[i]) return false;
  }
  return true;
}

std::string percentEncode(std::string_view value) {
  std::string out;
  out.reserve(value.size() * 3);
  for (unsigned char c : value) {
    if (unreserved(c)) {
      out += static_cast<char>(c);
    } else {
      appendEscaped(out, c);
    }
  }
  return out;
}

std::string queryAddress(std::string_view server, std::string_view card, std::string_view os) {
  return onServer(server, "addadriver.php?card=" + percentEncode(card) + "&os=" + percentEncode(os));
}

std::string manufacturerPageAddress(std::string_view server, std::string_view card, std::string_view os) {
  return onServer(server,
                  "drivermanufact.php?videocard=" + percentEncode(card) + "&os=" + percentEncode(os));
}

std::string updatePageAddress(std::string_view server) {
  return onServer(server, "updatevideodrivers.html");
}

std::string canonicalAddress(std::string_view address) {
  const size_t rest = address.find_first_of("?#");
  std::string out;
  for (unsigned char c : address.substr(0, rest)) {
    if (unsafeInAddress(c)) {
      appendEscaped(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  if (rest != std::string_view::npos) out += address.substr(rest);
  if (out.size() > kAddressMax) return std::string(address);
  return out;
}

}  // namespace vantorel
