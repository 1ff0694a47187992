// One query of the driver database and what the window makes of the answer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/reply.h"

namespace vantorel {

// How the query reaches the server; SystemHttpClient (core/http.h) is the real one.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // The connection check made before the request: false when the server cannot be reached.
  virtual bool connectionAvailable(const std::string& address) = 0;
  // The answer's text, or nothing when the address cannot be opened.
  virtual std::optional<std::string> get(const std::string& address) = 0;
  // Ends a check or request under way, from any thread; later ones fail at once.
  virtual void cancel() {}
};

enum class QueryResult {
  Failed,         // no card name, no connection, the server unreachable or unreadable: silent
  NoInformation,  // "nores": the apology, every field stays empty
  RetryLater,     // no official website (empty or "0"): the apology, then kRetryAdvice as advice
  Found,          // the four fields are filled and Visit is enabled
};

struct QueryOutcome {
  QueryResult result = QueryResult::Failed;
  std::string reply;   // the answer, at most kReplyMax characters
  ReplyValues values;  // parsed when the answer was not "nores"
};

inline constexpr char kApologyText[] =
    "Sorry no information is available for you video card yet, please retry in a few days while "
    "we locate the right driver for you.";
inline constexpr char kRetryAdvice[] = "Please retry in a few days...";

// Asks `server` about the card (see queryAddress) and decides what the answer means.
QueryOutcome runQuery(std::string_view server, std::string_view card, std::string_view os, HttpClient& http);

}  // namespace vantorel
