#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/address.h"
#include "core/http.h"
#include "core/query.h"
#include "loopback_server.h"

namespace {

using namespace vantorel;

constexpr char kKnownCard[] =
    "manufact:NVIDIA\r\n"
    "officialurl:http://www.nvidia.com/Download/index.aspx\r\n"
    "description:GeForce GTX 1080\r\n"
    "advice:Take the newest driver for your system\r\n"
    "url:http://download.example/driver.run\r\n"
    "version:535.54\r\n";

// Runs the query with the system's HTTP client (libcurl, WinINet), bounded in time.
QueryOutcome ask(const std::string& server, const std::string& card = "NVIDIA GeForce GTX 1080",
                 const std::string& os = "61") {
  SystemHttpClient client;
  client.connectTimeoutSeconds = 5;
  client.transferTimeoutSeconds = 10;
  return runQuery(server, card, os, client);
}

TEST(Query, AKnownCardFillsTheFourValues) {
  LoopbackServer server(kKnownCard);
  const QueryOutcome outcome = ask(server.address());
  EXPECT_EQ(outcome.result, QueryResult::Found);
  EXPECT_EQ(outcome.values.manufacturer, "NVIDIA");
  EXPECT_EQ(outcome.values.officialUrl, "http://www.nvidia.com/Download/index.aspx");
  EXPECT_EQ(outcome.values.description, "GeForce GTX 1080");
  EXPECT_EQ(outcome.values.advice, "Take the newest driver for your system");
  EXPECT_EQ(outcome.reply, kKnownCard);
}

TEST(Query, TheServerSeesTheCardAndVersionExactly) {
  LoopbackServer server(kKnownCard);
  const std::string card = "ATI Radeon 9600 & 9800 #2 +x=y?\xC3\xBC%41";
  ask(server.address(), card, "410");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target.rfind("/addadriver.php?card=", 0), 0u) << requests[0].target;
  EXPECT_EQ(queryValue(requests[0].target, "card"), card);
  EXPECT_EQ(queryValue(requests[0].target, "os"), "410");
  EXPECT_EQ(requests[0].userAgent, kAgentName);
}

TEST(Query, NoResultGivesTheApologyAndNoValues) {
  LoopbackServer server("nores");
  const QueryOutcome outcome = ask(server.address());
  EXPECT_EQ(outcome.result, QueryResult::NoInformation);
  EXPECT_EQ(outcome.values.manufacturer + outcome.values.officialUrl + outcome.values.description +
                outcome.values.advice,
            "");
}

TEST(Query, NoResultWinsOverKeysThatFollow) {
  LoopbackServer server(std::string("nores\r\n") + kKnownCard);
  EXPECT_EQ(ask(server.address()).result, QueryResult::NoInformation);
}

TEST(Query, AnEmptyOrZeroWebsiteMeansRetryLater) {
  LoopbackServer zero("manufact:ATI\r\nofficialurl:0\r\ndescription:Radeon 9600\r\nadvice:Wait\r\n");
  EXPECT_EQ(ask(zero.address()).result, QueryResult::RetryLater);
  LoopbackServer empty("manufact:ATI\nofficialurl:\ndescription:Radeon 9600\nadvice:Wait\n");
  EXPECT_EQ(ask(empty.address()).result, QueryResult::RetryLater);
  LoopbackServer missing("manufact:ATI\ndescription:Radeon 9600\n");
  EXPECT_EQ(ask(missing.address()).result, QueryResult::RetryLater);
}

TEST(Query, LineFeedOnlyAnswersReadTheSame) {
  LoopbackServer server("manufact:NVIDIA\nofficialurl:http://nv.example/\ndescription:GTX\nadvice:Go\n");
  const QueryOutcome outcome = ask(server.address());
  EXPECT_EQ(outcome.result, QueryResult::Found);
  EXPECT_EQ(outcome.values.officialUrl, "http://nv.example/");
  EXPECT_EQ(outcome.values.advice, "Go");
}

TEST(Query, AnUnreachableServerFailsSilently) {
  const std::string nowhere = LoopbackServer::unreachableAddress();
  const auto start = std::chrono::steady_clock::now();
  const QueryOutcome outcome = ask(nowhere);
  EXPECT_EQ(outcome.result, QueryResult::Failed);
  EXPECT_EQ(outcome.reply, "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(Query, NoCardNameAsksNothing) {
  LoopbackServer server(kKnownCard);
  EXPECT_EQ(ask(server.address(), "").result, QueryResult::Failed);
  EXPECT_TRUE(server.requests().empty());
}

TEST(Query, AnyHttpStatusIsAnAnswer) {
  LoopbackServer server([](const std::string&) { return LoopbackServer::Answer{"Not Found", 404}; });
  const QueryOutcome outcome = ask(server.address());
  EXPECT_EQ(outcome.result, QueryResult::RetryLater);
  EXPECT_EQ(outcome.reply, "Not Found");
}

TEST(Query, AnAnswerThatBreaksOffKeepsWhatArrived) {
  LoopbackServer server([](const std::string&) { return LoopbackServer::Answer{kKnownCard, 200, true}; });
  const QueryOutcome outcome = ask(server.address());
  EXPECT_EQ(outcome.result, QueryResult::Found);
  EXPECT_EQ(outcome.values.description, "GeForce GTX 1080");
}

TEST(Query, TheReplyIsCutTo8191CharactersAndEndsAtANulByte) {
  const std::string longAnswer = std::string(kKnownCard) + std::string(20000, 'z');
  LoopbackServer big(longAnswer);
  const QueryOutcome outcome = ask(big.address());
  EXPECT_EQ(outcome.reply.size(), kReplyMax);
  EXPECT_EQ(outcome.result, QueryResult::Found);

  LoopbackServer nul(std::string("manufact:A\r\nofficialurl:http://a/\r\n\0advice:hidden\r\n", 46));
  const QueryOutcome cut = ask(nul.address());
  EXPECT_EQ(cut.reply, "manufact:A\r\nofficialurl:http://a/\r\n");
  EXPECT_EQ(cut.values.advice, "");
}

TEST(Query, EveryQueryAsksTheServerAgain) {
  // A card the database learns about between two starts is found on the second: no answer is
  // kept and given again in place of the server's, even one that says it may be kept.
  int asked = 0;
  LoopbackServer server([&asked](const std::string&) {
    return LoopbackServer::Answer{++asked == 1 ? std::string("nores") : std::string(kKnownCard), 200, false, "",
                                  "Cache-Control: public, max-age=86400\r\nExpires: Fri, 01 Jan 2038 00:00:00 GMT\r\n"};
  });
  EXPECT_EQ(ask(server.address()).result, QueryResult::NoInformation);
  EXPECT_EQ(ask(server.address()).result, QueryResult::Found);
  EXPECT_EQ(server.requests().size(), 2u);
}

TEST(Query, FollowsRedirects) {
  LoopbackServer target(kKnownCard);
  const std::string to = target.address() + "moved.txt";
  LoopbackServer moved([to](const std::string&) { return LoopbackServer::Answer{"", 302, false, to}; });
  EXPECT_EQ(ask(moved.address()).result, QueryResult::Found);
  ASSERT_EQ(target.requests().size(), 1u);
  EXPECT_EQ(target.requests()[0].target, "/moved.txt");
}

TEST(Query, TheConnectionCheckAcceptsAServerOnThisMachineWithoutANetwork) {
  EXPECT_TRUE(isLoopbackAddress("http://127.0.0.1:8080/addadriver.php?card=a&os=61"));
  EXPECT_TRUE(isLoopbackAddress("http://localhost/"));
  EXPECT_TRUE(isLoopbackAddress("http://[::1]:81/x"));
  EXPECT_FALSE(isLoopbackAddress("http://db.example/"));
  EXPECT_FALSE(isLoopbackAddress("http://127.example/"));
  EXPECT_FALSE(isLoopbackAddress("not an address"));
  SystemHttpClient client;
  EXPECT_TRUE(client.connectionAvailable("http://127.0.0.1:1/"));
  EXPECT_EQ(client.connectionAvailable("http://db.example/"), systemIsOnline());
  client.cancel();
  EXPECT_FALSE(client.connectionAvailable("http://127.0.0.1:1/"));
}

// ---- The decisions, with a client that answers from a script ----------------------------

struct ScriptedClient : HttpClient {
  bool connected = true;
  std::optional<std::string> answer;
  std::vector<std::string> asked;
  bool connectionAvailable(const std::string& address) override {
    asked.push_back("check " + address);
    return connected;
  }
  std::optional<std::string> get(const std::string& address) override {
    asked.push_back("get " + address);
    return answer;
  }
};

TEST(QueryDecisions, ChecksTheConnectionBeforeAsking) {
  ScriptedClient client;
  client.connected = false;
  client.answer = kKnownCard;
  EXPECT_EQ(runQuery("http://db.example/", "GeForce", "61", client).result, QueryResult::Failed);
  ASSERT_EQ(client.asked.size(), 1u);
  EXPECT_EQ(client.asked[0], "check http://db.example/addadriver.php?card=GeForce&os=61");
}

TEST(QueryDecisions, AnAddressThatCannotBeOpenedFailsSilently) {
  ScriptedClient client;
  const QueryOutcome outcome = runQuery("http://db.example/", "GeForce", "61", client);
  EXPECT_EQ(outcome.result, QueryResult::Failed);
  EXPECT_EQ(client.asked.back(), "get http://db.example/addadriver.php?card=GeForce&os=61");
}

TEST(QueryDecisions, AnEmptyAnswerMeansRetryLater) {
  ScriptedClient client;
  client.answer = "";
  EXPECT_EQ(runQuery("http://db.example/", "GeForce", "61", client).result, QueryResult::RetryLater);
}

// ---- Reading in pieces ---------------------------------------------------------------------

TEST(PieceBuffer, StartsAt16384BytesAndDoublesBeforeLessThan256WouldBeFree) {
  PieceBuffer buffer;
  EXPECT_EQ(buffer.capacity(), 16384u);
  const std::string block(16384 - 256, 'a');
  buffer.append(block.data(), block.size());
  EXPECT_EQ(buffer.capacity(), 16384u);  // exactly 256 free: still room for a piece
  buffer.append("b", 1);
  EXPECT_EQ(buffer.capacity(), 16384u);
  const std::string more(256, 'c');
  buffer.append(more.data(), more.size());  // 255 free before this piece: doubled first
  EXPECT_EQ(buffer.capacity(), 32768u);
  EXPECT_EQ(buffer.size(), 16384u + 1);
  EXPECT_EQ(buffer.text(), block + "b" + more);
}

TEST(PieceBuffer, KeepsEveryByteOfALongAnswer) {
  PieceBuffer buffer;
  std::string all;
  for (int i = 0; i < 300; ++i) {
    const std::string piece(977, static_cast<char>('a' + i % 26));
    buffer.append(piece.data(), piece.size());
    all += piece;
  }
  EXPECT_EQ(buffer.text(), all);
  EXPECT_EQ(buffer.capacity(), 16384u * 32);
}

}  // namespace
