#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "../support/temp_dir.h"
#include "frame_responder.h"
#include "link/frame.h"
#include "link/uart.h"
#include "pty_peer.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using test::Pty;
using test::ScriptedPeer;
using test::WaitUntil;
using testing::TempDir;

// The size of the packet the link's bytes start with: the start frame, block
// 0, a data block or the EOT.
std::size_t PacketSize(ByteView bytes) {
  switch (bytes[0]) {
    case kFrameHeader:
      return bytes.size() > 1 ? bytes[1] : SIZE_MAX;
    case kSoh:
      return kHeaderBlockSize;
    case kStx:
      return kDataPacketSize;
    default:
      return 1;
  }
}

// Copies bytes both ways between the masters of two pseudo-terminals: rb on
// the first slave and the link on the second talk as over a cable. rb gives
// up on a block with a gap of 100 ms inside, and a test process slowed down by
// sanitizers could open one between two reads here, so rb gets whole packets.
class PtyBridge {
 public:
  PtyBridge(Pty& rb, Pty& link) : rb_(rb), link_(link), thread_(&PtyBridge::Run, this) {}
  ~PtyBridge() {
    running_ = false;
    thread_.join();
  }

 private:
  void Run() {
    while (running_) {
      pollfd ends[2] = {{rb_.Master(), POLLIN, 0}, {link_.Master(), POLLIN, 0}};
      if (poll(ends, 2, 5) <= 0) continue;
      if (ends[0].revents & POLLIN) FromRb();
      if (ends[1].revents & POLLIN) FromLink();
      PassWholePackets();
    }
  }

  void FromRb() {
    std::uint8_t buffer[512];
    const ssize_t n = ::read(rb_.Master(), buffer, sizeof buffer);
    if (n > 0) link_.Write(ByteView(buffer, static_cast<std::size_t>(n)));
  }

  void FromLink() {
    std::uint8_t buffer[4096];
    const ssize_t n = ::read(link_.Master(), buffer, sizeof buffer);
    if (n > 0) to_rb_.insert(to_rb_.end(), buffer, buffer + n);
  }

  void PassWholePackets() {
    for (std::size_t size; !to_rb_.empty() && (size = PacketSize(to_rb_)) <= to_rb_.size();) {
      rb_.Write(ByteView(to_rb_).first(size));
      to_rb_.erase(to_rb_.begin(), to_rb_.begin() + static_cast<std::ptrdiff_t>(size));
    }
  }

  Pty& rb_;
  Pty& link_;
  Bytes to_rb_;
  std::atomic<bool> running_{true};
  std::thread thread_;
};

// lrzsz's YMODEM receiver, run in `folder` with its terminal on `tty`; what
// it says goes to `log`.
class Receiver {
 public:
  Receiver(int tty, const std::filesystem::path& folder, const std::filesystem::path& log) {
    pid_ = fork();
    if (pid_ != 0) return;
    if (chdir(folder.c_str()) != 0) _exit(126);
    dup2(tty, STDIN_FILENO);
    dup2(tty, STDOUT_FILENO);
    const int quiet = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    dup2(quiet, STDERR_FILENO);
    close_range(3, ~0U, 0);
    execlp("rb", "rb", "--ymodem", "--binary", "-vvv", nullptr);
    _exit(127);
  }
  // It waits for a next file that never comes.
  ~Receiver() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_ = -1;
};

struct TransferToRb : ::testing::TestWithParam<std::size_t> {};

TEST_P(TransferToRb, FileArrivesWholeUnderItsOwnName) {
  ASSERT_EQ(std::system("command -v rb > /dev/null"), 0) << "rb is missing: scripts/test installs it with lrzsz";
  const std::size_t size = GetParam();
  const Bytes content = testing::PatternBytes(size);
  TempDir outbox;
  TempDir inbox;
  const std::string name = "image_" + std::to_string(size) + ".bin";
  const std::string path = outbox.Write(name, content);

  Pty rb_side;
  Pty link_side;
  PtyBridge bridge(rb_side, link_side);
  CUart link;
  ASSERT_TRUE(link.Open(link_side.SlavePath())) << link.OpenError();
  Receiver receiver(rb_side.Slave(), inbox.path(), outbox.path() / "rb.log");

  ASSERT_TRUE(link.StartTransfer(path, 1, TransferMode::kFirmware));
  std::uint32_t most_blocks = 0;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const TransferProgress progress = link.Progress();
        if (progress.pending) {
          EXPECT_EQ(progress.size, size);
          most_blocks = std::max(most_blocks, progress.blocks_taken);
        }
        return !progress.pending;
      },
      120s));
  const TransferProgress done = link.Progress();
  EXPECT_EQ(std::make_tuple(done.result, done.blocks_taken, done.size), std::make_tuple(kTransferDone, 0u, 0u));
  EXPECT_LE(most_blocks, (size + 1023) / 1024);
  EXPECT_EQ(testing::ReadBytes((inbox.path() / name).string()), content);
}

INSTANTIATE_TEST_SUITE_P(Sizes, TransferToRb, ::testing::Values(1, 2048, 300 * 1024));

struct TransferToScriptedPeer : ::testing::Test {
  TempDir outbox;
  Pty pty;
  CUart link{30};  // a silent peer costs 0.3 s a wait instead of 15 s

  void SetUp() override { ASSERT_TRUE(link.Open(pty.SlavePath())) << link.OpenError(); }
  int AwaitResult() {
    EXPECT_TRUE(WaitUntil([&] { return !link.Progress().pending; }, 20s));
    return link.Progress().result;
  }
};

TEST_F(TransferToScriptedPeer, SilentLoaderTimesOutAfterTheStartFrame) {
  test::FrameResponder silent;
  ScriptedPeer peer(pty, silent);
  ASSERT_TRUE(link.StartTransfer(outbox.Write("fw.bin", testing::PatternBytes(10)), 2, TransferMode::kFirmware));
  EXPECT_TRUE(link.Progress().pending);
  EXPECT_FALSE(link.StartTransfer(outbox.Write("other.bin", testing::PatternBytes(10)), 3, TransferMode::kFirmware))
      << "a second transfer must wait for the first";
  EXPECT_EQ(AwaitResult(), kTransferNoCrcRequest);
  EXPECT_EQ(peer.Received(), StartFrame(2, TransferMode::kFirmware));
  // The link goes back to ordinary exchanges.
  const Bytes write = BuildFrame(kKindWrite, 2, 0x1A, Bytes{1});
  link.Send(write);
  EXPECT_TRUE(WaitUntil([&] { return peer.Received().size() == 6 + write.size(); }));
}

TEST_F(TransferToScriptedPeer, UnopenableFileLeavesNothingPending) {
  test::FrameResponder silent;
  ScriptedPeer peer(pty, silent);
  EXPECT_FALSE(link.StartTransfer((outbox.path() / "missing.bin").string(), 2, TransferMode::kFirmware));
  const TransferProgress progress = link.Progress();
  EXPECT_FALSE(progress.pending);
  EXPECT_EQ(progress.result, kTransferFileError);
  std::this_thread::sleep_for(200ms);
  EXPECT_TRUE(peer.Received().empty());
}

TEST_F(TransferToScriptedPeer, ClosedPortFailsAtOnceInsteadOfWaitingForever) {
  link.Close();
  ASSERT_TRUE(link.StartTransfer(outbox.Write("fw.bin", testing::PatternBytes(10)), 2, TransferMode::kFirmware));
  EXPECT_EQ(AwaitResult(), kTransferStartShort);
}

}  // namespace
}  // namespace dsp
