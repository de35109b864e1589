#include "protocol/effect_read.h"

#include <gtest/gtest.h>

#include "answering_host.h"
#include "../support/fake_link.h"
#include "protocol/commands.h"
#include "protocol/procedure_driver.h"

namespace dsp {
namespace {

using testing::FakeLink;
using testing::MakeRecord;
using testing::OneDeviceHost;

// A block answer carrying 64 bytes whose values name the block.
std::optional<Bytes> BlockAnswer(const Bytes& request) {
  if (request[kOffsetCommand] != command::kEffectBlock) return std::nullopt;
  const int block = request[5] | (request[6] << 8);
  Bytes reply = BlankFrame(8 + 64, kKindReply, request[kOffsetAddress], command::kEffectBlock);
  std::fill(reply.begin() + 7, reply.end() - 1, static_cast<std::uint8_t>(block));
  SealFrame(reply);
  return reply;
}

struct EffectReadTest : ::testing::Test {
  FakeLink link;
  OneDeviceHost host{MakeRecord(2, 2, 3)};
  DeviceList devices;
  Configuration config;
  ProcedureDriver driver{link, host, devices, config};

  ProcedureEnd Run() {
    for (int i = 0; i < 100000; ++i) {
      const ProcedureEnd end = driver.Tick();
      if (end != ProcedureEnd::kRunning) return end;
    }
    return ProcedureEnd::kRunning;
  }
};

TEST_F(EffectReadTest, CopiesEveryBlockInOrderAndNeverShowsHundredPercent) {
  link.responder = BlockAnswer;
  ASSERT_FALSE(driver.StartEffectRead(301));
  EXPECT_EQ(driver.PeriodMs(), 20);
  EXPECT_EQ(Run(), ProcedureEnd::kSucceeded);
  ASSERT_EQ(host.effect.size(), 64u * 301);
  EXPECT_EQ(host.effect[64 * 299], static_cast<std::uint8_t>(299 & 0xFF));
  ASSERT_EQ(link.sent.size(), 301u);
  EXPECT_EQ(link.sent[300], ReadEffectBlockFrame(3, 300));
  EXPECT_EQ(Bytes(link.sent[300].begin() + 5, link.sent[300].begin() + 7), (Bytes{0x2C, 0x01}));
  ASSERT_FALSE(host.percents.empty());
  EXPECT_EQ(host.percents.front(), 1);
  EXPECT_EQ(host.percents.back(), 99);
  EXPECT_TRUE(std::is_sorted(host.percents.begin(), host.percents.end()));
}

// More than 65536 blocks would wrap the 16-bit block index and append blocks
// 0, 1, ... to the image a second time.
TEST_F(EffectReadTest, CountsTheProtocolCannotAddressAreRefusedBeforeAnythingIsSent) {
  for (const int blocks : {0, -1, 65537}) {
    const auto refusal = driver.StartEffectRead(blocks);
    ASSERT_TRUE(refusal) << blocks;
    EXPECT_NE(refusal->find("config_effects"), std::string::npos);
    EXPECT_FALSE(driver.Running());
  }
  EXPECT_TRUE(link.sent.empty());
  EXPECT_FALSE(driver.StartEffectRead(65536));
}

TEST_F(EffectReadTest, SilenceFailsAfterMoreThanAHundredAndFiftyTicksKeepingWhatArrived) {
  int answered = 0;
  link.responder = [&](const Bytes& request) -> std::optional<Bytes> {
    if (answered++ >= 2) return std::nullopt;
    return BlockAnswer(request);
  };
  ASSERT_FALSE(driver.StartEffectRead(10));
  int ticks = 0;
  ProcedureEnd end = ProcedureEnd::kRunning;
  while (end == ProcedureEnd::kRunning && ticks < 1000) {
    end = driver.Tick();
    ++ticks;
  }
  EXPECT_EQ(end, ProcedureEnd::kFailed);
  EXPECT_EQ(host.effect.size(), 128u);
  EXPECT_EQ(link.sent.size(), 3u);
}

}  // namespace
}  // namespace dsp
