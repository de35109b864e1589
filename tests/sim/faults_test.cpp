// Each fault does what it says, seen both on the raw line and through the link.

#include <gtest/gtest.h>

#include "link/exchange.h"
#include "sim/sim_link.h"
#include "sim_test_support.h"

namespace dsp::test {
namespace {

using std::chrono::milliseconds;

struct Faults : ::testing::Test {
  SimBus bus{51};
  SimProcessor& dsp = bus.Add("Hall", 2, 2);
  SimLink link{bus};
  const Bytes poll = Frame(0xF7, 1, 0xD0, {0});
  void SetUp() override { dsp.set_address(1); }
  bool SumHolds(const Bytes& frame) { return WithSum(Bytes(frame.begin(), frame.end() - 1)) == frame; }
  Bytes LinkPoll() {
    link.Send(poll);
    return link.PopReply().value_or(Bytes{});
  }
};

TEST_F(Faults, DroppedAnswersLeaveTheHostWithTheOfflineMarker) {
  dsp.faults().drop = 1;
  EXPECT_TRUE(Talk(bus, poll).empty());
  EXPECT_EQ(LinkPoll(), OfflineMarker(1));

  dsp.faults().drop = 0.3;
  int answered = 0;
  for (int i = 0; i < 400; ++i) answered += !Talk(bus, poll).empty();
  EXPECT_GT(answered, 240);
  EXPECT_LT(answered, 320);
}

TEST_F(Faults, GarbledAnswersKeepTheirShapeButFailTheChecksum) {
  dsp.faults().garble = 1;
  for (int i = 0; i < 50; ++i) {
    const Bytes heard = Talk(bus, poll);
    ASSERT_EQ(heard.size(), 28u);
    EXPECT_EQ(Bytes(heard.begin(), heard.begin() + 3), (Bytes{0xA5, 28, 0xF8}));
    EXPECT_FALSE(SumHolds(heard));
  }
  EXPECT_EQ(LinkPoll(), OfflineMarker(1));
}

TEST_F(Faults, LateAnswersArriveAfterTheHostsWait) {
  dsp.faults().late = 1;
  EXPECT_TRUE(Talk(bus, poll, milliseconds(120)).empty());
  const Bytes late = Talk(bus, {}, milliseconds(40));
  ASSERT_EQ(late.size(), 28u);
  EXPECT_TRUE(SumHolds(late));

  // The link's second read finds the first attempt's answer; the second
  // attempt's answer is left on the line and spoils the first attempt of
  // the next exchange.
  EXPECT_EQ(LinkPoll().size(), 28u);
  EXPECT_EQ(bus.host_writes().size(), 3u);
  link.Send(Frame(0xF7, 1, 0x85, {0, 0}));
  const auto polarity = link.PopReply();
  ASSERT_TRUE(polarity);
  EXPECT_EQ((*polarity)[4], 0x85);
  EXPECT_EQ(bus.host_writes().size(), 5u);
}

TEST_F(Faults, AnswersWithAnotherAddressAreWellFormedButForeign) {
  dsp.faults().wrong_address = 1;
  const Bytes heard = Talk(bus, poll);
  ASSERT_EQ(heard.size(), 28u);
  EXPECT_TRUE(SumHolds(heard));
  EXPECT_EQ(heard[3], 2);
  EXPECT_EQ(LinkPoll(), OfflineMarker(1));
}

TEST_F(Faults, ProcessorFallsSilentAfterItsFrames) {
  dsp.faults().silent_after = 2;
  EXPECT_EQ(LinkPoll().size(), 28u);
  EXPECT_EQ(LinkPoll().size(), 28u);
  EXPECT_EQ(LinkPoll(), OfflineMarker(1));
  EXPECT_TRUE(dsp.IsSilenced());
  EXPECT_TRUE(Talk(bus, Frame(0xF2, 0, 0xEF)).empty());
  EXPECT_EQ(dsp.address(), 1);  // it hears nothing any more
}

TEST_F(Faults, HungUpLineTakesNoWritesAndGivesNoBytes) {
  bus.HangUpAfter(1);
  EXPECT_EQ(LinkPoll().size(), 28u);
  EXPECT_FALSE(bus.IsHungUp());
  EXPECT_EQ(LinkPoll(), OfflineMarker(1));
  EXPECT_TRUE(bus.IsHungUp());
  EXPECT_EQ(bus.host_port().Write(poll), 0u);
  EXPECT_EQ(bus.host_writes().size(), 1u);
}

TEST_F(Faults, FaultDrawsRepeatWithTheSeed) {
  SimBus twin(51);
  SimProcessor& copy = twin.Add("Hall", 2, 2);
  copy.set_address(1);
  dsp.faults().drop = copy.faults().drop = 0.5;
  std::string pattern;
  std::string twin_pattern;
  for (int i = 0; i < 64; ++i) {
    pattern += Talk(bus, poll).empty() ? '.' : 'x';
    twin_pattern += Talk(twin, poll).empty() ? '.' : 'x';
  }
  EXPECT_EQ(pattern, twin_pattern);
  EXPECT_NE(pattern.find('.'), std::string::npos);
  EXPECT_NE(pattern.find('x'), std::string::npos);
}

}  // namespace
}  // namespace dsp::test
