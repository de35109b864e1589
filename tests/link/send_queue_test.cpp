#include "link/send_queue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "link/frame.h"

namespace dsp {
namespace {

// A parameter write of `length` bytes with the given bytes set.
Bytes Write(std::uint8_t address, std::uint8_t command, std::size_t length, std::map<std::size_t, std::uint8_t> bytes) {
  Bytes frame = BlankFrame(length, kKindWrite, address, command);
  for (const auto& [at, value] : bytes) frame[at] = value;
  SealFrame(frame);
  return frame;
}

// Input band 3 of input channel 0 at processor 1, with the gain byte given.
Bytes InputBand(std::uint8_t gain, std::uint8_t address = 1, std::uint8_t band = 3, std::uint8_t channel = 0) {
  return Write(address, 0x0A, 18, {{5, 2 * channel + 1}, {6, band}, {8, gain}, {14, 1}});
}
Bytes OutputBand(std::uint8_t gain, std::uint8_t output_bit) {
  return Write(1, 0x0A, 18, {{5, 0x15}, {6, 3}, {8, gain}, {14, output_bit}});
}
Bytes InputGain(std::uint8_t channel, std::uint8_t gain) { return Write(1, 0x0F, 27, {{5, channel}, {7, 1}, {8, gain}}); }
Bytes MatrixRow(std::uint8_t input, std::uint8_t level) {
  return Write(1, 0x0F, 27, {{5, input}, {7, 0x80}, {8, level}});
}
Bytes OutputGains(std::uint8_t gain) { return Write(1, 0x0F, 27, {{5, 0x0A}, {7, 1}, {8, gain}}); }
Bytes Filter(std::uint8_t command, std::uint8_t output, std::uint8_t hz) {
  return Write(1, command, 12, {{6, 0x0A}, {7, output}, {9, hz}});
}
Bytes Request(std::uint8_t command, std::uint8_t what) { return BuildFrame(kKindRequest, 1, command, Bytes{what}); }
Bytes PinkNoise(std::uint8_t on) {
  Bytes frame = BlankFrame(18, kKindPinkNoise, 1, 0x01);
  frame[6] = on;
  SealFrame(frame);
  return frame;
}

struct Case {
  std::string name;
  std::vector<Bytes> waiting;
  Bytes newer;
  std::vector<Bytes> after;
};

TEST(SendQueue, NewerWriteReplacesTheWaitingOneForItsTargetOnly) {
  const Bytes poll = Request(0xD0, 0);
  const Bytes recall = Request(0x71, 2);
  const std::vector<Case> cases{
      {"same band: replaced", {InputBand(1)}, InputBand(2), {InputBand(2)}},
      {"keeps its place", {InputBand(1), poll, Filter(0x1B, 0, 9)}, InputBand(2), {InputBand(2), poll, Filter(0x1B, 0, 9)}},
      {"identical: not queued twice", {InputBand(1), poll}, InputBand(1), {InputBand(1), poll}},
      {"other band", {InputBand(1)}, InputBand(2, 1, 4), {InputBand(1), InputBand(2, 1, 4)}},
      {"other input channel", {InputBand(1)}, InputBand(2, 1, 3, 1), {InputBand(1), InputBand(2, 1, 3, 1)}},
      {"other processor", {InputBand(1)}, InputBand(2, 2), {InputBand(1), InputBand(2, 2)}},
      {"other output", {OutputBand(1, 0x01)}, OutputBand(2, 0x02), {OutputBand(1, 0x01), OutputBand(2, 0x02)}},
      {"same output: replaced", {OutputBand(1, 0x04)}, OutputBand(2, 0x04), {OutputBand(2, 0x04)}},
      {"gain is not the matrix row", {InputGain(1, 5)}, MatrixRow(1, 6), {InputGain(1, 5), MatrixRow(1, 6)}},
      {"matrix row: replaced", {MatrixRow(1, 5)}, MatrixRow(1, 6), {MatrixRow(1, 6)}},
      {"all output gains: replaced", {OutputGains(5)}, OutputGains(6), {OutputGains(6)}},
      {"high pass is not low pass", {Filter(0x1B, 2, 9)}, Filter(0x1C, 2, 8), {Filter(0x1B, 2, 9), Filter(0x1C, 2, 8)}},
      {"other output filter", {Filter(0x1B, 2, 9)}, Filter(0x1B, 3, 8), {Filter(0x1B, 2, 9), Filter(0x1B, 3, 8)}},
      {"reads are never replaced", {Request(0x81, 0)}, Request(0x81, 16), {Request(0x81, 0), Request(0x81, 16)}},
      {"identical read: not queued twice", {Request(0x81, 0)}, Request(0x81, 0), {Request(0x81, 0)}},
      {"presets are never replaced", {recall}, Request(0x71, 3), {recall, Request(0x71, 3)}},
      {"pink noise is never replaced", {PinkNoise(1)}, PinkNoise(0), {PinkNoise(1), PinkNoise(0)}},
      {"discovery is never replaced",
       {BuildFrame(kKindDiscovery, 0, 0xE4, Bytes{1})},
       BuildFrame(kKindDiscovery, 0, 0xE4, Bytes{2}),
       {BuildFrame(kKindDiscovery, 0, 0xE4, Bytes{1}), BuildFrame(kKindDiscovery, 0, 0xE4, Bytes{2})}},
      // The recall would undo the newer value if the write went before it.
      {"not moved ahead of a recall", {InputBand(1), recall}, InputBand(2), {InputBand(1), recall, InputBand(2)}},
      {"nor dropped as a twin of one before it", {InputBand(1), recall}, InputBand(1), {InputBand(1), recall, InputBand(1)}},
      {"after the recall: replaced", {InputBand(1), recall, InputBand(2)}, InputBand(3), {InputBand(1), recall, InputBand(3)}},
  };
  for (const Case& c : cases) {
    std::deque<Bytes> queue(c.waiting.begin(), c.waiting.end());
    EnqueueFrame(queue, c.newer);
    EXPECT_EQ(std::vector<Bytes>(queue.begin(), queue.end()), c.after) << c.name;
  }
}

TEST(SendQueue, TellsWhatItDidAndIgnoresWhatIsNoFrame) {
  std::deque<Bytes> queue;
  EXPECT_EQ(EnqueueFrame(queue, InputBand(1)), Queued::kAppended);
  EXPECT_EQ(EnqueueFrame(queue, InputBand(2)), Queued::kReplaced);
  EXPECT_EQ(EnqueueFrame(queue, InputBand(2)), Queued::kIgnored);
  const Bytes band = InputBand(3);
  const Bytes cut(band.begin(), band.begin() + 10);
  EXPECT_EQ(EnqueueFrame(queue, cut), Queued::kIgnored);
  EXPECT_EQ(queue.size(), 1u);
}

}  // namespace
}  // namespace dsp
