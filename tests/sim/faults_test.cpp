// Each fault does what it says, seen both on the raw line and through the link.

#include <gtest/gtest.h>

#include <algorithm>

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

// A garble that keeps the checksum changes two bytes, one of them a byte
// that says what the answer is: its address, its command, or a channel byte.
TEST_F(Faults, GarblesThatKeepTheChecksumChangeAByteNamingTheAnswer) {
  struct Case {
    const char* what;
    Bytes request;
    std::vector<std::size_t> naming;
  };
  std::vector<std::size_t> eq_naming = {3, 4};
  for (std::size_t r = 0; r < 16; ++r) eq_naming.push_back(5 + 10 * r);
  const std::vector<Case> cases = {
      {"preset name", Frame(0xF7, 1, 0xD7, {0}), {3, 4}},
      {"delay", Frame(0xF7, 1, 0x84, {1, 1}), {3, 4, 5}},
      {"filter", Frame(0xF7, 1, 0xA2, {1, 1, 0}), {3, 4, 6}},
      {"equaliser", Frame(0xF7, 1, 0x81, {1, 1, 0, 15}), eq_naming},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dsp.faults() = SimFaults{};
    const Bytes clean = Talk(bus, c.request);
    dsp.faults().garble = 1;
    dsp.faults().garble_keeps_sum = 1;
    for (int i = 0; i < 40; ++i) {
      const Bytes heard = Talk(bus, c.request);
      ASSERT_EQ(heard.size(), clean.size());
      EXPECT_TRUE(SumHolds(heard));
      std::vector<std::size_t> changed;
      for (std::size_t at = 0; at < heard.size(); ++at) {
        if (heard[at] != clean[at]) changed.push_back(at);
      }
      ASSERT_EQ(changed.size(), 2u);
      EXPECT_GE(changed[0], 3u);
      EXPECT_LT(changed[1], heard.size() - 1);
      const bool names = std::find_first_of(changed.begin(), changed.end(), c.naming.begin(), c.naming.end()) !=
                         changed.end();
      EXPECT_TRUE(names) << "bytes " << changed[0] << " and " << changed[1];
    }
  }
}

// Late answers start 150 to 550 ms after the request: never within the
// host's wait, often after its next request would have been written.
TEST_F(Faults, LateAnswersArriveSpreadOverFourHundredMilliseconds) {
  dsp.faults().late = 1;
  int earliest_ms = 1000;
  int latest_ms = 0;
  for (int i = 0; i < 60; ++i) {
    EXPECT_TRUE(Talk(bus, poll, milliseconds(120)).empty());
    int waited_ms = 120;
    Bytes late;
    while (late.size() < 28 && waited_ms < 700) {
      const Bytes got = Talk(bus, {}, milliseconds(10));
      late.insert(late.end(), got.begin(), got.end());
      waited_ms += 10;
    }
    ASSERT_EQ(late.size(), 28u);
    EXPECT_TRUE(SumHolds(late));
    earliest_ms = std::min(earliest_ms, waited_ms);
    latest_ms = std::max(latest_ms, waited_ms);
  }
  EXPECT_GE(earliest_ms, 150);
  EXPECT_LT(earliest_ms, 250);
  EXPECT_GT(latest_ms, 450);
  EXPECT_LE(latest_ms, 560);
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
