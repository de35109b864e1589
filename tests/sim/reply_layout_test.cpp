// Read replies byte by byte where the host's write-all and read-all on the
// simulator (procedures_on_sim_test) do not show them: the other formats,
// preset names, effect blocks, levels, and requests that go unanswered.

#include <gtest/gtest.h>

#include "sim_test_support.h"

namespace dsp::test {
namespace {

constexpr std::uint8_t R = 0xF7;  // request
constexpr std::uint8_t A = 3;     // the processor's address

struct ReplyLayout : ::testing::Test {
  SimBus bus{5};
  SimProcessor& dsp = bus.Add("Hall", 8, 8);
  SimParameters& p = dsp.parameters();
  void SetUp() override { dsp.set_address(A); }
  Bytes Ask(std::uint8_t command, const Bytes& payload) {
    return Talk(bus, Frame(R, A, command, payload), std::chrono::milliseconds(120));
  }
};

TEST_F(ReplyLayout, InputGainReplyInTheOtherFormat) {
  p.inputs[1].gain_raw = 2060;  // +6.0 dB
  dsp.faults().other_formats = true;
  // 8-bit format: 100 + gain / 0.64 dB, rounded.
  EXPECT_EQ(Ask(0x80, {1, 1}), WithSum({0xA5, 0x0B, 0xF8, A, 0x80, 1, 0, 0, 109, 0}));
}

TEST_F(ReplyLayout, OutputGainsReplyInTheOtherFormat) {
  p.outputs[1].mute = p.outputs[6].mute = true;
  p.outputs[1].gain_raw = 2060;
  dsp.faults().other_formats = true;
  Bytes other = {0xA5, 0x19, 0xF8, A, 0xA0, 0x0A, 0x42, 0, 100, 0, 109, 0};
  for (int j = 2; j < 8; ++j) other.insert(other.end(), {100, 0});
  EXPECT_EQ(Ask(0xA0, {}), WithSum(other));
}

TEST_F(ReplyLayout, MatrixRowReplyInTheOtherFormat) {
  p.matrix[1] = {0xF5, {0, 100, 0, 75, 0, 0, 0, 0}};
  dsp.faults().other_formats = true;
  // Format bit set: the sends as gain raws (0 % = -64.0 dB, 75 % = -2.5 dB).
  EXPECT_EQ(Ask(0x90, {1, 1}), WithSum({0xA5, 0x19, 0xF8, A,    0x90, 1,    0xF5, 1,    0x50, 0x05, 0xD0, 0x07,
                                        0x50, 0x05, 0xB7, 0x07, 0x50, 0x05, 0x50, 0x05, 0x50, 0x05, 0x50, 0x05}));
}

TEST_F(ReplyLayout, PresetNameReply) {
  dsp.preset(5).name = "Stage left";
  EXPECT_EQ(Ask(0xD7, {5}),
            WithSum(Padded({0xA5, 0x1B, 0xF8, A, 0xD7, 5, 'S', 't', 'a', 'g', 'e', ' ', 'l', 'e', 'f', 't'}, 26)));
  EXPECT_TRUE(Ask(0xD7, {17}).empty());
}

TEST_F(ReplyLayout, EffectBlockReplyCarriesOneBlockOfTheMemory) {
  SimProcessorConfig config = bus.NextConfig("Small", 2, 2);
  config.effect_blocks = 3;
  config.effect_block_size = 4;
  SimProcessor& small = bus.Add(config);
  small.set_address(9);
  for (int i = 0; i < 12; ++i) small.effect_memory()[i] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(Talk(bus, Frame(R, 9, 0xD6, {2, 0, 0xFF}), std::chrono::milliseconds(60)),
            WithSum({0xA5, 0x0C, 0xF8, 9, 0xD6, 2, 0, 8, 9, 10, 11}));
  EXPECT_TRUE(Talk(bus, Frame(R, 9, 0xD6, {3, 0, 0xFF}), std::chrono::milliseconds(60)).empty());
}

TEST_F(ReplyLayout, LevelReplyListsInputsThenOutputs) {
  SimProcessor& small = bus.Add("Lobby", 2, 3);
  small.set_address(4);
  bus.Advance(std::chrono::seconds(1));
  // The reply carries the readings of the moment the poll arrives.
  Bytes expected = {0xA5, 32, 0xF8, 4, 0xD0, 0, 0, 2, 3, 0, 0};
  auto put = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) expected.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  for (int i = 0; i < 2; ++i) put(small.levels().Input(i));
  for (int j = 0; j < 3; ++j) put(small.levels().Output(j));
  EXPECT_EQ(Talk(bus, Frame(R, 4, 0xD0, {0})), WithSum(expected));
  EXPECT_GT(small.levels().Input(0), 0u);
}

TEST_F(ReplyLayout, MalformedOrForeignRequestsGoUnanswered) {
  SimProcessor& small = bus.Add("Lobby", 4, 2);
  small.set_address(4);
  EXPECT_TRUE(Talk(bus, Frame(R, 4, 0x84, {4, 4})).empty());     // input 4 of 4
  EXPECT_TRUE(Talk(bus, Frame(R, 4, 0xA3, {2, 2})).empty());     // output 2 of 2
  EXPECT_TRUE(Talk(bus, Frame(R, 4, 0x81, {0, 0, 0})).empty());  // one byte short
  EXPECT_TRUE(Talk(bus, Frame(R, 5, 0x84, {0, 0})).empty());     // nobody at 5
  Bytes bad_sum = Frame(R, 4, 0x84, {0, 0});
  ++bad_sum.back();
  EXPECT_TRUE(Talk(bus, bad_sum).empty());
  EXPECT_EQ(Talk(bus, Frame(R, 4, 0x84, {3, 3})).size(), 10u);
}

}  // namespace
}  // namespace dsp::test
