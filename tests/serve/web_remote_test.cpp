// The web remote in a real browser: headless Chromium driven over WebDriver
// loads the page from a daemon in process, moves a fader, presses mute and
// a preset, and the processor follows.

#include <httplib.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "served_bus.h"

extern char** environ;

namespace dsp::testing {
namespace {

constexpr int kDriverPort = 9517;
constexpr auto kDriverStartLimit = std::chrono::seconds(30);

std::string Base64Decoded(const std::string& text) {
  static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned bits = 0;
  int count = 0;
  for (const char c : text) {
    const std::size_t value = kAlphabet.find(c);
    if (value == std::string::npos) continue;  // padding
    bits = (bits << 6) | static_cast<unsigned>(value);
    count += 6;
    if (count >= 8) bytes += static_cast<char>((bits >> (count -= 8)) & 0xFF);
  }
  return bytes;
}

// chromedriver as a child, until destroyed.
class Driver {
 public:
  Driver() {
    std::string program = "/usr/bin/chromedriver";
    std::string port = "--port=" + std::to_string(kDriverPort);
    char* argv[] = {program.data(), port.data(), nullptr};
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
  }
  ~Driver() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  bool WaitUntilReady() {
    httplib::Client client("127.0.0.1", kDriverPort);
    const auto deadline = std::chrono::steady_clock::now() + kDriverStartLimit;
    while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
      if (const httplib::Result status = client.Get("/status"); status && status->status == 200) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
  }

 private:
  pid_t pid_ = -1;
};

// One browser session: the WebDriver commands the test needs.
class Browser {
 public:
  Browser() : client_("127.0.0.1", kDriverPort) {
    client_.set_read_timeout(180, 0);
    const Json options{{"binary", "/usr/bin/chromium"},
                       {"args", {"--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"}}};
    const Json session = Command("POST", "/session",
                                 Json{{"capabilities", {{"alwaysMatch", {{"goog:chromeOptions", options}}}}}});
    id_ = session.at("sessionId").get<std::string>();
  }
  ~Browser() { client_.Delete(("/session/" + id_).c_str()); }

  void Open(const std::string& url) { Command("POST", Path("/url"), Json{{"url", url}}); }
  void Resize(int width, int height) { Command("POST", Path("/window/rect"), Json{{"width", width}, {"height", height}}); }
  // The element the CSS selector finds first, waiting for it to appear.
  std::string Find(const std::string& selector) {
    for (int attempt = 0; attempt < 150; ++attempt) {
      const Json found = Command("POST", Path("/elements"), Json{{"using", "css selector"}, {"value", selector}});
      if (!found.empty()) return found.at(0).begin().value().get<std::string>();
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ADD_FAILURE() << "no element " << selector;
    return "";
  }
  void Click(const std::string& element) { Command("POST", Path("/element/" + element + "/click"), Json::object()); }
  Json Script(const std::string& script, const Json& args = Json::array()) {
    return Command("POST", Path("/execute/sync"), Json{{"script", script}, {"args", args}});
  }
  void Screenshot(const std::string& file) {
    const std::string png = Command("GET", Path("/screenshot"), nullptr).get<std::string>();
    std::ofstream(file, std::ios::binary) << Base64Decoded(png);
  }

 private:
  std::string Path(const std::string& command) const { return "/session/" + id_ + command; }
  Json Command(const std::string& method, const std::string& path, const Json& body) {
    const httplib::Result result = method == "GET" ? client_.Get(path.c_str())
                                                   : client_.Post(path.c_str(), body.dump(), "application/json");
    if (!result) throw std::runtime_error("chromedriver did not answer " + path);
    const Json answer = Json::parse(result->body, nullptr, false);
    if (result->status != 200) throw std::runtime_error(path + ": " + result->body);
    return answer.at("value");
  }

  httplib::Client client_;
  std::string id_;
};

TEST(WebRemote, FaderMuteAndPresetInAHeadlessBrowserReachTheProcessor) {
  Driver driver;
  ASSERT_TRUE(driver.WaitUntilReady()) << "chromedriver did not start: run scripts/deps.sh";
  ServedBus bus({});
  const std::string id = bus.FirstId();
  const std::string one = "/api/v1/processors/" + id;
  ASSERT_EQ(bus.Call("PATCH", one, R"({"output 1": {"gain": -3000}})").status, 200);

  Browser browser;
  browser.Resize(390, 844);
  browser.Open("http://127.0.0.1:" + std::to_string(bus.port()) + "/");
  const std::string card = "#p-" + id;
  browser.Click(browser.Find(card + " .preset[data-preset=\"3\"]"));
  // The recall and its read-back take seconds on the bus thread; reads
  // answer meanwhile with the record before it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  bool recalled = false;
  while (!recalled && std::chrono::steady_clock::now() < deadline) {
    recalled = bus.Call("GET", one).body.at("parameters").at("output 1").at("gain") != -3000;
    if (!recalled) std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  EXPECT_TRUE(recalled) << "the preset was not recalled";

  const std::string fader = card + " .strip[data-section=\"output 0\"] input";
  browser.Find(fader);
  // A drag ends where it ends: the value, then the events a drag fires.
  browser.Script("const f = document.querySelector(arguments[0]); f.value = -2000;"
                 "f.dispatchEvent(new Event('input')); f.dispatchEvent(new Event('change'));",
                 Json::array({fader}));
  browser.Click(browser.Find(card + " .strip[data-section=\"input 1\"] .mute"));
  const std::string screenshots = SCREENSHOT_DIR;
  std::filesystem::create_directories(screenshots);
  browser.Screenshot(screenshots + "/phone-portrait.png");
  browser.Resize(1280, 800);
  browser.Screenshot(screenshots + "/tablet-landscape.png");
  browser.Resize(800, 1280);
  browser.Screenshot(screenshots + "/tablet-portrait.png");

  // What the processor holds, read back from it.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_EQ(bus.Call("POST", "/api/v1/rescan").status, 200);
  const Json read = bus.Call("GET", one).body.at("parameters");
  EXPECT_EQ(read.at("output 0").at("gain"), -2000);
  EXPECT_EQ(read.at("input 1").at("mute"), 1);
}

}  // namespace
}  // namespace dsp::testing
