// What a drag costs on the serial link: three simulated processors behind a
// real pseudo-terminal (dspsim's bus, 115200 bit/s line timing), the serial
// link, the level poll over all three every 200 ms, and ten seconds of edits
// on the first processor, scheduled as the window's pages schedule them:
//
//   band drag    an equaliser band handle moved at 60 Hz; a move goes out at
//                once unless the last one went out less than 30 ms before,
//                then with the band's 100 ms write timer
//   fader drag   an output gain fader moved at 60 Hz; each move arms the
//                channel's 1 ms write timer
//   arrow keys   a band handle stepped by a held arrow key (30 a second),
//                scheduled as the band drag
//
// For each it prints the longest time one of the window's link calls (Send,
// PopReply, IsSendQueueEmpty) took, the latency from each move to the first
// frame on the wire carrying that move's value or a newer one (median, 95th
// percentile, worst), the frames written, the level answers received and
// how many of them said a processor was lost (all three answer throughout),
// whether the processor ends holding the last value, and how soon after
// letting go the meters come back. Prints figures; nothing
// passes or fails on a time.
//
//   link_drag_bench [SECONDS]      (default 10)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/frame.h"
#include "link/uart.h"
#include "model/write_builders.h"
#include "protocol/level_poll.h"
#include "sim/pty_endpoint.h"
#include "sim/sim_parameters.h"

namespace {

using namespace dsp;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A frame the host put on the line, at the steady-clock time it arrived.
struct Written {
  Clock::time_point at;
  Bytes bytes;
};

// The frames the simulated bus received from the host since `from` writes,
// each stamped on the steady clock (the bus clock follows it from `opened`).
std::vector<Written> WrittenSince(PtyEndpoint& bus, std::size_t from, Clock::time_point opened) {
  std::vector<Written> frames;
  bus.WithBus([&](SimBus& sim) {
    const auto& writes = sim.host_writes();
    for (std::size_t i = from; i < writes.size(); ++i) {
      const Bytes& bytes = writes[i].bytes;
      for (std::size_t at = 0; at + 1 < bytes.size() && bytes[at + 1] >= kMinFrameLength;) {
        const std::size_t length = bytes[at + 1];
        if (at + length > bytes.size()) break;
        frames.push_back({opened + writes[i].at, Bytes(bytes.begin() + at, bytes.begin() + at + length)});
        at += length;
      }
    }
    return 0;
  });
  return frames;
}

std::size_t WriteCount(PtyEndpoint& bus) {
  return bus.WithBus([](SimBus& sim) { return sim.host_writes().size(); });
}

// The window's side of the link: every call timed.
class TimedCalls {
 public:
  explicit TimedCalls(CUart& link) : link_(link) {}
  void Send(ByteView frame) {
    Time([&] { link_.Send(frame); });
  }
  Clock::duration longest() const { return longest_; }
  CUart& link() { return link_; }
  template <typename Call>
  void Time(Call call) {
    const auto start = Clock::now();
    call();
    longest_ = std::max(longest_, Clock::now() - start);
  }

 private:
  CUart& link_;
  Clock::duration longest_{0};
};

// FrameLink for the level poll, timing its calls too.
class TimedFrameLink : public FrameLink {
 public:
  explicit TimedFrameLink(TimedCalls& calls) : calls_(calls) {}
  void Send(ByteView frame) override { calls_.Send(frame); }
  std::optional<Bytes> PopReply() override {
    std::optional<Bytes> reply;
    calls_.Time([&] { reply = calls_.link().PopReply(); });
    return reply;
  }
  bool IsSendQueueEmpty() override {
    bool empty = false;
    calls_.Time([&] { empty = calls_.link().IsSendQueueEmpty(); });
    return empty;
  }

 private:
  TimedCalls& calls_;
};

struct Scenario {
  std::string name;
  Clock::duration move_gap;
  int write_delay_ms;   // the write timer a move arms
  bool at_once_30ms;    // a move goes out at once when the last did 30 ms before or more
  WriteId id;
  // Stores move `i`'s value into the record.
  void (*apply)(DeviceRecord&, int i);
  // Whether the processor holds the record's value.
  bool (*held)(SimBus&, const DeviceRecord&);
};

constexpr int kBand = 17;

void MoveBand(DeviceRecord& r, int i) {
  r.SetEqualizerFrequence(kInputSide, 0, kBand, 100 + 7 * i);
  r.SetEqualizerGain(kInputSide, 0, kBand, -1200 + (4 * i) % 2400);
}
bool BandHeld(SimBus& bus, const DeviceRecord& r) {
  const SimBand& b = bus.processor(0).parameters().inputs[0].bands[kBand];
  return b.frequency == r.EqualizerFrequence(kInputSide, 0, kBand) &&
         b.gain_raw == r.EqualizerGain(kInputSide, 0, kBand) + kEqGainRawZeroDb;
}
void MoveFader(DeviceRecord& r, int i) { r.SetGain(kOutputSide, 2, -6000 + 10 * (i % 700)); }
bool FaderHeld(SimBus& bus, const DeviceRecord& r) {
  return bus.processor(0).parameters().outputs[2].gain_raw == kGainRawZeroDb + r.Gain(kOutputSide, 2) / 10;
}

struct Result {
  int moves = 0;
  int frames = 0;
  int level_answers = 0;
  int offline_answers = 0;  // answers that would turn a connection dot red
  Clock::duration longest_call{0};
  std::vector<double> latencies_ms;
  int unresolved = 0;
  bool final_held = false;
  double settle_ms = 0;
  double meters_back_ms = 0;  // from letting go to the next level answer
};

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(at, values.size() - 1)];
}

Result Run(const Scenario& s, std::chrono::seconds length, PtyEndpoint& bus, Clock::time_point opened, CUart& link,
           DeviceList& devices, const Configuration& config) {
  TimedCalls calls(link);
  TimedFrameLink poll_link(calls);
  LevelPoll poll(poll_link);
  Result result;
  // Keyed by the frame's bytes as text.
  std::map<std::string, int> move_of_frame;
  std::vector<Clock::time_point> move_at;
  std::optional<Clock::time_point> last_at_once;
  constexpr auto kDisarmed = Clock::time_point::max();
  auto timer_due = kDisarmed;
  const auto send = [&] { calls.Send(*BuildWrite(s.id, devices, config)); };

  const std::size_t writes_before = WriteCount(bus);
  const auto start = Clock::now();
  const auto end = start + length;
  auto next_move = start;
  auto next_poll = start;
  while (next_move < end) {
    const auto now = Clock::now();
    if (now >= next_move) {
      const int i = result.moves++;
      s.apply(devices[0], i);
      move_at.push_back(now);
      const Bytes frame = *BuildWrite(s.id, devices, config);
      move_of_frame[std::string(frame.begin(), frame.end())] = i;
      const bool at_once = s.at_once_30ms && (!last_at_once || now - *last_at_once >= std::chrono::milliseconds(30));
      if (at_once) {
        last_at_once = now;
        send();
      }
      // The write timer is armed either way: a later firing sends the
      // record's values then, which the queue merges or drops.
      timer_due = now + std::chrono::milliseconds(s.write_delay_ms);
      next_move += s.move_gap;
    }
    if (now >= timer_due) {
      timer_due = kDisarmed;
      send();
    }
    if (now >= next_poll) {
      if (const auto answer = poll.Tick(devices, true)) {
        ++result.level_answers;
        if (!answer->online) ++result.offline_answers;
      }
      next_poll += std::chrono::milliseconds(LevelPoll::kTickMs);
    }
    std::this_thread::sleep_until(std::min({next_move, next_poll, timer_due}));
  }
  const auto released = Clock::now();
  if (timer_due != kDisarmed) {
    std::this_thread::sleep_until(timer_due);
    send();
  }
  while (!bus.WithBus([&](SimBus& sim) { return s.held(sim, devices[0]); })) {
    if (Clock::now() - released > std::chrono::seconds(10)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  result.final_held = bus.WithBus([&](SimBus& sim) { return s.held(sim, devices[0]); });
  result.settle_ms = Ms(Clock::now() - released);
  // The meters are back with the first poll answered after the drag.
  while (!poll.Tick(devices, true) && Clock::now() - released < std::chrono::seconds(10)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(LevelPoll::kTickMs));
  }
  result.meters_back_ms = Ms(Clock::now() - released);
  // Let the polls and writes still queued finish before the next scenario.
  while (!link.IsSendQueueEmpty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  while (link.PopReply()) {
  }

  int resolved = 0;
  for (const Written& written : WrittenSince(bus, writes_before, opened)) {
    const auto found = move_of_frame.find(std::string(written.bytes.begin(), written.bytes.end()));
    if (found == move_of_frame.end()) continue;
    ++result.frames;
    for (; resolved <= found->second && resolved < result.moves; ++resolved) {
      result.latencies_ms.push_back(Ms(written.at - move_at[static_cast<std::size_t>(resolved)]));
    }
  }
  result.unresolved = result.moves - resolved;
  result.longest_call = calls.longest();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::chrono::seconds length(argc > 1 ? std::atoi(argv[1]) : 10);
  auto sim = std::make_unique<SimBus>();
  const struct {
    const char* name;
    int inputs;
    int outputs;
  } kProcessors[] = {{"Hall", 8, 8}, {"Stage", 4, 8}, {"Lobby", 2, 4}};
  DeviceList devices;
  std::uint8_t address = 1;
  for (const auto& p : kProcessors) {
    sim->Add(p.name, p.inputs, p.outputs).set_address(address);
    devices.emplace_back(address, ChipIdBytes{}, p.inputs, p.outputs, p.name);
    ++address;
  }
  std::string error;
  const auto opened = Clock::now();
  const auto bus = PtyEndpoint::Open(std::move(sim), error);
  if (!bus) {
    std::fprintf(stderr, "cannot start the simulated bus: %s\n", error.c_str());
    return 1;
  }
  CUart link;
  if (!link.Open(bus->path())) {
    std::fprintf(stderr, "%s\n", link.OpenError().c_str());
    return 1;
  }
  const Configuration config;
  const Scenario scenarios[] = {
      {"band drag", std::chrono::microseconds(16667), 100, true, WriteId::EqBand(kInputSide, 0, kBand, 1), MoveBand,
       BandHeld},
      {"fader drag", std::chrono::microseconds(16667), 1, false, WriteId::GainMute(kOutputSide, 2, 1), MoveFader,
       FaderHeld},
      {"arrow keys", std::chrono::microseconds(33333), 100, true, WriteId::EqBand(kInputSide, 0, kBand, 1), MoveBand,
       BandHeld},
  };
  std::printf("%ld s of edits on Hall (8x8), levels polled on Hall, Stage and Lobby, serial link on %s\n",
              static_cast<long>(length.count()), bus->path().c_str());
  std::printf("%-11s %6s %7s %8s %8s %12s %9s %9s %9s %7s %10s %9s\n", "scenario", "moves", "frames", "levels",
              "offline", "longest call", "lat p50", "lat p95", "lat max", "final", "settled in", "meters");
  for (const Scenario& s : scenarios) {
    const Result r = Run(s, length, *bus, opened, link, devices, config);
    std::printf("%-11s %6d %7d %8d %8d %9.2f ms %6.0f ms %6.0f ms %6.0f ms %7s %7.0f ms %6.0f ms%s\n", s.name.c_str(), r.moves,
                r.frames, r.level_answers, r.offline_answers, Ms(r.longest_call), Percentile(r.latencies_ms, 0.5),
                Percentile(r.latencies_ms, 0.95), Percentile(r.latencies_ms, 1.0), r.final_held ? "equal" : "DIFFERS",
                r.settle_ms, r.meters_back_ms, r.unresolved ? (" (" + std::to_string(r.unresolved) + " moves never sent)").c_str() : "");
  }
  return 0;
}
