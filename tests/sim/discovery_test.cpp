// Discovery on the simulated bus: collisions, re-asks and addressing.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

#include "link/exchange.h"
#include "link/frame.h"
#include "sim/sim_link.h"
#include "sim_test_support.h"

namespace dsp::test {
namespace {

const Bytes kScanAsk = {0xA5, 0x06, 0xF2, 0x00, 0xE1, 0xD9};
const Bytes kReAsk = {0xA5, 0x06, 0xF2, 0x00, 0xE3, 0xDB};
const Bytes kForget = {0xA5, 0x06, 0xF2, 0x00, 0xEF, 0xE7};

Bytes Assign(std::uint8_t address, const ChipId& id) {
  Bytes payload = {address};
  payload.insert(payload.end(), id.begin(), id.end());
  return Frame(0xF2, 0, 0xE4, payload);
}

std::vector<Bytes> PopAll(SimLink& link) {
  std::vector<Bytes> replies;
  while (auto reply = link.PopReply()) replies.push_back(*reply);
  return replies;
}

TEST(Discovery, EightProcessorsCollideAndReAsksSeparateThem) {
  SimBus bus(11);
  for (int i = 0; i < 8; ++i) bus.Add("Unit " + std::to_string(i), 8, 8);
  SimLink link(bus);

  link.Send(kScanAsk);
  EXPECT_EQ(PopAll(link), (std::vector<Bytes>{CollisionMarker(), CollisionMarker()}));

  std::map<ChipId, std::uint8_t> assigned;
  for (int asks = 0; assigned.size() < 8 && asks < 2000; ++asks) {
    link.Send(kReAsk);
    for (const Bytes& reply : PopAll(link)) {
      ASSERT_EQ(reply.size(), 14u);
      ASSERT_EQ(reply[4], 0xE2);
      ChipId id;
      std::copy(reply.begin() + 5, reply.begin() + 13, id.begin());
      ASSERT_FALSE(assigned.contains(id));
      const auto address = static_cast<std::uint8_t>(assigned.size() + 1);
      link.Send(Assign(address, id));
      const auto confirm = link.PopReply();
      ASSERT_TRUE(confirm);
      EXPECT_EQ(confirm->size(), 29u);
      EXPECT_EQ((*confirm)[5], address);
      assigned[id] = address;
    }
  }
  ASSERT_EQ(assigned.size(), 8u);
  for (const auto& [id, address] : assigned) {
    ASSERT_TRUE(bus.FindByAddress(address));
    EXPECT_EQ(bus.FindByAddress(address)->chip_id(), id);
  }
  // Addressed processors keep quiet on a scan.
  link.Send(kScanAsk);
  link.Send(kReAsk);
  EXPECT_TRUE(PopAll(link).empty());
}

TEST(Discovery, ForgetBroadcastMakesEveryProcessorAnswerAgain) {
  SimBus bus(4);
  SimProcessor& a = bus.Add("A", 2, 2);
  SimProcessor& b = bus.Add("B", 2, 2);
  a.set_address(1);
  b.set_address(2);
  SimLink link(bus);
  link.Send(kScanAsk);
  EXPECT_TRUE(PopAll(link).empty());

  link.Send(kForget);
  EXPECT_EQ(a.address(), 0);
  EXPECT_EQ(b.address(), 0);
  link.Send(kScanAsk);
  EXPECT_EQ(PopAll(link).size(), 2u);  // two collision markers

  b.set_address(2);
  link.Send(kScanAsk);
  const auto alone = PopAll(link);
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_TRUE(std::equal(a.chip_id().begin(), a.chip_id().end(), alone[0].begin() + 5));
}

TEST(Discovery, IdenticalAnswersThatCollideNeverPassTheChecksum) {
  SimBus bus(4);
  SimProcessorConfig config = bus.NextConfig("Twin", 2, 2);
  bus.Add(config);
  config.name = "Other twin";
  bus.Add(config);  // the same chip ID: the two answers are equal byte for byte
  const Bytes heard = Talk(bus, kScanAsk);
  ASSERT_EQ(heard.size(), 14u);
  EXPECT_EQ(Bytes(heard.begin(), heard.begin() + 5), (Bytes{0xA5, 0x0E, 0xF2, 0xFF, 0xE2}));
  EXPECT_NE(WithSum(Bytes(heard.begin(), heard.end() - 1)), heard);
}

TEST(Discovery, AssignmentNeedsTheProcessorsChipId) {
  SimBus bus(4);
  SimProcessor& a = bus.Add("A", 2, 2);
  ChipId other = a.chip_id();
  other[7] ^= 1;
  EXPECT_TRUE(Talk(bus, Assign(5, other)).empty());
  EXPECT_EQ(a.address(), 0);
  EXPECT_EQ(Talk(bus, Assign(5, a.chip_id())).size(), 29u);
  EXPECT_EQ(a.address(), 5);
}

TEST(Discovery, ChipIdsFollowTheSeedAndThePosition) {
  SimBus one(77);
  SimBus same(77);
  SimBus other(78);
  for (SimBus* bus : {&one, &same, &other}) {
    bus->Add("A", 1, 1);
    bus->Add("B", 1, 1);
  }
  EXPECT_EQ(one.processor(0).chip_id(), same.processor(0).chip_id());
  EXPECT_EQ(one.processor(1).chip_id(), same.processor(1).chip_id());
  EXPECT_NE(one.processor(0).chip_id(), one.processor(1).chip_id());
  EXPECT_NE(one.processor(0).chip_id(), other.processor(0).chip_id());
}

// Two identity answers on the line, the second some byte times after the
// first; the second listens before it talks or not. Whole frames that pass
// their checksum are heard: none means a collision.
TEST(SimLine, HearsWhatTheSendersLetThrough) {
  const struct {
    const char* what;
    std::int64_t delay_slots;
    bool second_listens;
    int frames_heard;
  } cases[] = {{"same slot collides", 0, true, 0},
               {"one slot later stays silent", 1, true, 1},
               {"last slot stays silent", 15, true, 1},
               {"a deaf sender overlaps and collides", 5, false, 0},
               {"a deaf sender after the end is heard too", 15, false, 2}};
  const Bytes first = Frame(0xF2, 0xFF, 0xE2, {1, 2, 3, 4, 5, 6, 7, 8});
  const Bytes second = Frame(0xF2, 0xFF, 0xE2, {9, 10, 11, 12, 13, 14, 15, 16});
  const std::int64_t ask_end_us = 10'000;
  const std::int64_t start_us = ask_end_us + kTurnaroundUs;
  for (const auto& c : cases) {
    SimLine line;
    line.Put({start_us, first, ask_end_us});
    line.Put({start_us + c.delay_slots * kByteUs, second, c.second_listens ? std::optional(ask_end_us) : std::nullopt});
    Bytes heard = line.Take(1'000'000, 4096);
    int frames = 0;
    while (auto frame = FindReplyFrame(heard)) {
      ++frames;
      heard.erase(heard.begin(),
                  heard.begin() + (frame->data() - heard.data()) + static_cast<std::ptrdiff_t>(frame->size()));
    }
    EXPECT_EQ(frames, c.frames_heard) << c.what;
  }
}

// A lone unaddressed processor, re-asked many times: how often it answers and
// how long after the re-ask its answer starts. Halves answer by chance at
// once; slots answer every time in one of sixteen slots.
TEST(Discovery, ALoneProcessorReAskedAnswersAsItsBehaviourSays) {
  const struct {
    DiscoveryBehaviour behaviour;
    int fewest_answers;
    int most_answers;
    std::size_t distinct_delays;
  } cases[] = {{DiscoveryBehaviour::kHalves, 150, 250, 1}, {DiscoveryBehaviour::kSlots, 400, 400, 16}};
  for (const auto& c : cases) {
    SimBus bus(5, c.behaviour);
    SimProcessor& processor = bus.Add("Solo", 2, 2);
    int answers = 0;
    std::set<std::int64_t> delays;
    for (int i = 0; i < 400; ++i) {
      const std::int64_t end_us = 1'000'000LL * (i + 1);
      processor.Receive(kReAsk, end_us - 5 * kByteUs, end_us);
      for (const Transmission& t : processor.TakeOutput()) {
        ++answers;
        delays.insert(t.start_us - end_us - kTurnaroundUs);
      }
    }
    EXPECT_GE(answers, c.fewest_answers);
    EXPECT_LE(answers, c.most_answers);
    EXPECT_EQ(delays.size(), c.distinct_delays);
    EXPECT_GE(*delays.begin(), 0);
    EXPECT_LE(*delays.rbegin(), 15 * kByteUs);
  }
}

TEST(Discovery, SlotsLetOneOfEightAnswerMostAsks) {
  SimBus bus(3, DiscoveryBehaviour::kSlots);
  for (int i = 0; i < 8; ++i) bus.Add("Unit " + std::to_string(i), 2, 2);
  int clean = 0;
  constexpr int kAsks = 100;
  for (int i = 0; i < kAsks; ++i) {
    const Bytes heard = Talk(bus, kScanAsk);
    if (heard.size() == 14 && FindReplyFrame(heard)) ++clean;
  }
  // The earliest of eight delays is shared in about 23 % of asks.
  EXPECT_GE(clean, 60);
  EXPECT_LT(clean, kAsks);
}

}  // namespace
}  // namespace dsp::test
