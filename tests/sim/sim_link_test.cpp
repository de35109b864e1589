// The in-process link: the host link's queue and latency over the
// simulated bus.

#include "sim/sim_link.h"

#include <gtest/gtest.h>

#include "link/exchange.h"
#include "sim_test_support.h"

namespace dsp::test {
namespace {

using std::chrono::milliseconds;

struct SimLinkTest : ::testing::Test {
  SimBus bus{3};
  SimProcessor& dsp = bus.Add("Hall", 4, 4);
  const Bytes poll = Frame(0xF7, 1, 0xD0, {0});
  void SetUp() override { dsp.set_address(1); }
};

TEST_F(SimLinkTest, AnswerIsReadyRightAfterSendWithoutLatency) {
  SimLink link(bus);
  link.Send(poll);
  const auto reply = link.PopReply();
  ASSERT_TRUE(reply);
  EXPECT_EQ(std::make_pair(reply->size(), (*reply)[4]), std::make_pair(std::size_t{12 + 4 * 8}, std::uint8_t{0xD0}));
  EXPECT_FALSE(link.PopReply());
  EXPECT_TRUE(link.IsSendQueueEmpty());
  // One 100 ms wait and the worker's 50 ms pause.
  EXPECT_EQ(bus.Now(), milliseconds(150));
}

TEST_F(SimLinkTest, LatencyHoldsTheExchangeForTheGivenNumberOfPolls) {
  SimLink link(bus, 3);
  link.Send(poll);
  EXPECT_FALSE(link.PopReply());
  EXPECT_FALSE(link.IsSendQueueEmpty());
  EXPECT_TRUE(bus.host_writes().empty());
  EXPECT_TRUE(link.PopReply());
  EXPECT_EQ(bus.host_writes().size(), 1u);
}

}  // namespace
}  // namespace dsp::test
