#include "protocol/read_all.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../support/same_parameters.h"
#include "answering_host.h"
#include "../support/fake_link.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

using testing::FakeLink;
using testing::GenericAnswer;
using testing::MakeRecord;
using testing::OneDeviceHost;

struct ReadAllTest : ::testing::Test {
  FakeLink link;
  OneDeviceHost host{MakeRecord(4, 8)};
  Configuration config;
  ReadAll read{link, host, config};

  ReadAll::Progress RunToEnd(int max_ticks = 10000) {
    read.Restart();
    for (int i = 0; i < max_ticks; ++i) {
      const auto progress = read.Tick();
      if (progress != ReadAll::Progress::kRunning) return progress;
    }
    ADD_FAILURE() << "the read did not end";
    return ReadAll::Progress::kRunning;
  }
};

std::vector<std::uint8_t> Repeat(std::uint8_t cmd, int n) { return std::vector<std::uint8_t>(n, cmd); }

TEST_F(ReadAllTest, RequestSequenceOfAFourByEightProcessor) {
  link.responder = GenericAnswer;
  EXPECT_EQ(RunToEnd(), ReadAll::Progress::kDone);
  std::vector<std::uint8_t> expected;
  for (auto part : {Repeat(0x84, 4), Repeat(0xA3, 8), Repeat(0xD7, 17), Repeat(0x81, 8), Repeat(0xA1, 16),
                    Repeat(0x83, 4), Repeat(0x80, 4), Repeat(0xA2, 16), Repeat(0xA9, 8), Repeat(0xA6, 8),
                    Repeat(0xA0, 1), Repeat(0x85, 4), Repeat(0xA4, 8), Repeat(0x90, 4)}) {
    expected.insert(expected.end(), part.begin(), part.end());
  }
  EXPECT_EQ(link.SentCommands(), expected);
  // Equaliser requests ask for bands 0..15 and then 16..31 of each channel.
  const Bytes& second_eq = link.sent[4 + 8 + 17 + 1];
  EXPECT_EQ(second_eq, ReadEqFrame(1, 0, 0, 16));
  EXPECT_EQ(second_eq[8], 31);
}

TEST_F(ReadAllTest, GivesUpAfterTwentyOneFailedAnswersKeepingWhatWasStored) {
  int answered = 0;
  link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
    if (answered >= 3) return std::nullopt;
    ++answered;
    Bytes reply = *GenericAnswer(request);
    reply[6] = 1;  // delay on
    reply[7] = 0x2C;
    reply[8] = 0x01;
    SealFrame(reply);
    return reply;
  };
  read.Restart();
  std::vector<int> request_ticks;
  int tick = 0;
  ReadAll::Progress progress = ReadAll::Progress::kRunning;
  while (progress == ReadAll::Progress::kRunning && tick < 200) {
    const std::size_t sent = link.sent.size();
    progress = read.Tick();
    ++tick;
    if (link.sent.size() != sent) request_ticks.push_back(tick);
  }
  EXPECT_EQ(progress, ReadAll::Progress::kFailed);
  // The fourth delay is asked for on tick 9 and again after 4 and 8 failed
  // ticks; the read ends 21 failed ticks after the first request.
  ASSERT_EQ(request_ticks.size(), 6u);
  EXPECT_EQ(std::vector<int>(request_ticks.begin() + 3, request_ticks.end()), (std::vector<int>{9, 13, 17}));
  EXPECT_EQ(tick, 9 + 21);
  EXPECT_EQ(std::vector<Bytes>(link.sent.begin() + 4, link.sent.end()), std::vector<Bytes>(2, link.sent[3]));
  for (int ch = 0; ch < 3; ++ch) {
    EXPECT_EQ(host.record.Delay(0, ch), 300);
    EXPECT_TRUE(host.record.DelayEnable(0, ch));
  }
  EXPECT_EQ(host.record.Delay(0, 3), 0);
}

// The output gains step goes on with the failures counted by the limiter
// step: a last limiter answer that came late leaves it fewer silent ticks.
TEST_F(ReadAllTest, OutputGainsStepGoesOnWithTheLimiterStepsFailures) {
  int last_limiter_reads = 0;
  link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
    if (request[kOffsetCommand] == 0xA6 && request[5] == 7) {
      ++last_limiter_reads;
      return std::nullopt;
    }
    if (request[kOffsetCommand] == 0xA0) return std::nullopt;
    return GenericAnswer(request);
  };
  read.Restart();
  while (last_limiter_reads < 1) ASSERT_EQ(read.Tick(), ReadAll::Progress::kRunning);
  for (int silent = 0; silent < 15; ++silent) ASSERT_EQ(read.Tick(), ReadAll::Progress::kRunning);
  EXPECT_EQ(last_limiter_reads, 3);
  link.replies.push_back(*GenericAnswer(link.sent.back()));
  int running_ticks = 0;
  ReadAll::Progress progress = ReadAll::Progress::kRunning;
  while (progress == ReadAll::Progress::kRunning && running_ticks < 100) {
    progress = read.Tick();
    if (progress == ReadAll::Progress::kRunning) ++running_ticks;
  }
  EXPECT_EQ(progress, ReadAll::Progress::kFailed);
  EXPECT_EQ(link.sent.back()[kOffsetCommand], 0xA0);
  // The late answer, the gains request, then 5 silent ticks: 15 + 6 = 21.
  EXPECT_EQ(running_ticks, 7);
}

TEST_F(ReadAllTest, LateAnswerForAnotherCommandCountsAsFailure) {
  link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
    if (request[kOffsetCommand] != 0x84 || request[5] != 1) return GenericAnswer(request);
    // The answer to channel 1 comes late, after a stray answer of another read.
    link.replies.push_back(*GenericAnswer(ReadPolarityFrame(1, 0, 0)));
    return std::nullopt;
  };
  read.Restart();
  for (int i = 0; i < 5; ++i) read.Tick();
  const std::size_t sent = link.sent.size();
  EXPECT_EQ(link.sent.back(), ReadDelayFrame(1, 0, 1));
  read.Tick();  // pops the stray polarity answer: a failure, nothing re-sent
  read.Tick();
  EXPECT_EQ(link.sent.size(), sent);
  link.replies.push_back(*GenericAnswer(ReadDelayFrame(1, 0, 1)));
  read.Tick();  // the right answer: the read goes on with channel 2
  read.Tick();
  EXPECT_EQ(link.sent.back(), ReadDelayFrame(1, 0, 2));
}

// An item whose answer does not come is asked for again 4 ticks later; the
// first request's answer may then come late, after the repeat's.
// When a later item of its step could take a late answer to it for its own,
// that item's request waits until such answers are due, 9 ticks after the
// repeat; otherwise it goes out on the tick after the answer (one tick later
// when it begins a step: a step's first tick sends nothing).
TEST(ReadAllRepeats, NextItemWaitsOnlyWhenItCouldTakeALateAnswer) {
  struct Case {
    const char* what;
    Bytes request;
    int ticks_to_next_request;
  };
  const std::vector<Case> cases = {
      {"input delay", ReadDelayFrame(1, 0, 1), 2},
      {"a preset name with names after it", ReadPresetNameFrame(1, 5), 9},
      {"the last preset name", ReadPresetNameFrame(1, 16), 3},
      {"first equaliser half", ReadEqFrame(1, 1, 2, 0), 9},
      {"second equaliser half", ReadEqFrame(1, 1, 2, 16), 2},
      {"high-pass filter", ReadFilterFrame(1, 3, 0), 9},
      {"low-pass filter", ReadFilterFrame(1, 3, 1), 2},
      {"output gains", ReadOutputGainsFrame(1), 3},
      {"a matrix row", ReadMatrixRowFrame(1, 2), 2},
  };
  Configuration config;
  FakeLink clean_link;
  clean_link.responder = GenericAnswer;
  OneDeviceHost clean{MakeRecord(4, 8)};
  ReadAll clean_read{clean_link, clean, config};
  while (clean_read.Tick() == ReadAll::Progress::kRunning) {
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeLink link;
    OneDeviceHost host{MakeRecord(4, 8)};
    ReadAll read{link, host, config};
    int asked = 0;
    link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
      if (request != c.request) return GenericAnswer(request);
      if (++asked == 1) return std::nullopt;
      // The answer to the repeat, then the first request's, late, with
      // values of its own (channel bytes kept: no channel here is 0).
      link.replies.push_back(*GenericAnswer(request));
      Bytes late = *GenericAnswer(request);
      for (std::size_t at = 5; at + 1 < late.size(); ++at) late[at] = late[at] == 0 ? 1 : late[at];
      SealFrame(late);
      return late;
    };
    std::vector<int> sent_on_tick;
    ReadAll::Progress progress = ReadAll::Progress::kRunning;
    for (int tick = 0; tick < 1000 && progress == ReadAll::Progress::kRunning; ++tick) {
      const std::size_t sent = link.sent.size();
      progress = read.Tick();
      if (link.sent.size() != sent) sent_on_tick.push_back(tick);
    }
    EXPECT_EQ(progress, ReadAll::Progress::kDone);
    const auto first = std::find(link.sent.begin(), link.sent.end(), c.request) - link.sent.begin();
    ASSERT_LT(first + 2, static_cast<std::ptrdiff_t>(link.sent.size()));
    EXPECT_EQ(link.sent[first + 1], c.request);
    EXPECT_EQ(sent_on_tick[first + 1] - sent_on_tick[first], 4);
    EXPECT_EQ(sent_on_tick[first + 2] - sent_on_tick[first + 1], c.ticks_to_next_request);
    // The late answer was dropped or refused, never stored.
    testing::ExpectSameParameters(host.record, clean.record);
    for (int preset = 0; preset < kPresetSlots; ++preset) {
      EXPECT_EQ(host.record.PresetName(preset), clean.record.PresetName(preset));
    }
  }
}

// A late answer for another channel is not stored; the item asked for again
// is stored when its own answer comes.
TEST_F(ReadAllTest, ARepeatedItemTakesOnlyItsOwnAnswer) {
  const Bytes wanted = ReadNoiseGateFrame(1, 2);
  int asked = 0;
  link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
    if (request != wanted) return GenericAnswer(request);
    if (++asked == 1) {
      Bytes stray = *GenericAnswer(ReadNoiseGateFrame(1, 1));
      stray[7] = 250;
      SealFrame(stray);
      return stray;
    }
    if (asked == 2) return std::nullopt;
    Bytes reply = *GenericAnswer(request);
    reply[7] = 230;
    SealFrame(reply);
    return reply;
  };
  EXPECT_EQ(RunToEnd(), ReadAll::Progress::kDone);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(host.record.NoiseGateStartGate(1), -200);
  EXPECT_EQ(host.record.NoiseGateStartGate(2), 30);
}

TEST_F(ReadAllTest, VanishedSelectionEndsTheReadWithFailure) {
  link.responder = GenericAnswer;
  read.Restart();
  for (int i = 0; i < 5; ++i) read.Tick();
  host.selected = false;
  EXPECT_EQ(read.Tick(), ReadAll::Progress::kFailed);
}

}  // namespace
}  // namespace dsp
