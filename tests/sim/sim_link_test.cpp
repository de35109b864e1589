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
  EXPECT_EQ(reply->size(), 12u + 4 * 8);
  EXPECT_EQ((*reply)[4], 0xD0);
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

TEST_F(SimLinkTest, IdenticalFrameStillWaitingIsQueuedOnce) {
  SimLink link(bus, 5);
  for (int i = 0; i < 3; ++i) link.Send(poll);
  EXPECT_EQ(link.queued(), 1u);
  Bytes other_sum = poll;
  ++other_sum.back();
  link.Send(other_sum);
  EXPECT_EQ(link.queued(), 2u);

  link.Flush();
  // The poll once (answered), the frame with the bad sum twice (ignored, so
  // it ends in the offline marker).
  ASSERT_EQ(bus.host_writes().size(), 3u);
  EXPECT_EQ(bus.host_writes()[0].bytes, poll);
  EXPECT_EQ(bus.host_writes()[2].bytes, other_sum);
  const auto reply = link.PopReply();
  ASSERT_TRUE(reply);
  EXPECT_EQ((*reply)[4], 0xD0);
  EXPECT_EQ(link.PopReply(), OfflineMarker(1));
  EXPECT_FALSE(link.PopReply());

  link.Send(poll);  // no longer waiting, so queued again
  EXPECT_EQ(link.queued(), 1u);
}

}  // namespace
}  // namespace dsp::test
