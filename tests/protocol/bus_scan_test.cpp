#include "protocol/bus_scan.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(found->address, 1);
  EXPECT_EQ(found->chip_id, chip);
  EXPECT_EQ(found->name, "Hall");
  EXPECT_EQ(found->inputs, 8);
  EXPECT_EQ(found->outputs, 4);
  scan.Tick();  // asks again; the next one would get address 2
  scan.Tick();
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

TEST_F(BusScanTest, ThirdCollisionInARowAsksAfresh) {
  StartScanning();
  scan.Tick();  // E1
  for (int i = 0; i < 3; ++i) {
    link.replies.push_back(CollisionMarker());
    scan.Tick();
  }
  // Two re-asks with the marker's own bytes, then the state falls back to asking.
  EXPECT_EQ(link.SentCommands(), (std::vector<std::uint8_t>{0xE1, 0xE3, 0xE3}));
  scan.Tick();
  EXPECT_EQ(link.SentCommands().back(), 0xE1);
  // The fresh broadcast renews the two re-asks.
  link.replies.push_back(CollisionMarker());
  scan.Tick();
  EXPECT_EQ(link.SentCommands().back(), 0xE3);
}

TEST_F(BusScanTest, CollidingProcessorsAreStillSeparatedAfterAFreshBroadcast) {
  // Several processors: every broadcast collides, and so do the first two
  // re-asks; the third re-ask, sent after a fresh broadcast, isolates one.
  // Were the re-asks not renewed, the scan would repeat the broadcast for ever.
  StartScanning();
  int re_asks = 0;
  link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
    if (request[4] == command::kScanAsk) return CollisionMarker();
    if (request[4] == command::kScanReAsk) return ++re_asks <= 2 ? CollisionMarker() : Identity(chip);
    if (request[4] == command::kAssignAddress) return Confirmation(request[5], "P", 1, 1);
    return std::nullopt;
  };
  std::optional<DiscoveredDevice> found;
  for (int tick = 0; tick < 20 && !found; ++tick) found = scan.Tick();
  ASSERT_TRUE(found);
  EXPECT_EQ(found->chip_id, chip);
  EXPECT_EQ(link.SentCommands(), (std::vector<std::uint8_t>{0xE1, 0xE3, 0xE3, 0xE1, 0xE3, 0xE4}));
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
