#include "link/uart.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "../support/temp_dir.h"
#include "frame_responder.h"
#include "link/exchange.h"
#include "link/frame.h"
#include "link/serial_port.h"
#include "pty_peer.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using test::FrameResponder;
using test::Pty;
using test::ScriptedPeer;
using test::SplitFrames;
using test::WaitUntil;

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

// A request's answer is handed over once; what answers a write is only traced.
TEST_F(LinkOnPty, ARequestsAnswerIsHandedOverOnceAWritesOnlyTraced) {
  const Bytes request = BuildFrame(kKindRequest, 4, 0x85, Bytes{1, 1});
  const Bytes reply = BuildFrame(kKindReply, 4, 0x85, Bytes{1, 0, 1});
  const Bytes write = BuildFrame(kKindWrite, 2, 0x1A, Bytes{0, 1, 0, 0});
  const Bytes lookalike = BuildFrame(kKindReply, 2, 0x1A, Bytes{0});
  Bytes noisy = reply;
  noisy.insert(noisy.begin(), 0x00);
  responder.answer = [=](const Bytes& frame) { return frame == write ? lookalike : noisy; };
  link.SetHexTrace(true);
  StartPeer();
  link.Send(request);
  std::optional<Bytes> got;
  ASSERT_TRUE(WaitUntil([&] { return (got = link.PopReply()).has_value(); }));
  EXPECT_EQ(*got, reply);
  Settle();
  link.TakeTrace();
  link.Send(write);
  Settle();
  EXPECT_EQ(FramesAtPeer(), (std::vector<Bytes>{request, write}));
  EXPECT_FALSE(link.PopReply());
  EXPECT_EQ(link.TakeTrace(), "A5 07 F8 02 1A 00 1B \n");
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
  testing::TempDir dir;
  CUart quick_link(30);
  link.Close();
  ASSERT_TRUE(quick_link.Open(pty.SlavePath())) << quick_link.OpenError();
  StartPeer();
  ASSERT_TRUE(quick_link.StartTransfer(dir.Write("fw.bin", Bytes(10, 1)), 5, TransferMode::kFirmware));
  ASSERT_TRUE(WaitUntil([&] { return quick_link.IsTransferring(); }));
  const Bytes write = BuildFrame(kKindWrite, 5, 0x1C, Bytes{2});
  const Bytes request = BuildFrame(kKindRequest, 5, 0x85, Bytes{2, 2});
  quick_link.Send(write);
  quick_link.Send(request);
  // The start frame may still be on its way to the peer when the transfer
  // begins; what must never be seen there is a queued frame before it ends.
  const std::vector<Bytes> start_only{StartFrame(5, TransferMode::kFirmware)};
  for (;;) {
    const std::vector<Bytes> frames = FramesAtPeer();
    if (!quick_link.Progress().pending) break;
    if (!frames.empty()) {
      EXPECT_EQ(frames, start_only);
    }
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_EQ(quick_link.Progress().result, kTransferNoCrcRequest);
  ASSERT_TRUE(WaitUntil([&] { return FramesAtPeer().size() == 4; }));
  EXPECT_EQ(FramesAtPeer(), (std::vector<Bytes>{StartFrame(5, TransferMode::kFirmware), write, request, request}));
}

// Opening an open link fails and leaves it open; frames sent while it is
// closed are dropped and counted, and it opens again.
TEST_F(LinkOnPty, OpeningAnOpenLinkFailsAndAClosedOneDropsItsFrames) {
  Pty other;
  EXPECT_FALSE(link.Open(other.SlavePath()));
  EXPECT_FALSE(link.OpenError().empty());
  EXPECT_EQ(std::make_pair(link.IsOpen(), link.PortName()), std::make_pair(true, pty.SlavePath()));
  link.Close();
  EXPECT_EQ(std::make_pair(link.IsOpen(), link.PortName()), std::make_pair(false, std::string()));
  StartPeer();
  link.Send(BuildFrame(kKindWrite, 1, 0x1D, Bytes{1}));
  ASSERT_TRUE(WaitUntil([&] { return link.IsSendQueueEmpty(); }));
  EXPECT_EQ(link.UnsentFrames(), 1u);
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

// An adapter pulled out mid-exchange: the link closes the port and reports
// the loss once, frames sent after it count as unsent, and nothing hangs.
TEST(LinkHangUp, VanishedDeviceIsClosedReportedAndItsFramesCountedUnsent) {
  Pty pty;
  auto link = std::make_unique<CUart>();
  ASSERT_TRUE(link->Open(pty.SlavePath()));
  link->Send(BuildFrame(kKindRequest, 3, 0x85, Bytes{0, 0}));
  pollfd waiting{pty.Master(), POLLIN, 0};
  ASSERT_EQ(poll(&waiting, 1, 2000), 1) << "the request never came";
  pty.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsOpen(); }));
  const std::optional<PortLoss> loss = link->TakePortLoss();
  ASSERT_TRUE(loss);
  EXPECT_EQ(loss->path, pty.SlavePath());
  EXPECT_FALSE(link->TakePortLoss());
  const std::uint64_t unsent = link->UnsentFrames();
  for (std::uint8_t i = 0; i < 5; ++i) link->Send(BuildFrame(kKindRequest, 3, 0xD0, Bytes{i}));
  ASSERT_TRUE(WaitUntil([&] { return link->IsSendQueueEmpty(); }));
  EXPECT_EQ(link->UnsentFrames(), unsent + 5);
  const auto start = std::chrono::steady_clock::now();
  link.reset();
  // A hang would show as a stuck test; this catches a destructor that waits
  // out every queued exchange.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

// Once a transfer is asked for, the loader must see its start frame first:
// a frame queued right after the request waits for the transfer. (The
// worker wakes at any moment of its idle pause; it used to win the race
// against the transfer thread's look at the request about one time in four.)
TEST(LinkTransfer, NothingQueuedGoesOutBetweenTheRequestAndTheStartFrame) {
  testing::TempDir dir;
  const std::string file = dir.Write("fw.bin", Bytes(10, 1));
  const Bytes write = BuildFrame(kKindWrite, 5, 0x1C, Bytes{2});
  for (int round = 0; round < 10; ++round) {
    Pty pty;
    FrameResponder silent;
    ScriptedPeer peer(pty, silent);
    CUart link(1);
    ASSERT_TRUE(link.Open(pty.SlavePath())) << link.OpenError();
    std::this_thread::sleep_for(std::chrono::milliseconds(7 * round));
    ASSERT_TRUE(link.StartTransfer(file, 5, TransferMode::kFirmware));
    link.Send(write);
    ASSERT_TRUE(WaitUntil([&] { return SplitFrames(peer.Received()).size() == 2; }));
    EXPECT_EQ(SplitFrames(peer.Received()), (std::vector<Bytes>{StartFrame(5, TransferMode::kFirmware), write}))
        << "round " << round;
  }
}

// A serial port that, once a request has been written, holds every read
// until the test lets it go: the exchange stays in its wait for the answer.
class HeldPort : public CSerialPort {
 public:
  std::size_t Write(ByteView bytes) override {
    const std::size_t written = CSerialPort::Write(bytes);
    std::lock_guard lock(mutex_);
    written_ = true;
    return written;
  }
  std::size_t Read(std::span<std::uint8_t> into) override {
    std::unique_lock lock(mutex_);
    if (written_ && !released_) {
      holding_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return released_; });
    }
    lock.unlock();
    return CSerialPort::Read(into);
  }
  bool WaitUntilHolding() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 10s, [this] { return holding_; });
  }
  void Release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool written_ = false;
  bool holding_ = false;
  bool released_ = false;
};

// The window calls these on its own thread for every edit and every level
// tick: none of them may wait while an exchange awaits its answer.
TEST(LinkCalls, ReturnWhileAnExchangeAwaitsItsAnswer) {
  Pty pty;
  auto owned = std::make_unique<HeldPort>();
  HeldPort& port = *owned;
  CUart link(std::move(owned));
  ASSERT_TRUE(link.Open(pty.SlavePath())) << link.OpenError();
  link.Send(BuildFrame(kKindRequest, 3, 0x85, Bytes{0, 0}));
  ASSERT_TRUE(port.WaitUntilHolding()) << "the exchange never began";

  const Bytes write = BuildFrame(kKindWrite, 3, 0x1A, Bytes{1, 0});
  std::atomic<bool> returned{false};
  bool queue_empty = true;
  std::optional<Bytes> reply;
  std::thread caller([&] {
    link.Send(write);
    queue_empty = link.IsSendQueueEmpty();
    reply = link.PopReply();
    returned = true;
  });
  // Generous: only a call that waits for the held exchange misses it.
  const bool returned_while_held = WaitUntil([&] { return returned.load(); }, 10s);
  port.Release();
  caller.join();
  EXPECT_TRUE(returned_while_held);
  EXPECT_FALSE(queue_empty);
  EXPECT_FALSE(reply);
  // The write waited its turn and went out after the exchange.
  ASSERT_TRUE(WaitUntil([&] { return link.IsSendQueueEmpty(); }));
  EXPECT_EQ(link.UnsentFrames(), 0u);
}

TEST(LinkOpen, MissingPathAndNonTtyAreRefusedWithAReason) {
  testing::TempDir dir;
  CUart link;
  EXPECT_FALSE(link.Open((dir.path() / "ttyUSB0").string()));
  EXPECT_NE(link.OpenError().find("does not exist"), std::string::npos) << link.OpenError();
  EXPECT_FALSE(link.Open(dir.Write("ttyS0", Bytes{0})));
  EXPECT_NE(link.OpenError().find("is not a serial port"), std::string::npos) << link.OpenError();
  EXPECT_FALSE(link.IsOpen());
}

}  // namespace
}  // namespace dsp
