// The HTTP side over real loopback sockets: the token, the bounds on
// requests, and the event stream as a client reads it.

#include <httplib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "../support/temp_dir.h"
#include "serve/access_token.h"
#include "served_bus.h"

namespace dsp::testing {
namespace {

const std::string kToken = "0123456789abcdef0123456789abcdef";

httplib::Headers Bearer(const std::string& token) { return {{"Authorization", "Bearer " + token}}; }

TEST(Http, WithoutTheTokenEveryRequestGets401AndWithItTheEventStreamFlows) {
  ServedBus bus(HttpSettings{"127.0.0.1", 0, kToken, ""});
  httplib::Client client("127.0.0.1", bus.port());
  const std::string one = "/api/v1/processors/" + bus.FirstId();
  struct Case {
    const char* what;
    httplib::Headers headers;
    std::string path;
  };
  const Case refused[] = {
      {"no token", {}, one},
      {"a wrong token", Bearer("0123456789abcdef0123456789abcdeX"), one},
      {"a token cut short", Bearer(kToken.substr(0, 31)), one},
      {"the token without Bearer", {{"Authorization", kToken}}, one},
      {"a path that does not exist", {}, "/api/v1/nothing"},
      {"the event stream", {}, "/api/v1/events"},
  };
  for (const Case& c : refused) {
    const httplib::Result result = client.Get(c.path.c_str(), c.headers);
    ASSERT_TRUE(result) << c.what;
    EXPECT_EQ(result->status, 401) << c.what;
    EXPECT_EQ(Json::parse(result->body).size(), 1u) << c.what << ": " << result->body;
    EXPECT_EQ(result->body.find("Hall"), std::string::npos) << c.what;
  }
  const httplib::Result patch = client.Patch(one.c_str(), R"({"output 0": {"mute": 1}})", "application/json");
  ASSERT_TRUE(patch);
  EXPECT_EQ(patch->status, 401);
  EXPECT_EQ(bus.Call("GET", one).body.at("parameters").at("output 0").at("mute"), 0) << "a refused PATCH was taken";

  const httplib::Result allowed = client.Get(one.c_str(), Bearer(kToken));
  ASSERT_TRUE(allowed);
  EXPECT_EQ(allowed->status, 200);
  EXPECT_FALSE(allowed->has_header("Access-Control-Allow-Origin")) << "CORS was not asked for";

  // With the token, the event stream carries level readings as server-sent events.
  std::string received;
  client.Get("/api/v1/events", Bearer(kToken), [&](const char* data, std::size_t size) {
    received.append(data, size);
    return received.find("\n\n") == std::string::npos;  // one whole event is enough
  });
  EXPECT_EQ(received.rfind("event: levels\ndata: {\"id\":\"" + bus.FirstId() + "\"", 0), 0u) << received;
}

// Two event streams fill a daemon that serves two connections: a third is
// refused at once with a time to retry, the streams go on, and once one
// closes a request is served again.
TEST(Http, AConnectionBeyondTheLimitIsRefusedAndTheOthersAreStillServed) {
  HttpSettings settings;
  settings.max_connections = 2;
  ServedBus bus(settings);
  const std::string one = "/api/v1/processors/" + bus.FirstId();
  std::atomic<int> events_seen[2] = {0, 0};
  std::atomic<bool> keep[2] = {true, true};
  std::vector<std::thread> streams;
  for (int s = 0; s < 2; ++s) {
    streams.emplace_back([&, s] {
      httplib::Client client("127.0.0.1", bus.port());
      client.set_read_timeout(60, 0);
      client.Get("/api/v1/events", [&, s](const char*, std::size_t) {
        ++events_seen[s];
        return keep[s].load();
      });
    });
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while ((events_seen[0] == 0 || events_seen[1] == 0) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(events_seen[0] > 0 && events_seen[1] > 0) << "the two streams did not start";

  httplib::Client client("127.0.0.1", bus.port());
  client.set_read_timeout(60, 0);
  const httplib::Result refused = client.Get(one.c_str());
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 503);
  EXPECT_EQ(refused->get_header_value("Retry-After"), "1");
  EXPECT_NE(Json::parse(refused->body).at("error").get<std::string>().find("(2)"), std::string::npos) << refused->body;
  const int seen = events_seen[1];
  while (events_seen[1] == seen && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_GT(events_seen[1], seen) << "the stream stopped after the refusal";

  keep[0] = false;
  streams[0].join();
  int status = 0;
  while (status != 200 && std::chrono::steady_clock::now() < deadline) {
    if (const httplib::Result served = client.Get(one.c_str())) status = served->status;
    if (status != 200) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(status, 200) << "a freed connection was not served again";
  keep[1] = false;
  streams[1].join();
}

// A request by `method` as the document names it, in lower case.
httplib::Result Send(httplib::Client& client, const std::string& method, const std::string& path) {
  if (method == "patch") return client.Patch(path.c_str(), "{}", "application/json");
  if (method == "post") return client.Post(path.c_str(), "", "application/json");
  // The event stream never ends: its first bytes are enough.
  if (path == "/api/v1/events") return client.Get(path.c_str(), [](const char*, std::size_t) { return false; });
  return client.Get(path.c_str());
}

// The document and the server agree both ways: every route served is
// described, with its methods, and every route described is served. Bad
// bodies are refused and the daemon goes on, answering the origin allowed.
TEST(Http, TheOpenApiDocumentDescribesExactlyTheRoutesServedAndBadBodiesAreRefused) {
  ServedBus bus(HttpSettings{"127.0.0.1", 0, "", "https://panel.example"});
  httplib::Client client("127.0.0.1", bus.port());
  client.set_read_timeout(120, 0);
  const httplib::Result document = client.Get("/api/v1/openapi.json");
  ASSERT_TRUE(document);
  const Json paths = Json::parse(document->body).at("paths");
  const std::string one = "/api/v1/processors/" + bus.FirstId();
  struct Route {
    std::string path_template;
    std::string method;
    std::string path;  // a request that reaches it without a long procedure
  };
  const std::vector<Route> served = {
      {"/api/v1/processors", "get", "/api/v1/processors"},
      {"/api/v1/processors/{id}", "get", one},
      {"/api/v1/processors/{id}", "patch", one},
      {"/api/v1/processors/{id}/presets", "get", one + "/presets"},
      {"/api/v1/processors/{id}/presets/{preset}/recall", "post", one + "/presets/17/recall"},
      {"/api/v1/processors/{id}/presets/{preset}/save", "post", one + "/presets/17/save"},
      {"/api/v1/rescan", "post", "/api/v1/rescan"},
      {"/api/v1/events", "get", "/api/v1/events"},
      {"/api/v1/openapi.json", "get", "/api/v1/openapi.json"},
  };
  std::size_t described = 0;
  for (const auto& [path_template, methods] : paths.items()) {
    for (const auto& [method, operation] : methods.items()) {
      if (method == "parameters") continue;
      ++described;
      const bool listed = std::any_of(served.begin(), served.end(), [&](const Route& r) {
        return r.path_template == path_template && r.method == method;
      });
      EXPECT_TRUE(listed) << method << " " << path_template << " is described but not served";
    }
  }
  EXPECT_EQ(described, served.size()) << "a served route is not described";
  for (const Route& route : served) {
    ASSERT_TRUE(paths.contains(route.path_template)) << route.path_template;
    const httplib::Result answer = Send(client, route.method, route.path);
    if (route.path == "/api/v1/events") {
      EXPECT_EQ(answer.error(), httplib::Error::Canceled) << "the event stream did not start";
      continue;
    }
    ASSERT_TRUE(answer) << route.path;
    EXPECT_NE(answer->status, 404) << route.method << " " << route.path << ": " << answer->body;
    EXPECT_NE(answer->status, 405) << route.method << " " << route.path << ": " << answer->body;
    for (const char* other : {"get", "patch", "post"}) {
      if (paths.at(route.path_template).contains(other) || route.path.find("/presets/") != std::string::npos) {
        continue;
      }
      const httplib::Result refused = Send(client, other, route.path);
      ASSERT_TRUE(refused) << other << " " << route.path;
      EXPECT_TRUE(refused->status == 404 || refused->status == 405)
          << other << " " << route.path << " is served but not described: " << refused->status;
    }
  }

  const std::string huge = "{\"output 0\": {\"gain\": " + std::string(HttpServer::kMaxBodyBytes, '1') + "}}";
  const struct {
    const char* what;
    std::string body;
    int status;
  } bad[] = {
      {"oversize", huge, 413},
      {"not JSON", "\xff\xfe{{", 400},
      {"deeply nested", std::string(5000, '[') + std::string(5000, ']'), 400},
      {"a string for a section", R"({"output 0": "gain=1"})", 400},
  };
  for (const auto& c : bad) {
    const httplib::Result result = client.Patch(one.c_str(), c.body, "application/json");
    ASSERT_TRUE(result) << c.what;
    EXPECT_EQ(result->status, c.status) << c.what << ": " << result->body;
    EXPECT_TRUE(Json::parse(result->body, nullptr, false).contains("error")) << c.what << ": " << result->body;
  }
  const httplib::Result after = client.Get(one.c_str());
  ASSERT_TRUE(after);
  EXPECT_EQ(after->status, 200);
  EXPECT_EQ(after->get_header_value("Access-Control-Allow-Origin"), "https://panel.example");
}

TEST(AccessToken, IsMadeOnceReadableByTheUserAloneAndKept) {
  TempDir dir;
  const std::string path = dir.File("dspdesk/dspserve-token");
  const TokenResult first = LoadOrCreateToken(path);
  ASSERT_TRUE(first.created) << first.error;
  EXPECT_EQ(first.token.size(), 64u);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  const TokenResult again = LoadOrCreateToken(path);
  EXPECT_FALSE(again.created);
  EXPECT_EQ(again.token, first.token);
  EXPECT_NE(LoadOrCreateToken(dir.File("other-token")).token, first.token);
}

}  // namespace
}  // namespace dsp::testing
