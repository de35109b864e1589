#include "link/uart.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "frame_responder.h"
#include "link/exchange.h"
#include "link/frame.h"
#include "pty_peer.h"
#include "temp_dir.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using test::FrameResponder;
using test::Pty;
using test::ScriptedPeer;
using test::SplitFrames;
using test::WaitUntil;

std::vector<Bytes> Drain(CUart& link) {
  std::vector<Bytes> replies;
  while (auto reply = link.PopReply()) replies.push_back(*reply);
  return replies;
}

// A link open on a pseudo-terminal whose master a scripted peer answers.
struct LinkOnPty : ::testing::Test {
  Pty pty;
  FrameResponder responder;
  CUart link;
  std::optional<ScriptedPeer> peer;

  void SetUp() override { ASSERT_TRUE(link.Open(pty.SlavePath())) << link.OpenError(); }
  void StartPeer() { peer.emplace(pty, responder); }
  std::vector<Bytes> FramesAtPeer() { return SplitFrames(peer->Received()); }
  // Waits until the link has nothing queued and the last exchange is over.
  void Settle() {
    ASSERT_TRUE(WaitUntil([&] { return link.IsSendQueueEmpty(); }));
    std::this_thread::sleep_for(400ms);
  }
};

TEST_F(LinkOnPty, WriteGoesOutOnceAndItsAnswerIsOnlyTraced) {
  const Bytes write = BuildFrame(kKindWrite, 2, 0x1A, Bytes{0, 1, 0, 0});
  const Bytes lookalike = BuildFrame(kKindReply, 2, 0x1A, Bytes{0});
  responder.answer = [lookalike](const Bytes&) { return lookalike; };
  link.SetHexTrace(true);
  StartPeer();
  link.Send(write);
  Settle();
  EXPECT_EQ(FramesAtPeer(), std::vector<Bytes>{write});
  EXPECT_TRUE(Drain(link).empty());
  EXPECT_EQ(link.TakeTrace(), "A5 07 F8 02 1A 00 1B \n");
}

TEST_F(LinkOnPty, AnsweredRequestYieldsItsReplyOnce) {
  const Bytes request = BuildFrame(kKindRequest, 4, 0x85, Bytes{1, 1});
  const Bytes reply = BuildFrame(kKindReply, 4, 0x85, Bytes{1, 0, 1});
  responder.answer = [reply](const Bytes&) {
    Bytes noisy{0x00};
    noisy.insert(noisy.end(), reply.begin(), reply.end());
    return noisy;
  };
  StartPeer();
  link.Send(request);
  std::optional<Bytes> got;
  ASSERT_TRUE(WaitUntil([&] { return (got = link.PopReply()).has_value(); }));
  EXPECT_EQ(*got, reply);
  Settle();
  EXPECT_EQ(FramesAtPeer(), std::vector<Bytes>{request});
  EXPECT_TRUE(Drain(link).empty());
}

TEST_F(LinkOnPty, UnansweredRequestIsWrittenTwiceAfterItsWaits) {
  const Bytes request = BuildFrame(kKindRequest, 4, 0x85, Bytes{1, 1});
  std::vector<std::chrono::steady_clock::time_point> arrivals;
  responder.answer = [&](const Bytes&) {
    arrivals.push_back(std::chrono::steady_clock::now());
    return Bytes{};
  };
  StartPeer();
  link.Send(request);
  Settle();
  EXPECT_EQ(FramesAtPeer(), (std::vector<Bytes>{request, request}));
  peer.reset();
  ASSERT_EQ(arrivals.size(), 2u);
  EXPECT_GE(arrivals[1] - arrivals[0], 100ms + 25ms - 5ms);
  EXPECT_TRUE(Drain(link).empty());
}

TEST_F(LinkOnPty, NoiseAfterScanBroadcastGivesACollisionMarkerPerAttempt) {
  const Bytes ask = BuildFrame(kKindDiscovery, 0, 0xE1);
  responder.answer = [](const Bytes&) { return Bytes{0x12, 0xA5, 0x34}; };
  StartPeer();
  link.Send(ask);
  Settle();
  EXPECT_EQ(FramesAtPeer(), (std::vector<Bytes>{ask, ask}));
  EXPECT_EQ(Drain(link), (std::vector<Bytes>{CollisionMarker(), CollisionMarker()}));
}

TEST_F(LinkOnPty, SilentLevelPollGivesTheOfflineMarker) {
  StartPeer();
  link.Send(BuildFrame(kKindRequest, 9, 0xD0, Bytes{0}));
  Settle();
  const std::vector<Bytes> replies = Drain(link);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0], OfflineMarker(9));
  for (int i = 5; i <= 8; ++i) EXPECT_EQ(replies[0][i], 0xFF);
}

TEST_F(LinkOnPty, FrameQueuedThriceWhileBusyGoesOutOnce) {
  const Bytes busy = BuildFrame(kKindRequest, 1, 0x85, Bytes{0, 0});
  const Bytes write = BuildFrame(kKindWrite, 1, 0x1B, Bytes{0, 3});
  Bytes other_sum = write;
  other_sum.back() ^= 0xFF;
  std::atomic<bool> busy_seen{false};
  responder.answer = [&busy_seen, busy](const Bytes& frame) {
    if (frame == busy) busy_seen = true;
    return Bytes{};
  };
  StartPeer();
  link.Send(busy);
  ASSERT_TRUE(WaitUntil([&] { return busy_seen.load(); }));
  for (int i = 0; i < 3; ++i) link.Send(write);
  link.Send(other_sum);
  Settle();
  EXPECT_EQ(FramesAtPeer(), (std::vector<Bytes>{busy, busy, write, other_sum}));
  peer.reset();  // it still refers to busy_seen
}

TEST_F(LinkOnPty, FramesWaitWhileATransferOwnsThePort) {
  test::TempDir dir;
  CUart quick_link(30);
  link.Close();
  ASSERT_TRUE(quick_link.Open(pty.SlavePath())) << quick_link.OpenError();
  StartPeer();
  ASSERT_TRUE(quick_link.StartTransfer(dir.WriteFile("fw.bin", Bytes(10, 1)), 5, TransferMode::kFirmware));
  ASSERT_TRUE(WaitUntil([&] { return quick_link.IsTransferring(); }));
  const Bytes write = BuildFrame(kKindWrite, 5, 0x1C, Bytes{2});
  const Bytes request = BuildFrame(kKindRequest, 5, 0x85, Bytes{2, 2});
  quick_link.Send(write);
  quick_link.Send(request);
  for (;;) {
    const std::vector<Bytes> frames = FramesAtPeer();
    if (!quick_link.Progress().pending) break;
    EXPECT_EQ(frames, std::vector<Bytes>{StartFrame(5, TransferMode::kFirmware)});
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_EQ(quick_link.Progress().result, kTransferNoCrcRequest);
  ASSERT_TRUE(WaitUntil([&] { return FramesAtPeer().size() == 4; }));
  EXPECT_EQ(FramesAtPeer(), (std::vector<Bytes>{StartFrame(5, TransferMode::kFirmware), write, request, request}));
}

TEST_F(LinkOnPty, OpeningAnOpenLinkFailsAndLeavesItOpen) {
  Pty other;
  EXPECT_FALSE(link.Open(other.SlavePath()));
  EXPECT_FALSE(link.OpenError().empty());
  EXPECT_TRUE(link.IsOpen());
  EXPECT_EQ(link.PortName(), pty.SlavePath());
  StartPeer();
  const Bytes write = BuildFrame(kKindWrite, 1, 0x1D, Bytes{1});
  link.Send(write);
  ASSERT_TRUE(WaitUntil([&] { return FramesAtPeer() == std::vector<Bytes>{write}; }));
}

TEST_F(LinkOnPty, FramesSentWhileClosedAreDroppedAndReopeningWorks) {
  link.Close();
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(link.PortName(), "");
  StartPeer();
  link.Send(BuildFrame(kKindWrite, 1, 0x1D, Bytes{1}));
  ASSERT_TRUE(WaitUntil([&] { return link.IsSendQueueEmpty(); }));
  ASSERT_TRUE(link.Open(pty.SlavePath())) << link.OpenError();
  const Bytes after = BuildFrame(kKindWrite, 1, 0x1D, Bytes{2});
  link.Send(after);
  Settle();
  EXPECT_EQ(FramesAtPeer(), std::vector<Bytes>{after});
}

TEST_F(LinkOnPty, UnaskedBytesAreTracedAsTextUpToTheNul) {
  const Bytes chatter{'b', 'o', 'o', 't', 0x00, 'x'};
  pty.Write(chatter);
  ASSERT_TRUE(WaitUntil([&] { return link.TakeTrace() == "boot"; }));
  link.SetHexTrace(true);
  pty.Write(Bytes{0x0D, 0x0A});
  ASSERT_TRUE(WaitUntil([&] { return link.TakeTrace() == "0D 0A \n"; }));
}

TEST(LinkHangUp, PeerVanishingMidExchangeNeitherCrashesNorHangs) {
  Pty pty;
  auto link = std::make_unique<CUart>();
  ASSERT_TRUE(link->Open(pty.SlavePath()));
  link->Send(BuildFrame(kKindRequest, 3, 0x85, Bytes{0, 0}));
  pollfd waiting{pty.Master(), POLLIN, 0};
  ASSERT_EQ(poll(&waiting, 1, 2000), 1) << "the request never came";
  pty.HangUp();
  for (std::uint8_t i = 0; i < 5; ++i) link->Send(BuildFrame(kKindRequest, 3, 0xD0, Bytes{i}));
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(link->IsOpen());
  const auto start = std::chrono::steady_clock::now();
  link.reset();
  // A hang would show as a stuck test; this catches a destructor that waits
  // out every queued exchange.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST(LinkOpen, MissingPathAndNonTtyAreRefusedWithAReason) {
  test::TempDir dir;
  CUart link;
  EXPECT_FALSE(link.Open((dir.Path() / "ttyUSB0").string()));
  EXPECT_NE(link.OpenError().find("does not exist"), std::string::npos) << link.OpenError();
  EXPECT_FALSE(link.Open(dir.WriteFile("ttyS0", Bytes{0})));
  EXPECT_NE(link.OpenError().find("is not a serial port"), std::string::npos) << link.OpenError();
  EXPECT_FALSE(link.IsOpen());
}

}  // namespace
}  // namespace dsp
