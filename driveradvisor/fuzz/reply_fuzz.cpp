// Fuzzes the reading of the driver database's answer: whatever the server sends (up to the
// 8,191 characters kept of it), each of the four values is the text right after the first
// occurrence of its key up to the line break, or empty when the key is missing or the value is
// longer than 255 characters; no value holds a line break; and "nores" is only the answer's
// start.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/reply.h"

namespace {

// The rule of extractValue written out plainly.
std::string plainValue(const std::string& reply, const std::string& key) {
  const size_t at = reply.find(key);
  if (at == std::string::npos) return {};
  std::string value;
  for (size_t i = at + key.size(); i < reply.size() && reply[i] != '\r' && reply[i] != '\n'; ++i) value += reply[i];
  return value.size() > vantorel::kValueMax ? std::string() : value;
}

void check(const std::string& value, const std::string& reply, const char* key) {
  if (value.size() > vantorel::kValueMax) std::abort();
  if (value.find_first_of("\r\n") != std::string::npos) std::abort();
  if (value != plainValue(reply, key)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > vantorel::kReplyMax) size = vantorel::kReplyMax;
  const std::string reply(reinterpret_cast<const char*>(data), size);
  const vantorel::ReplyValues v = vantorel::parseReply(reply);
  check(v.manufacturer, reply, "manufact:");
  check(v.officialUrl, reply, "officialurl:");
  check(v.description, reply, "description:");
  check(v.advice, reply, "advice:");
  if (vantorel::isNoResult(reply) != (reply.compare(0, 5, "nores") == 0 && reply.size() >= 5)) std::abort();
  return 0;
}
