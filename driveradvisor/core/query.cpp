#include "core/query.h"

#include "core/address.h"

namespace vantorel {

QueryOutcome runQuery(std::string_view server, std::string_view card, std::string_view os, HttpClient& http) {
  QueryOutcome outcome;
  if (card.empty()) return outcome;
  const std::string address = canonicalAddress(queryAddress(server, card, os));
  if (!http.connectionAvailable(address)) return outcome;
  std::optional<std::string> answer = http.get(address);
  if (!answer) return outcome;

  // The answer is text: it ends at the first NUL byte.
  outcome.reply = answer->substr(0, answer->find('\0')).substr(0, kReplyMax);
  if (isNoResult(outcome.reply)) {
    outcome.result = QueryResult::NoInformation;
    return outcome;
  }
  outcome.values = parseReply(outcome.reply);
  const std::string& website = outcome.values.officialUrl;
  outcome.result = website.empty() || website == "0" ? QueryResult::RetryLater : QueryResult::Found;
  return outcome;
}

}  // namespace vantorel
