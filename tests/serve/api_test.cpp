// The API in process: every route and every refusal, handled on the bus
// thread against simulated processors, and what the event stream tells.

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "serve/processor_json.h"
#include "served_bus.h"

namespace dsp::testing {
namespace {

constexpr auto kEventWait = std::chrono::seconds(10);

TEST(Api, RefusalsNameWhatIsWrongAndChangeNothingAndChangesReachTheEventStream) {
  ServedBus bus({});
  const std::string id = bus.FirstId();
  const std::string one = "/api/v1/processors/" + id;
  const Json before = bus.Call("GET", one).body;
  EXPECT_EQ(before.at("name"), "Hall");
  EXPECT_EQ(before.at("parameters").at("output 1").size(), before.at("parameters").at("output 0").size());
  EXPECT_TRUE(before.at("parameters").at("router").contains("in_1_out_1_enable"));

  struct Case {
    const char* method;
    std::string path;
    std::string body;
    int status;
    std::string in_error;  // part of the error, or of the key refused
  };
  const Case cases[] = {
      {"GET", "/api/v1/processors", "", 200, ""},
      {"GET", one + "/presets", "", 200, ""},
      {"GET", "/api/v1/processors/2F63F80F18BF786", "", 400, "16 hexadecimal digits"},
      {"GET", "/api/v1/processors/2F63 F80F18BF7860", "", 400, "16 hexadecimal digits"},
      {"GET", "/api/v1/processors/0000000000000000", "", 404, "no processor 0000000000000000"},
      {"GET", "/api/v1/nothing", "", 404, "no such resource"},
      {"DELETE", one, "", 405, "use GET or PATCH"},
      {"GET", one + "/presets/3/recall", "", 405, "use POST"},
      {"POST", one + "/presets/17/recall", "", 400, "from 0 to 16"},
      {"POST", one + "/presets/x/save", "", 400, "from 0 to 16"},
      {"PATCH", one, "{\"output 0\": ", 400, "not JSON"},
      {"PATCH", one, "[1]", 400, "object of sections"},
      {"PATCH", one, R"({"output 9": {"gain": 0}})", 400, "[output 9]"},
      {"PATCH", one, R"({"output 0": 5})", 400, "[output 0]"},
      {"PATCH", one, R"({"output 0": {"gian": 0}})", 400, "[output 0] gian"},
      {"PATCH", one, R"({"output 0": {"mute": true}})", 400, "whole number"},
      {"PATCH", one, R"({"output 0": {"gain": 1.5}})", 400, "whole number"},
      {"PATCH", one, R"({"output 0": {"gain": 99999999999}})", 400, "whole number"},
      // The good value before the bad one is not taken either.
      {"PATCH", one, R"({"output 0": {"gain": -750, "mute": 2}})", 400, "use 0 to 1"},
      {"PATCH", one, R"({"router": {"in_0_out_1": 256}})", 400, "[router] in_0_out_1"},
      {"PATCH", one, R"({"input 1": {"gain": 307671}})", 400, "use -347680 to 307670"},
  };
  for (const Case& c : cases) {
    const ApiResponse answer = bus.Call(c.method, c.path, c.body);
    EXPECT_EQ(answer.status, c.status) << c.method << " " << c.path << " " << c.body << ": " << answer.body.dump();
    if (c.in_error.empty()) continue;
    const std::string said = answer.body.value("error", "");
    EXPECT_NE(said.find(c.in_error), std::string::npos) << c.path << " " << c.body << ": " << said;
  }
  EXPECT_EQ(bus.Call("GET", one).body, before) << "a refused request changed the record";
  EXPECT_EQ(bus.Call("GET", one + "/presets").body.size(), 17u);
  const ApiResponse refused = bus.Call("PATCH", one, R"({"output 0": {"delay": 65536}})");
  EXPECT_EQ(refused.body.at("key"), "[output 0] delay");
  EXPECT_EQ(refused.body.at("reason"), "out of range: use 0 to 65535");

  // A change is told to every listener with the keys it changed; the level
  // poll goes on telling readings of every processor.
  const std::shared_ptr<EventSubscription> stream = bus.events().Subscribe();
  ASSERT_TRUE(stream);

  const ApiResponse changed =
      bus.Call("PATCH", one, R"({"output 1": {"gain": -750, "mute": 1}, "router": {"in_1_out_0": 7}})");
  ASSERT_EQ(changed.status, 200) << changed.body.dump();
  EXPECT_EQ(changed.body.at("parameters").at("output 1").at("gain"), -750);
  EXPECT_EQ(changed.body.at("parameters").at("router").at("in_1_out_0"), 7);

  bool told_change = false;
  bool told_levels = false;
  for (int i = 0; i < 50 && !(told_change && told_levels); ++i) {
    const std::optional<ServeEvent> event = stream->Next(kEventWait);
    ASSERT_TRUE(event) << "the event stream went quiet";
    const Json data = Json::parse(event->data);
    EXPECT_EQ(data.at("id"), id);
    if (event->type == "parameters") {
      EXPECT_EQ(data.at("source"), "api");
      EXPECT_EQ(data.at("parameters"), Json::parse(R"({"output 1": {"gain": -750, "mute": 1}, "router": {"in_1_out_0": 7}})"));
      told_change = true;
    } else if (event->type == "levels") {
      EXPECT_EQ(data.at("inputs").size(), 2u);
      EXPECT_EQ(data.at("outputs").size(), 2u);
      told_levels = true;
    }
  }
  EXPECT_TRUE(told_change);
  EXPECT_TRUE(told_levels);

  // Setting what is already set tells nothing new.
  ASSERT_EQ(bus.Call("PATCH", one, R"({"output 1": {"gain": -750}})").status, 200);
  for (int i = 0; i < 5; ++i) {
    if (const std::optional<ServeEvent> event = stream->Next(std::chrono::milliseconds(300))) {
      EXPECT_NE(event->type, "parameters") << event->data;
    }
  }
}

// While the bus thread is held in a long procedure, the records are read
// and changed without it; it takes the changes, in order, once free.
TEST(Api, ReadsAndChangesAreAnsweredWhileTheBusThreadIsBusy) {
  ServedBus bus({});
  const std::string id = bus.FirstId();
  const std::string one = "/api/v1/processors/" + id;
  std::promise<void> release;
  std::promise<void> holding;
  std::thread busy([&] {
    bus.worker().Call(
        [&](ProcessorService&) {
          holding.set_value();
          release.get_future().wait();
          return ApiResponse{};
        },
        ServedBus::kCallTimeout);
  });
  holding.get_future().wait();
  const auto no_wait = std::chrono::milliseconds(1);  // a request waiting for the bus would time out
  const ApiRequest requests[] = {{"GET", "/api/v1/processors", ""},
                                 {"PATCH", one, R"({"output 1": {"gain": -500}})"},
                                 {"PATCH", one, R"({"output 1": {"gain": -600}})"},
                                 {"GET", one, ""}};
  for (const ApiRequest& request : requests) {
    EXPECT_EQ(HandleApiRequest(request, bus.worker(), no_wait).status, 200) << request.method << " " << request.body;
  }
  EXPECT_EQ(Json::parse(HandleApiRequest({"GET", one, ""}, bus.worker(), no_wait).text)
                .at("parameters").at("output 1").at("gain"), -600);
  release.set_value();
  busy.join();

  const ApiResponse on_bus = bus.worker().Call(
      [&](ProcessorService& service) {
        return ApiResponse{200, ParameterSections(*service.Find(*ParseProcessorId(id)))};
      },
      ServedBus::kCallTimeout);
  EXPECT_EQ(on_bus.body.at("output 1").at("gain"), -600) << "the bus thread did not take the last change last";
}

}  // namespace
}  // namespace dsp::testing
