#include "protocol/level_poll.h"

#include <gtest/gtest.h>

#include "answering_host.h"
#include "../support/fake_link.h"
#include "link/exchange.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

using testing::FakeLink;
using testing::MakeRecord;

Bytes LevelAnswerFrame(std::uint8_t address, std::vector<std::uint32_t> levels) {
  Bytes reply = BlankFrame(12 + 4 * levels.size(), kKindReply, address, command::kLevelPoll);
  reply[5] = 0x01;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    for (int b = 0; b < 4; ++b) reply[11 + 4 * i + b] = (levels[i] >> (8 * b)) & 0xFF;
  }
  SealFrame(reply);
  return reply;
}

TEST(LevelPoll, CursorWrapsOverThreeProcessorsAndResetsWhenTheListShrinks) {
  FakeLink link;
  DeviceList devices{MakeRecord(2, 2, 1), MakeRecord(2, 2, 2), MakeRecord(2, 2, 3)};
  LevelPoll poll(link);
  for (int i = 0; i < 4; ++i) poll.Tick(devices, true);
  std::vector<int> polled;
  for (const Bytes& frame : link.sent) polled.push_back(frame[kOffsetAddress]);
  EXPECT_EQ(polled, (std::vector<int>{1, 2, 3, 1}));
  EXPECT_EQ(link.sent[0], (Bytes{0xA5, 0x07, 0xF7, 0x01, 0xD0, 0x00, FrameChecksum(link.sent[0])}));

  devices.erase(devices.begin() + 1, devices.end());
  poll.Tick(devices, true);  // cursor past the end: reset, nothing sent
  poll.Tick(devices, true);
  EXPECT_EQ(link.sent.size(), 5u);
  EXPECT_EQ(link.sent.back()[kOffsetAddress], 1);

  poll.Tick(devices, false);  // no port: nothing at all
  EXPECT_EQ(link.sent.size(), 5u);
}

TEST(LevelPoll, AnswerStoresLevelsOfItsOwnDeviceAndMarkerMeansOffline) {
  FakeLink link;
  DeviceList devices{MakeRecord(2, 3, 1), MakeRecord(1, 1, 2)};
  LevelPoll poll(link);
  link.replies.push_back(LevelAnswerFrame(2, {70000, 123}));
  auto answer = poll.Tick(devices, true);
  ASSERT_TRUE(answer);
  EXPECT_EQ(std::make_pair(answer->address, answer->online), std::make_pair(2, true));
  EXPECT_EQ(std::make_tuple(devices[1].Level(0, 0), devices[1].Level(1, 0), devices[1].Status()),
            std::make_tuple(70000, 123, 1));

  // A short answer fills what it reaches: two inputs, then one of three outputs.
  link.replies.push_back(LevelAnswerFrame(1, {5, 6, 7}));
  poll.Tick(devices, true);
  EXPECT_EQ(std::make_pair(devices[0].Level(1, 0), devices[0].Level(1, 1)), std::make_pair(7, 0));

  link.replies.push_back(OfflineMarker(1));
  answer = poll.Tick(devices, true);
  ASSERT_TRUE(answer);
  EXPECT_FALSE(answer->online);
  EXPECT_EQ(devices[0].Level(0, 0), 5);

  link.replies.push_back(BlankFrame(10, kKindReply, 1, 0x85));
  EXPECT_FALSE(poll.Tick(devices, true));
}

// Writes waiting on the link go first: the tick adds no poll and keeps the
// processor's turn, but still takes the answer of an earlier poll.
TEST(LevelPoll, BusyLinkGetsNoPollAndTheTurnIsKept) {
  FakeLink link;
  DeviceList devices{MakeRecord(1, 1, 1), MakeRecord(1, 1, 2)};
  LevelPoll poll(link);
  poll.Tick(devices, true);
  link.send_queue_empty = false;
  link.replies.push_back(LevelAnswerFrame(1, {9, 9}));
  EXPECT_TRUE(poll.Tick(devices, true));
  poll.Tick(devices, true);
  EXPECT_EQ(link.sent.size(), 1u);
  link.send_queue_empty = true;
  poll.Tick(devices, true);
  ASSERT_EQ(link.sent.size(), 2u);
  EXPECT_EQ(link.sent.back()[kOffsetAddress], 2);
}

TEST(LevelDb, ConversionFormatAndSlider) {
  EXPECT_EQ(FormatLevelDb(LevelDb(0x7FFFFF, 0x7FFFFF, -96)), "0.0 dBv");
  EXPECT_EQ(FormatLevelDb(LevelDb(0, 0x7FFFFF, -96)), "-96.0 dBv");
  EXPECT_NEAR(LevelDb(1000, 100000, -96), -20.0, 1e-9);
  EXPECT_EQ(LevelDb(1, 0xFFFFFFFF, -60), -60);
  EXPECT_EQ(LevelSliderPosition(-20.04, -960, 0), -200);
  EXPECT_EQ(LevelSliderPosition(3.0, -960, 0), 0);
  EXPECT_EQ(LevelSliderPosition(-120.0, -960, 0), -960);
}

}  // namespace
}  // namespace dsp
