#include "protocol/write_all.h"

#include <gtest/gtest.h>

#include "answering_host.h"
#include "../support/fake_link.h"
#include "model/write_builders.h"

namespace dsp {
namespace {

using testing::FakeLink;
using testing::MakeRecord;

// The frames expected for one emission, built by the write builders.
std::vector<Bytes> Frames(const DeviceRecord& record, const Configuration& config, std::vector<WriteId> ids) {
  std::vector<Bytes> frames;
  for (WriteId id : ids) frames.push_back(*BuildWrite(id, record, config));
  return frames;
}

std::vector<WriteId> Bands(int side, int channel, int address, int count) {
  std::vector<WriteId> ids;
  for (int band = 0; band < count; ++band) ids.push_back(WriteId::EqBand(side, channel, band, address));
  return ids;
}

std::vector<WriteId> Join(std::vector<WriteId> a, const std::vector<WriteId>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct WriteAllTest : ::testing::Test {
  FakeLink link;
  Configuration config;
  DeviceList devices{MakeRecord(1, 1, 2)};
  WriteAll write{link, devices, config};
};

TEST_F(WriteAllTest, TwoByTwoProcessorIsReplayedChannelByChannelWithPauses) {
  devices = {MakeRecord(2, 2, 5)};
  devices[0].SetGain(0, 1, -350);
  const DeviceRecord& target = devices[0];
  write.Restart(5);

  std::vector<std::vector<Bytes>> bursts;
  int ticks = 0;
  link.send_queue_empty = true;
  while (ticks < 200) {
    const std::size_t before = link.sent.size();
    const bool done = write.Tick();
    ++ticks;
    if (link.sent.size() > before) bursts.emplace_back(link.sent.begin() + static_cast<long>(before), link.sent.end());
    if (done) break;
  }
  ASSERT_EQ(bursts.size(), 4u);
  auto input = [&](int c) {
    return Join({WriteId::GainMute(0, c, 5), WriteId::Polarity(0, c, 5), WriteId::Delay(0, c, 5),
                 WriteId::NoiseGate(c, 5), WriteId::MatrixRow(c, 0, 5)},
                Bands(0, c, 5, 31));
  };
  auto output = [&](int c) {
    return Join({WriteId::Compressor(c, 5), WriteId::Limiter(c, 5), WriteId::Filter(c, 0, 5), WriteId::Filter(c, 1, 5)},
                Bands(1, c, 5, 31));
  };
  EXPECT_EQ(bursts[0], Frames(target, config, input(0)));
  EXPECT_EQ(bursts[1], Frames(target, config, input(1)));
  EXPECT_EQ(bursts[2], Frames(target, config, Join({WriteId::GainMute(1, 0, 5), WriteId::Polarity(1, 0, 5),
                                                    WriteId::Delay(1, 0, 5)},
                                                   output(0))));
  EXPECT_EQ(bursts[3], Frames(target, config, output(1)));
  // Four channels of ten ticks each (emit, eight pauses, advance) and the drain.
  EXPECT_EQ(ticks, 41);
}

TEST_F(WriteAllTest, WaitsForTheSendQueueToDrain) {
  write.Restart(2);
  link.send_queue_empty = false;
  for (int i = 0; i < 100; ++i) ASSERT_FALSE(write.Tick());
  link.send_queue_empty = true;
  EXPECT_TRUE(write.Tick());
}

TEST_F(WriteAllTest, MissingTargetSendsNothingAndEnds) {
  write.Restart(9);
  bool done = false;
  for (int i = 0; i < 100 && !done; ++i) done = write.Tick();
  EXPECT_TRUE(done);
  EXPECT_TRUE(link.sent.empty());
}

}  // namespace
}  // namespace dsp
