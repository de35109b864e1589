// The preset-name read of dspctl against the simulated processors in
// simulated time and on a scripted link.

#include <gtest/gtest.h>

#include "../support/fake_link.h"
#include "cli/preset_names_read.h"
#include "link/frame.h"
#include "model/device_list.h"
#include "sim/sim_bus.h"
#include "sim/sim_link.h"

namespace dsp {
namespace {

struct OnSimBus : ::testing::Test {
  SimBus bus{11};
  SimLink sim_link{bus};
  DeviceList devices;

  void AddProcessor(int inputs, int outputs) {
    bus.Add("Stage", inputs, outputs).set_address(1);
    devices.emplace_back(1, ChipIdBytes{}, inputs, outputs, "Stage");
  }
};

TEST_F(OnSimBus, PresetNamesReadTakesAllSeventeen) {
  AddProcessor(2, 2);
  for (int p = 1; p < kPresetSlots; ++p) bus.processor(0).preset(p).name = "Scene " + std::to_string(p * 7);
  PresetNamesRead read(sim_link, devices[0]);
  PresetNamesRead::Progress progress = PresetNamesRead::Progress::kRunning;
  int ticks = 0;
  while (progress == PresetNamesRead::Progress::kRunning && ticks < 1000) {
    bus.Advance(std::chrono::milliseconds(PresetNamesRead::kTickMs));
    progress = read.Tick();
    ++ticks;
  }
  ASSERT_EQ(progress, PresetNamesRead::Progress::kDone);
  EXPECT_EQ(ticks, 2 * kPresetSlots);
  EXPECT_EQ(devices[0].PresetName(0), bus.processor(0).preset(0).name);
  EXPECT_EQ(devices[0].PresetName(16), "Scene 112");
}

TEST_F(OnSimBus, PresetNamesReadGivesUpAfterTwentyOneSilentTicksKeepingWhatCame) {
  AddProcessor(2, 2);
  bus.processor(0).preset(4).name = "Kept";
  bus.processor(0).faults().silent_after = 5;
  PresetNamesRead read(sim_link, devices[0]);
  int failed_at = 0;
  for (int tick = 1; tick < 1000 && failed_at == 0; ++tick) {
    bus.Advance(std::chrono::milliseconds(PresetNamesRead::kTickMs));
    if (read.Tick() == PresetNamesRead::Progress::kFailed) failed_at = tick;
  }
  EXPECT_EQ(read.NamesRead(), 5);
  EXPECT_EQ(failed_at, 2 * 5 + 1 + PresetNamesRead::kFailureLimit);
  EXPECT_EQ(devices[0].PresetName(4), "Kept");
  EXPECT_EQ(devices[0].PresetName(5), "");
}

Bytes Reply(std::size_t length, std::uint8_t command, std::uint8_t first_payload, const std::string& text = "") {
  Bytes reply = BlankFrame(length, kKindReply, 1, command);
  reply[5] = first_payload;
  std::copy(text.begin(), text.end(), reply.begin() + 6);
  SealFrame(reply);
  return reply;
}

TEST(PresetNamesReadOnAScriptedLink, ALateAnswerOfAnotherReadIsAFailureAndNothingIsResent) {
  DeviceRecord record(1, ChipIdBytes{}, 1, 1, "Desk");
  testing::FakeLink link;
  PresetNamesRead read(link, record);
  link.replies = {Reply(10, 0x84, 0), Reply(27, 0xD7, 0, "Factory")};
  EXPECT_EQ(read.Tick(), PresetNamesRead::Progress::kRunning);  // asks for preset 0
  EXPECT_EQ(read.Tick(), PresetNamesRead::Progress::kRunning);  // the delay reply: discarded
  EXPECT_EQ(read.NamesRead(), 0);
  EXPECT_EQ(read.Tick(), PresetNamesRead::Progress::kRunning);  // the name
  EXPECT_EQ(read.NamesRead(), 1);
  EXPECT_EQ(record.PresetName(0), "Factory");
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0][kOffsetCommand], 0xD7);
}

}  // namespace
}  // namespace dsp
