#include "core/address.h"

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

}  // namespace

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
