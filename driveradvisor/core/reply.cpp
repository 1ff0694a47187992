#include "core/reply.h"

namespace vantorel {

bool isNoResult(std::string_view reply) { return reply.substr(0, 5) == "nores"; }

std::string extractValue(std::string_view reply, std::string_view key) {
  const size_t at = reply.find(key);
  if (at == std::string_view::npos) return {};
  std::string_view value = reply.substr(at + key.size());
  value = value.substr(0, value.find_first_of("\r\n"));
  if (value.size() > kValueMax) return {};
  return std::string(value);
}

ReplyValues parseReply(std::string_view reply) {
  return {extractValue(reply, "manufact:"), extractValue(reply, "officialurl:"),
          extractValue(reply, "description:"), extractValue(reply, "advice:")};
}

}  // namespace vantorel
