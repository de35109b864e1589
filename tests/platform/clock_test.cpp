// The manual clock's ordering rules, and the command-line options every
// skinned program reads.
#include <gtest/gtest.h>

#include <cstdlib>

#include "../support/temp_dir.h"
#include "platform/testing/manual_clock.h"
#include "platform/ui_setup.h"

namespace dsp::test {
namespace {

class ManualClockTest : public ::testing::Test {
 protected:
  std::vector<std::string> failures;
  ManualClock clock{[this](const std::string& message) { failures.push_back(message); }};
  std::vector<std::string> ran;
};

TEST_F(ManualClockTest, TasksRunAtTheirTimeInTimeOrderAndInScheduleOrderAtTheSameTime) {
  clock.StartTimer(50, false, [this] { ran.push_back("timer 50"); });
  clock.StartTimer(20, false, [this] { ran.push_back("timer 20 a"); });
  clock.Post([this] { ran.push_back("posted"); });
  clock.StartTimer(20, false, [this] { ran.push_back("timer 20 b"); });
  clock.Advance(49);
  EXPECT_EQ(ran, (std::vector<std::string>{"posted", "timer 20 a", "timer 20 b"}));
  EXPECT_EQ(clock.NowMs(), 49);
  EXPECT_EQ(clock.NextDueMs(), 50);
  clock.Advance(1);
  EXPECT_EQ(ran.back(), "timer 50");
  EXPECT_EQ(clock.PendingCount(), 0u);

  // A task runs at its due time and may schedule more.
  std::vector<std::int64_t> seen;
  clock.StartTimer(30, false, [&] {
    seen.push_back(clock.NowMs());
    clock.StartTimer(30, false, [&] { seen.push_back(clock.NowMs()); });
  });
  clock.Advance(100);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{80, 110}));
  EXPECT_EQ(clock.NowMs(), 150);
}

TEST_F(ManualClockTest, ARepeatingTimerCatchesUpAndMayStopItself) {
  int ticks = 0;
  Clock::TimerId id = 0;
  id = clock.StartTimer(100, true, [&] {
    if (++ticks == 4) clock.StopTimer(id);
  });
  clock.Advance(250);
  EXPECT_EQ(ticks, 2);
  clock.Advance(10000);
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(clock.PendingCount(), 0u);
}

TEST_F(ManualClockTest, RunUntilStopsAsSoonAsItIsDone) {
  bool done = false;
  clock.StartTimer(40, false, [&] { done = true; });
  clock.StartTimer(90, false, [this] { ran.push_back("late"); });
  EXPECT_TRUE(clock.RunUntil([&] { return done; }));
  EXPECT_EQ(clock.NowMs(), 40);
  EXPECT_TRUE(ran.empty());
  EXPECT_TRUE(failures.empty());
}

TEST(UiOptionsTest, PicksItsOptionsAndLeavesTheRest) {
  const char* argv[] = {"dspdesk", "--simulate", "Hall:8x8", "--script", "s.txt", "--skin-dir", "/x", "--screenshot", "o.png"};
  const UiOptions options = ParseUiOptions(9, argv);
  EXPECT_EQ(std::tie(options.script, options.screenshot, options.skin_dir), std::tuple("s.txt", "o.png", "/x"));
  EXPECT_EQ(options.rest, (std::vector<std::string>{"--simulate", "Hall:8x8"}));
  const char* missing[] = {"dspdesk", "--script"};
  EXPECT_THROW(ParseUiOptions(2, missing), std::invalid_argument);
}

TEST(UiOptionsTest, TheSkinFolderComesFromTheOptionThenTheEnvironmentThenBesideOrAboveTheProgram) {
  const char* saved = std::getenv("DSPDESK_SKIN_DIR");
  const std::string previous = saved != nullptr ? saved : "";
  unsetenv("DSPDESK_SKIN_DIR");
  EXPECT_EQ(ResolveSkinDir({}, "/opt/dsp"), std::filesystem::path("/opt/dsp/skin"));
  const dsp::testing::TempDir prefix;
  std::filesystem::create_directories(prefix.path() / "share/dspdesk/skin");
  EXPECT_EQ(ResolveSkinDir({}, prefix.path() / "bin"), prefix.path() / "share/dspdesk/skin");
  std::filesystem::create_directories(prefix.path() / "bin/skin");
  EXPECT_EQ(ResolveSkinDir({}, prefix.path() / "bin"), prefix.path() / "bin/skin");
  setenv("DSPDESK_SKIN_DIR", "/env/skin", 1);
  EXPECT_EQ(ResolveSkinDir({}, "/opt/dsp"), std::filesystem::path("/env/skin"));
  UiOptions options;
  options.skin_dir = "/option/skin";
  EXPECT_EQ(ResolveSkinDir(options, "/opt/dsp"), std::filesystem::path("/option/skin"));
  if (saved != nullptr) setenv("DSPDESK_SKIN_DIR", previous.c_str(), 1);
  else unsetenv("DSPDESK_SKIN_DIR");
}

}  // namespace
}  // namespace dsp::test
