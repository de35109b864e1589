// Load on a real dspserve over loopback, bounded in time: readers fetching a
// record in a loop, each with an event stream open, and writers changing one
// gain each. Prints the p95 latency of reads and writes, failed requests,
// the daemon's peak memory, and whether the processor holds each writer's
// last accepted value (read back from it after a rescan).
//   serve_load DSPSERVE [SECONDS] [READERS] [WRITERS]

#include <fcntl.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using Json = nlohmann::json;

constexpr int kPort = 18781;
constexpr int kChannels = 8;

struct Figures {
  std::mutex mutex;
  std::vector<double> read_ms;
  std::vector<double> write_ms;
  std::map<std::string, int> failed;  // by status, or by the client's error
  std::atomic<long> events{0};

  // Records the request's time; false when it failed.
  bool Note(std::vector<double>& times, const Clock::time_point start, const httplib::Result& result) {
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::lock_guard lock(mutex);
    times.push_back(ms);
    if (result && result->status == 200) return true;
    ++failed[result ? "status " + std::to_string(result->status) : httplib::to_string(result.error())];
    return false;
  }
  int FailedCount() {
    int count = 0;
    for (const auto& [why, times] : failed) count += times;
    return count;
  }
};

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

long PeakRssKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// The section writer `w` owns: the outputs first, then the inputs.
std::string Section(int w) {
  return w < kChannels ? "output " + std::to_string(w) : "input " + std::to_string(w - kChannels);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: serve_load DSPSERVE [SECONDS] [READERS] [WRITERS]\n");
    return 2;
  }
  const int seconds = argc > 2 ? std::stoi(argv[2]) : 60;
  const int readers = argc > 3 ? std::stoi(argv[3]) : 50;
  const int writers = std::min(argc > 4 ? std::stoi(argv[4]) : 10, 2 * kChannels);

  std::vector<std::string> args = {argv[1], "--simulate", "Hall:8x8", "--scan-time", "1000", "--listen",
                                   "127.0.0.1:" + std::to_string(kPort)};
  std::vector<char*> argv_daemon;
  for (std::string& arg : args) argv_daemon.push_back(arg.data());
  argv_daemon.push_back(nullptr);
  pid_t daemon = -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (posix_spawn(&daemon, argv[1], &actions, nullptr, argv_daemon.data(), environ) != 0) return 1;

  httplib::Client control("127.0.0.1", kPort);
  control.set_read_timeout(300, 0);
  std::string id;
  for (int attempt = 0; attempt < 1200 && id.empty(); ++attempt) {
    if (auto listed = control.Get("/api/v1/processors"); listed && listed->status == 200) {
      id = Json::parse(listed->body).at(0).at("id").get<std::string>();
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
  }
  if (id.empty()) {
    std::fprintf(stderr, "serve_load: dspserve did not come up\n");
    kill(daemon, SIGTERM);
    return 1;
  }
  const std::string one = "/api/v1/processors/" + id;
  Figures figures;
  std::atomic<bool> running{true};
  const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
  std::vector<int> last_accepted(writers, 0);
  std::vector<std::thread> threads;

  for (int r = 0; r < readers; ++r) {
    threads.emplace_back([&] {
      httplib::Client client("127.0.0.1", kPort);
      client.set_read_timeout(20, 0);  // the daemon sends a comment every 15 s at least
      client.Get("/api/v1/events", [&](const char* data, std::size_t size) {
        figures.events += std::count(data, data + size, '\n') / 3;
        return running.load();
      });
    });
    threads.emplace_back([&] {
      httplib::Client client("127.0.0.1", kPort);
      client.set_read_timeout(120, 0);
      while (Clock::now() < end) {
        const Clock::time_point start = Clock::now();
        figures.Note(figures.read_ms, start, client.Get(one.c_str()));
      }
    });
  }
  for (int w = 0; w < writers; ++w) {
    threads.emplace_back([&, w] {
      httplib::Client client("127.0.0.1", kPort);
      client.set_read_timeout(120, 0);
      std::mt19937 random(static_cast<unsigned>(w));
      std::uniform_int_distribution<int> gain(-640, 60);
      while (Clock::now() < end) {
        const int value = gain(random) * 10;
        const std::string body = Json{{Section(w), {{"gain", value}}}}.dump();
        const Clock::time_point start = Clock::now();
        if (figures.Note(figures.write_ms, start, client.Patch(one.c_str(), body, "application/json"))) {
          last_accepted[w] = value;
        }
      }
    });
  }
  std::this_thread::sleep_until(end);
  running = false;
  for (std::thread& thread : threads) thread.join();

  // What the processor holds, read back from it.
  const auto rescan = control.Post("/api/v1/rescan", "", "application/json");
  const auto record = control.Get(one.c_str());
  int differ = 0;
  if (rescan && rescan->status == 200 && record && record->status == 200) {
    const Json parameters = Json::parse(record->body).at("parameters");
    for (int w = 0; w < writers; ++w) differ += parameters.at(Section(w)).at("gain").get<int>() != last_accepted[w];
  } else {
    differ = -1;
  }
  const long peak_kb = PeakRssKb(daemon);
  kill(daemon, SIGTERM);
  waitpid(daemon, nullptr, 0);

  std::printf("%d s, %d readers with an event stream each, %d writers\n", seconds, readers, writers);
  std::printf("reads:  %zu, p50 %.1f ms, p95 %.1f ms\n", figures.read_ms.size(), Percentile(figures.read_ms, 0.5),
              Percentile(figures.read_ms, 0.95));
  std::printf("writes: %zu, p50 %.1f ms, p95 %.1f ms\n", figures.write_ms.size(),
              Percentile(figures.write_ms, 0.5), Percentile(figures.write_ms, 0.95));
  std::printf("failed requests: %d", figures.FailedCount());
  for (const auto& [why, times] : figures.failed) std::printf(", %d %s", times, why.c_str());
  std::printf("\nevents received: %ld\n", figures.events.load());
  std::printf("gains differing from the last accepted write after read-back: %d of %d\n", differ, writers);
  std::printf("daemon peak RSS: %ld KiB\n", peak_kb);
  return figures.FailedCount() == 0 && differ == 0 ? 0 : 1;
}
