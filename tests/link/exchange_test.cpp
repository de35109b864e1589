#include "link/exchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <utility>

#include "link/frame.h"

namespace dsp {
namespace {

// A port whose answers are scripted per write: the first read after the n-th
// write returns the n-th scripted answer (or nothing when the script has run
// out), and each later read one piece of `later`; `stray` is what waits
// before the first write, `late` what the first read after the script has
// run out finds.
class ScriptedPort : public PortIo {
 public:
  std::deque<Bytes> answers;
  std::deque<Bytes> later;
  Bytes stray;
  Bytes late;
  std::vector<Bytes> written;
  std::size_t short_writes = 0;

  std::size_t Write(ByteView bytes) override {
    written.emplace_back(bytes.begin(), bytes.end());
    answer_due_ = true;
    if (short_writes > 0) {
      --short_writes;
      return bytes.size() - 1;
    }
    return bytes.size();
  }
  std::size_t Read(std::span<std::uint8_t> into) override {
    if (!stray.empty()) return Give(std::exchange(stray, Bytes{}), into);
    if (!answer_due_ && answers.empty() && !late.empty()) return Give(std::exchange(late, Bytes{}), into);
    if (!std::exchange(answer_due_, false)) return written.empty() ? 0 : GiveFirst(later, into);
    return GiveFirst(answers, into);
  }

 private:
  static std::size_t Give(const Bytes& bytes, std::span<std::uint8_t> into) {
    std::copy(bytes.begin(), bytes.end(), into.begin());
    return bytes.size();
  }
  static std::size_t GiveFirst(std::deque<Bytes>& queue, std::span<std::uint8_t> into) {
    if (queue.empty()) return 0;
    const std::size_t given = Give(queue.front(), into);
    queue.pop_front();
    return given;
  }

  bool answer_due_ = false;
};

class RecordingSleeper : public Sleeper {
 public:
  std::vector<int> sleeps;
  int total_ms = 0;
  void SleepMs(int ms) override {
    sleeps.push_back(ms);
    total_ms += ms;
  }
};

// A wait of `ms` in which nothing came: the port is looked at every few ms.
std::vector<int> Looks(int ms) {
  std::vector<int> looks;
  for (int waited = 0; waited < ms; waited += kAnswerLookMs) looks.push_back(std::min(kAnswerLookMs, ms - waited));
  return looks;
}

std::vector<int> Concat(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A request to processor 4 and its answer.
const Bytes kRequest = BuildFrame(kKindRequest, 4, 0x85, Bytes{1, 1});
const Bytes kReply = BuildFrame(kKindReply, 4, 0x85, Bytes{1, 0, 1});
// A noise gate read of processor 4 and its answer.
const Bytes kGateRead = BuildFrame(kKindRequest, 4, 0x83, Bytes{1, 1});
const Bytes kGate = BuildFrame(kKindReply, 4, 0x83, Bytes{1, 0, 0, 0});

// A request, what the port gives after each of its attempts, and the sleeps
// the exchange must take.
struct ExchangeCase {
  const char* what;
  Bytes request;
  std::deque<Bytes> answers;
  std::vector<int> sleeps;
};

struct ExchangeRun {
  ScriptedPort port;
  RecordingSleeper sleeper;
  std::vector<Bytes> traced;
  std::vector<Bytes> delivered;
  std::vector<int> delivered_at_ms;  // the simulated time of each delivery
  std::vector<Bytes> Exchange(const Bytes& request, int extra_wait_ms = 0) {
    RunExchange(
        request, port, sleeper, [this](ByteView b) { traced.emplace_back(b.begin(), b.end()); },
        [this](Bytes reply) {
          delivered.push_back(std::move(reply));
          delivered_at_ms.push_back(sleeper.total_ms);
        },
        extra_wait_ms);
    return delivered;
  }
};

struct ExchangeTest : ::testing::Test, ExchangeRun {};

TEST_F(ExchangeTest, WriteIsSentOnceAndNothingIsRead) {
  const Bytes write = BuildFrame(kKindWrite, 1, 0x1A, Bytes(10, 0));
  EXPECT_TRUE(Exchange(write).empty());
  EXPECT_EQ(port.written.size(), 1u);
  EXPECT_TRUE(sleeper.sleeps.empty());
}

TEST_F(ExchangeTest, UnansweredRequestIsWrittenTwiceWithItsWaits) {
  const Bytes eq_read = BuildFrame(kKindRequest, 1, 0x81, Bytes{0, 0, 0, 15});
  EXPECT_TRUE(Exchange(eq_read).empty());
  EXPECT_EQ(port.written.size(), 2u);
  EXPECT_EQ(sleeper.sleeps, Concat({Looks(120), {25}, Looks(120)}));
}

// A network's allowance lengthens each wait for an answer; an answer that
// comes keeps the bus's own pace, and the scan start, which nothing answers,
// gets none: on a scan's clock it would hold the asks back.
TEST(ExchangeAllowance, LengthensTheWaitsOfAnswersOnly) {
  const std::vector<ExchangeCase> cases = {
      {"an unanswered read", kGateRead, {}, Concat({Looks(400), {25}, Looks(400)})},
      {"an answered read", kGateRead, {kGate}, {10, 90}},
      {"the scan start", BuildFrame(kKindDiscovery, 0, 0xEF), {}, Concat({Looks(100), {25}, Looks(100)})},
  };
  for (const ExchangeCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExchangeRun run;
    run.port.answers = c.answers;
    EXPECT_EQ(run.Exchange(c.request, 300), std::vector<Bytes>(c.answers.begin(), c.answers.end()));
    EXPECT_EQ(run.sleeper.sleeps, c.sleeps);
  }
}

TEST_F(ExchangeTest, PresetSaveIsNotAwaited) {
  EXPECT_TRUE(Exchange(BuildFrame(kKindRequest, 1, 0x70, Bytes{3})).empty());
  EXPECT_EQ(port.written.size(), 1u);
}

TEST_F(ExchangeTest, MatchingReplyIsQueuedAndTraced) {
  Bytes noisy = {0x00, 0x13};
  noisy.insert(noisy.end(), kReply.begin(), kReply.end());
  port.answers.push_back(noisy);
  EXPECT_EQ(Exchange(kRequest), (std::vector<Bytes>{kReply}));
  EXPECT_EQ(traced, (std::vector<Bytes>{noisy}));
  // Handed over at the first look, and the bus still waits the whole 100 ms.
  EXPECT_EQ(delivered_at_ms, (std::vector<int>{kAnswerLookMs}));
  EXPECT_EQ(sleeper.sleeps, (std::vector<int>{kAnswerLookMs, 100 - kAnswerLookMs}));
}

// An answer that arrives in pieces is handed over once it is whole, and is
// traced in one piece.
TEST_F(ExchangeTest, AnswerArrivingInPiecesIsDeliveredWhenComplete) {
  port.answers = {Bytes(kReply.begin(), kReply.begin() + 4)};
  port.later = {Bytes(kReply.begin() + 4, kReply.end())};
  EXPECT_EQ(Exchange(kRequest), (std::vector<Bytes>{kReply}));
  EXPECT_EQ(delivered_at_ms, (std::vector<int>{2 * kAnswerLookMs}));
  EXPECT_EQ(traced, (std::vector<Bytes>{kReply}));
  EXPECT_EQ(sleeper.total_ms, 100);
}

// A late answer of the same command (another channel) waiting from an
// earlier exchange must not be taken for this request's answer.
TEST_F(ExchangeTest, BytesWaitingBeforeTheRequestAreTracedNotTakenForItsAnswer) {
  const Bytes stale = BuildFrame(kKindReply, 4, 0x85, Bytes{1, 0, 0});
  const Bytes reply = BuildFrame(kKindReply, 4, 0x85, Bytes{1, 1, 1});
  port.stray = stale;
  port.answers = {reply};
  EXPECT_EQ(Exchange(kRequest), (std::vector<Bytes>{reply}));
  EXPECT_EQ(traced, (std::vector<Bytes>{stale, reply}));
}

TEST_F(ExchangeTest, ForeignReplyFailsTheAttempt) {
  port.answers = {BuildFrame(kKindReply, 4, 0x84, Bytes{1, 0, 0, 0}), kReply};
  EXPECT_EQ(Exchange(kRequest), (std::vector<Bytes>{kReply}));
  EXPECT_EQ(port.written.size(), 2u);
}

TEST_F(ExchangeTest, NoiseAfterScanAskGivesOneCollisionMarkerPerAttempt) {
  const Bytes ask = BuildFrame(kKindDiscovery, 0, 0xE1);
  port.answers = {Bytes{0xA5, 0x13}, Bytes(20, 0x5A)};
  EXPECT_EQ(Exchange(ask), (std::vector<Bytes>{CollisionMarker(), CollisionMarker()}));
  EXPECT_EQ(CollisionMarker(), (Bytes{0xA5, 0x06, 0xF2, 0x00, 0xE3, 0xDB}));
}

TEST_F(ExchangeTest, NoiseAfterReAskGivesNoMarker) {
  port.answers = {Bytes(9, 0x5A)};
  EXPECT_TRUE(Exchange(CollisionMarker()).empty());
}

TEST_F(ExchangeTest, SilentLevelPollYieldsOfflineMarker) {
  const auto out = Exchange(BuildFrame(kKindRequest, 7, 0xD0, Bytes{0}));
  ASSERT_EQ(out.size(), 1u);
  ASSERT_EQ(out[0].size(), 13u);
  EXPECT_TRUE(IsValidFrame(out[0]));
  EXPECT_EQ(Bytes(out[0].begin() + 3, out[0].begin() + 9), (Bytes{7, 0xD0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(ExchangeTest, ShortWriteCountsAsAFailedAttempt) {
  port.short_writes = 1;
  port.answers = {kReply};
  EXPECT_EQ(Exchange(kRequest), (std::vector<Bytes>{kReply}));
  EXPECT_EQ(port.written.size(), 2u);
  EXPECT_EQ(sleeper.sleeps, (std::vector<int>{25, kAnswerLookMs, 100 - kAnswerLookMs}));
}

// The host learns which frames never went out, so that it does not report a
// write as done.
TEST_F(ExchangeTest, AFrameIsWrittenWhenOneAttemptWentOutWhole) {
  const Bytes write = BuildFrame(kKindWrite, 1, 0x1A, Bytes{0});
  port.short_writes = 1;
  const ReplySink ignore = [](Bytes) {};
  EXPECT_TRUE(RunExchange(write, port, sleeper, nullptr, ignore).written);
  port.short_writes = 2;
  EXPECT_FALSE(RunExchange(write, port, sleeper, nullptr, ignore).written);
  EXPECT_FALSE(RunExchange(ByteView(write).first(5), port, sleeper, nullptr, ignore).written);
}

// After a second attempt is answered, the line is kept until the first
// attempt's answer is no longer due (560 ms after it was written), and what
// comes meanwhile is traced and dropped; the level poll does not wait.
TEST(ExchangeLateAnswers, SecondAttemptAnsweredWaitsOutTheFirstAttemptsLateAnswer) {
  const Bytes eq_read = BuildFrame(kKindRequest, 4, 0x81, Bytes{1, 1, 0, 15});
  const Bytes eq = BuildFrame(kKindReply, 4, 0x81, Bytes(160, 1));
  const Bytes poll = BuildFrame(kKindRequest, 4, 0xD0, Bytes{0});
  const Bytes levels = BuildFrame(kKindReply, 4, 0xD0, Bytes(7, 0));
  const std::vector<ExchangeCase> cases = {
      {"answered at once", kGateRead, {kGate}, {10, 90}},
      {"answered on the second attempt", kGateRead, {Bytes{}, kGate}, Concat({Looks(100), {25, 10, 90, 335}})},
      {"a garbled first answer", kGateRead, {Bytes{0xA5, 9, 0xF8, 4, 0x83, 1, 0, 0, 0}, kGate},
       Concat({Looks(100), {25, 10, 90, 335}})},
      {"equaliser half on the second attempt", eq_read, {Bytes{}, eq}, Concat({Looks(120), {25, 10, 110, 295}})},
      {"level poll on the second attempt", poll, {Bytes{}, levels}, Concat({Looks(100), {25, 10, 90}})},
  };
  for (const ExchangeCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExchangeRun run;
    run.port.answers = c.answers;
    const Bytes late = BuildFrame(kKindReply, 4, c.request[kOffsetCommand], Bytes(c.answers.back().size() - 6, 7));
    run.port.late = late;
    EXPECT_EQ(run.Exchange(c.request), std::vector<Bytes>{c.answers.back()});
    EXPECT_EQ(run.sleeper.sleeps, c.sleeps);
    const bool waited = c.sleeps.back() > 100;
    EXPECT_EQ(!run.traced.empty() && run.traced.back() == late, waited);
    EXPECT_EQ(run.port.late.empty(), waited);
  }
}

}  // namespace
}  // namespace dsp
