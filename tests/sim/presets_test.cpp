// Preset save, recall and factory restore, with the time a recall takes.

#include <gtest/gtest.h>

#include "sim/sim_link.h"
#include "sim_test_support.h"

namespace dsp::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

struct Presets : ::testing::Test {
  SimBus bus{21};
  SimProcessor& dsp = bus.Add("Hall", 2, 2);
  SimLink link{bus};
  void SetUp() override { dsp.set_address(1); }
  void SetInputGain(std::uint16_t raw) {
    const Bytes head = {0, 0, 1, static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8), 0x50, 0x05};
    link.Send(Frame(0xF3, 1, 0x0F, Padded(head, 21)));
  }
  // The preset byte of a level poll answer; nothing while the processor is busy.
  std::optional<int> PolledPreset() {
    link.Send(Frame(0xF7, 1, 0xD0, {0}));
    const auto reply = link.PopReply();
    if (!reply || (*reply)[5] == 0xFF) return std::nullopt;
    return (*reply)[5];
  }
};

TEST_F(Presets, SaveThenRecallBringsTheSettingsBack) {
  SetInputGain(1900);
  link.Send(Frame(0xF7, 1, 0x70, {3}));
  EXPECT_EQ(dsp.preset(3).parameters.inputs[0].gain_raw, 1900);
  bus.Advance(seconds(1));
  SetInputGain(2050);

  link.Send(Frame(0xF7, 1, 0x71, {3}));
  EXPECT_FALSE(link.PopReply());  // a recall is not answered
  EXPECT_EQ(dsp.parameters().inputs[0].gain_raw, 1900);
  EXPECT_FALSE(PolledPreset());  // still loading
  bus.Advance(seconds(2));
  EXPECT_EQ(PolledPreset(), 3);
}

TEST_F(Presets, PresetZeroRestoresTheFactorySettingsAndCannotBeOverwritten) {
  SetInputGain(1500);
  dsp.parameters().matrix[0].off_bits = 0xFF;
  link.Send(Frame(0xF7, 1, 0x70, {0}));
  bus.Advance(seconds(1));
  EXPECT_EQ(dsp.preset(0).parameters, FactoryParameters());

  link.Send(Frame(0xF7, 1, 0x71, {0}));
  EXPECT_EQ(dsp.parameters(), FactoryParameters());
  EXPECT_EQ(dsp.current_preset(), 0);
  bus.Advance(seconds(2));
  EXPECT_FALSE(PolledPreset());  // a factory restore takes longer
  bus.Advance(seconds(1));
  EXPECT_EQ(PolledPreset(), 0);
}

TEST_F(Presets, NamesOfAllSeventeenPresetsCanBeReadAndWritten) {
  EXPECT_EQ(dsp.preset(0).name, "Factory");
  EXPECT_EQ(dsp.preset(16).name, "Preset 16");
  Bytes payload = Padded({16, 'L', 'a', 't', 'e'}, 21);
  link.Send(Frame(0xF3, 1, 0xD7, payload));
  link.Send(Frame(0xF7, 1, 0xD7, {16}));
  const auto reply = link.PopReply();
  ASSERT_TRUE(reply);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(reply->data()) + 6), "Late");
  payload[0] = 17;
  link.Send(Frame(0xF3, 1, 0xD7, payload));
  EXPECT_EQ(dsp.preset(16).name, "Late");
}

}  // namespace
}  // namespace dsp::test
