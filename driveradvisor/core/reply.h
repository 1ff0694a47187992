// The driver database's answer: "nores" when it knows nothing about the card, otherwise lines
// of "key:value" in any order, ended by carriage return and/or line feed.
#pragma once

#include <string>
#include <string_view>

namespace vantorel {

// The answer is kept up to this many characters.
inline constexpr size_t kReplyMax = 8191;
// Values of this many characters or fewer are shown; longer ones count as missing.
inline constexpr size_t kValueMax = 255;

// True when the answer begins with "nores".
bool isNoResult(std::string_view reply);

// The text right after the first occurrence of `key` anywhere in the answer (no spaces
// skipped) up to the first carriage return or line feed. Empty when the key is missing or
// the value is longer than kValueMax characters.
std::string extractValue(std::string_view reply, std::string_view key);

// The four values the window shows.
struct ReplyValues {
  std::string manufacturer;  // "manufact:"
  std::string officialUrl;   // "officialurl:"
  std::string description;   // "description:"
  std::string advice;        // "advice:"
};
ReplyValues parseReply(std::string_view reply);

}  // namespace vantorel
