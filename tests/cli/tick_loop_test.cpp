// The loop that drives procedures in real time, on a clock the test moves.

#include "cli/tick_loop.h"

#include <gtest/gtest.h>

#include "cli/progress_line.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;

class FakeClock : public LoopClock {
 public:
  Duration Now() override { return now_; }
  void SleepUntil(Duration when) override {
    sleeps.push_back(when);
    now_ = std::max(now_, when);
  }
  void Spend(milliseconds time) { now_ += time; }
  int NowMs() const { return static_cast<int>(std::chrono::duration_cast<milliseconds>(now_).count()); }
  std::vector<Duration> sleeps;

 private:
  Duration now_{};
};

TEST(TickLoop, TicksFollowThePeriodsAskedForUntilDone) {
  FakeClock clock;
  std::vector<int> tick_times;
  const std::vector<int> periods = {500, 500, 200, 200};
  RunTicks(clock, 500, [&]() -> std::optional<int> {
    tick_times.push_back(clock.NowMs());
    if (tick_times.size() > periods.size()) return std::nullopt;
    return periods[tick_times.size() - 1];
  });
  EXPECT_EQ(tick_times, (std::vector<int>{500, 1000, 1500, 1700, 1900}));
}

TEST(TickLoop, SlowTicksKeepTheGridAndLateOnesDoNotBurst) {
  FakeClock clock;
  std::vector<int> tick_times;
  RunTicks(clock, 100, [&]() -> std::optional<int> {
    tick_times.push_back(clock.NowMs());
    // The second tick blocks 60 ms (a pop waiting for the link), the third 250 ms.
    if (tick_times.size() == 2) clock.Spend(milliseconds(60));
    if (tick_times.size() == 3) clock.Spend(milliseconds(250));
    if (tick_times.size() == 6) return std::nullopt;
    return 100;
  });
  EXPECT_EQ(tick_times, (std::vector<int>{100, 200, 300, 550, 650, 750}));
}

TEST(TickLoop, WaitUntilLooksOncePerPeriod) {
  FakeClock clock;
  int looks = 0;
  WaitUntil(clock, 20, [&] { return ++looks == 4; });
  EXPECT_EQ(looks, 4);
  EXPECT_EQ(clock.NowMs(), 80);
}

// What the progress line writes, kept in memory.
struct ProgressLineTest : ::testing::Test {
  ~ProgressLineTest() override {
    std::fclose(stream);
    std::free(buffer);
  }
  std::string Captured() {
    std::fflush(stream);
    return std::string(buffer, size);
  }
  FakeClock clock;
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* stream = open_memstream(&buffer, &size);
};

TEST_F(ProgressLineTest, LogsGetALineAtEachTenth) {
  ProgressLine progress(stream, false, clock);
  progress.Begin("Scanning...");
  for (int percent : {3, 9, 10, 15, 42}) {
    clock.Spend(milliseconds(500));
    progress.Show(percent);
  }
  clock.Spend(milliseconds(250));
  progress.Finish();
  progress.Show(50);  // after the end: nothing
  EXPECT_EQ(Captured(),
            "Scanning... 0% 0.0 s\nScanning... 10% 1.5 s\nScanning... 42% 2.5 s\nScanning... 100% 2.8 s\n");
}

TEST_F(ProgressLineTest, ATerminalLineIsRewrittenInPlace) {
  ProgressLine progress(stream, true, clock);
  progress.Begin("Firmware Update");
  progress.Show(0);  // nothing new to show
  clock.Spend(milliseconds(1000));
  progress.Show(150);
  progress.Interrupt();
  EXPECT_EQ(Captured(), "\rFirmware Update 0% 0.0 s\033[K\rFirmware Update 100% 1.0 s\033[K\n");
}

}  // namespace
}  // namespace dsp
