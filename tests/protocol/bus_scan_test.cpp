#include "protocol/bus_scan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "../support/fake_link.h"
#include "link/exchange.h"

namespace dsp {
namespace {

using testing::FakeLink;

Bytes Identity(const ChipIdBytes& id) {
  return BuildFrame(kKindDiscovery, 0xFF, command::kIdentify, Bytes(id.begin(), id.end()));
}

Bytes Confirmation(std::uint8_t address, const std::string& name, int inputs, int outputs) {
  Bytes payload(23, 0);
  payload[0] = address;
  std::copy(name.begin(), name.end(), payload.begin() + 1);
  payload[21] = static_cast<std::uint8_t>(inputs);
  payload[22] = static_cast<std::uint8_t>(outputs);
  return BuildFrame(kKindDiscovery, 0xFF, command::kAddressConfirmed, payload);
}

struct BusScanTest : ::testing::Test {
  FakeLink link;
  BusScan scan{link};
  const ChipIdBytes chip{1, 2, 3, 4, 5, 6, 7, 8};

  // Starts a scan and runs the two settle ticks, leaving the next tick to ask.
  void StartScanning(int scan_time_ms = 5000) {
    scan.Start(scan_time_ms);
    EXPECT_EQ(scan.NextTickMs(), 500);
    scan.Tick();
    scan.Tick();
    EXPECT_EQ(scan.NextTickMs(), 200);
    link.sent.clear();
  }

  // Queues replies by letter: "M" collision marker, "I" identity, "C"
  // confirmation of the address being assigned.
  void Queue(const std::string& letters) {
    for (char letter : letters) {
      if (letter == 'M') link.replies.push_back(CollisionMarker());
      if (letter == 'I') link.replies.push_back(Identity(chip));
      if (letter == 'C') {
        link.replies.push_back(Confirmation(static_cast<std::uint8_t>(scan.DevicesFound() + 1), "P", 2, 2));
      }
    }
  }
};

TEST_F(BusScanTest, StartBroadcastsTwiceThenAsks) {
  scan.Start(5000);
  scan.Tick();
  EXPECT_EQ(link.SentCommands(), (std::vector<std::uint8_t>{0xEF, 0xEF}));
  scan.Tick();
  scan.Tick();
  EXPECT_EQ(link.sent.back(), (Bytes{0xA5, 0x06, 0xF2, 0x00, 0xE1, 0xD9}));
}

TEST_F(BusScanTest, EmptyBusEndsAfterTheScanTimeAndReAsksAfterSilence) {
  StartScanning(2000);
  int ticks = 0;
  while (!scan.Finished() && ticks < 100) {
    scan.Tick();
    ++ticks;
  }
  // 2000 ms in 200 ms ticks, then the tick that sees no time left.
  EXPECT_EQ(ticks, 11);
  // Asked at once, and again after more than a second of silence.
  EXPECT_EQ(link.SentCommands(), (std::vector<std::uint8_t>{0xE1, 0xE1}));
  EXPECT_EQ(scan.DevicesFound(), 0);
}

TEST_F(BusScanTest, IdentifiedDeviceIsAssignedAndConfirmed) {
  StartScanning();
  link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
    if (request[4] == command::kScanAsk) return Identity(chip);
    if (request[4] == command::kAssignAddress) return Confirmation(request[5], "Hall", 8, 4);
    return std::nullopt;
  };
  scan.Tick();  // ask
  scan.Tick();  // identity: assign address 1
  EXPECT_EQ(link.sent.back(), AssignAddressFrame(1, chip));
  const auto found = scan.Tick();
  ASSERT_TRUE(found);
  EXPECT_EQ(std::make_tuple(found->address, found->chip_id, found->name, found->inputs, found->outputs),
            std::make_tuple(std::uint8_t{1}, chip, std::string("Hall"), 8, 4));
  EXPECT_EQ(link.sent.back(), ScanAskFrame()) << "asked again with the confirmation";
  scan.Tick();  // the next one gets address 2
  EXPECT_EQ(link.sent.back()[5], 2);
}

TEST_F(BusScanTest, TwentyCharacterNameWithoutTerminatorIsKeptWhole) {
  StartScanning();
  const std::string name = "ABCDEFGHIJKLMNOPQRST";
  link.replies = {Identity(chip), Confirmation(1, name, 2, 2)};
  scan.Tick();
  scan.Tick();
  const auto found = scan.Tick();
  ASSERT_TRUE(found);
  EXPECT_EQ(found->name, name);
}

// One tick of a scripted scan: the replies the link holds before the tick
// (letters as for Queue) and the frame the scan sends on it ("E1" ask, "E3" re-ask, "E4"
// assignment, "" nothing).
struct ScanStep {
  std::string replies;
  std::string sends;
};

std::vector<ScanStep> Repeat(int times, const ScanStep& step) { return std::vector<ScanStep>(times, step); }

std::vector<ScanStep> Join(std::initializer_list<std::vector<ScanStep>> parts) {
  std::vector<ScanStep> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct ScanScript {
  const char* name;
  std::vector<ScanStep> steps;
};

const ScanStep kAsk{"", "E1"};
const ScanStep kQuiet{"", ""};

class BusScanDecisions : public BusScanTest, public ::testing::WithParamInterface<ScanScript> {};

TEST_P(BusScanDecisions, SendTheScriptedFrames) {
  StartScanning(60000);
  int tick = 0;
  for (const ScanStep& step : GetParam().steps) {
    Queue(step.replies);
    const std::size_t sent_before = link.sent.size();
    scan.Tick();
    std::string sent;
    for (std::size_t i = sent_before; i < link.sent.size(); ++i) {
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", link.sent[i][kOffsetCommand]);
      sent += (sent.empty() ? "" : " ") + std::string(hex);
    }
    EXPECT_EQ(sent, step.sends) << "tick " << tick;
    ++tick;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, BusScanDecisions,
    ::testing::Values(
        ScanScript{"LoneProcessorIsAssignedThenAskedAfresh", {kAsk, {"I", "E4"}, {"C", "E1"}, {"I", "E4"}}},
        ScanScript{"SilenceAfterAnAskIsWaitedOutWithoutReAsks", Join({{kAsk}, Repeat(6, kQuiet), {kAsk}})},
        ScanScript{"BothMarkersOfOneAskAreOneCollision", {kAsk, {"MM", "E3"}, {"M", "E3"}, {"", "E3"}}},
        ScanScript{"ThreeCollisionsInARowAskAfreshWithItsOwnReAsks",
                   {kAsk, {"M", "E3"}, {"M", "E3"}, {"M", ""}, kAsk, {"M", "E3"}, {"M", "E3"}, {"M", ""}, kAsk}},
        ScanScript{"SilenceAfterAReAskIsReAskedSixTimesThenWaitedOut",
                   Join({{kAsk, {"M", "E3"}}, Repeat(6, {"", "E3"}), Repeat(6, kQuiet), {kAsk, {"M", "E3"}, {"", "E3"}}})},
        ScanScript{"IdentityBehindAMarkerIsAssigned", {kAsk, {"MI", "E4"}, {"C", "E1"}}},
        ScanScript{"IdentityOnAReAskIsAssigned", {kAsk, {"M", "E3"}, {"", "E3"}, {"I", "E4"}, {"C", "E1"}}},
        ScanScript{"MarkerWhileAwaitingConfirmationIsDiscarded", {kAsk, {"I", "E4"}, {"M", ""}, {"C", "E1"}}}),
    [](const ::testing::TestParamInfo<ScanScript>& info) { return info.param.name; });

// How a scan ends: the replies queued before given ticks of the scan proper
// (numbered from 1, letters as for Queue), then silence until the time runs out.
struct ScanEnding {
  const char* name;
  int scan_time_ms;
  std::map<int, std::string> replies_before_tick;
  bool ended_while_answering;
  int longer_scan_time_ms;
};

class BusScanEndings : public BusScanTest, public ::testing::WithParamInterface<ScanEnding> {};

TEST_P(BusScanEndings, SayWhetherProcessorsWereStillAnswering) {
  const ScanEnding& ending = GetParam();
  StartScanning(ending.scan_time_ms);
  for (int tick = 1; !scan.Finished(); ++tick) {
    const auto replies = ending.replies_before_tick.find(tick);
    if (replies != ending.replies_before_tick.end()) {
      Queue(replies->second);
    }
    scan.Tick();
  }
  EXPECT_EQ(scan.EndedWhileAnswering(), ending.ended_while_answering);
  EXPECT_EQ(scan.LongerScanTimeMs(), ending.longer_scan_time_ms);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, BusScanEndings,
    ::testing::Values(ScanEnding{"EmptyBus", 1000, {}, false, 5000},
                      ScanEnding{"CollisionAfterASilentAskWhenTheTimeRunsOut", 1000, {{3, "M"}}, true, 5000},
                      ScanEnding{"IdentityPendingWhenTheTimeRunsOut", 1000, {{2, "I"}}, true, 5000},
                      ScanEnding{"AskMetWithSilenceAfterTheLastFind", 1000, {{2, "I"}, {3, "C"}}, false, 5000},
                      ScanEnding{"PaceOfALateFind", 5000, {{2, "M"}, {19, "I"}, {20, "C"}, {22, "M"}}, true, 20000},
                      ScanEnding{"SuggestionStaysWithinTheLongestScan", 3'000'000, {}, false, 3'600'000}),
    [](const ::testing::TestParamInfo<ScanEnding>& info) { return info.param.name; });

TEST_F(BusScanTest, ScanStoppedByTheUserWasNotCutShortByTheTime) {
  StartScanning();
  link.replies.push_back(CollisionMarker());
  scan.Tick();
  scan.Tick();
  scan.Stop();
  EXPECT_FALSE(scan.EndedWhileAnswering());
}

TEST_F(BusScanTest, ConfirmationForAnotherAddressIsDiscardedAndAssignmentRepeatedOnce) {
  StartScanning();
  link.replies = {Identity(chip), Confirmation(7, "X", 2, 2)};
  scan.Tick();
  scan.Tick();
  EXPECT_FALSE(scan.Tick());  // wrong address: discarded
  scan.Tick();                // silent: assignment repeated once
  EXPECT_EQ(link.SentCommands(), (std::vector<std::uint8_t>{0xE1, 0xE4, 0xE4}));
  scan.Tick();  // silent again: give up on this device for now
  scan.Tick();
  EXPECT_EQ(link.SentCommands().back(), 0xE1);
  EXPECT_EQ(scan.DevicesFound(), 0);
}

TEST_F(BusScanTest, StopEndsTheScanAtOnce) {
  StartScanning();
  scan.Tick();
  scan.Stop();
  EXPECT_TRUE(scan.Finished());
  const auto sent = link.sent.size();
  scan.Tick();
  EXPECT_EQ(link.sent.size(), sent);
}

}  // namespace
}  // namespace dsp
