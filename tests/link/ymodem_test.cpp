#include "link/ymodem.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>

#include "../support/fifo_rescue.h"
#include "../support/temp_dir.h"
#include "link/frame.h"
#include "link/utf8_path.h"

namespace dsp {
namespace {

using testing::TempDir;

// A receiver in memory: it answers each packet the sender writes with scripted
// batches, one batch per read, and notes the progress at every data block.
class FakeReceiver : public PortIo {
 public:
  explicit FakeReceiver(const Ymodem& sender) : sender_(&sender) {}

  std::vector<Bytes> on_start{{kCrcRequest}};
  std::vector<Bytes> on_header{{kAck}, {kCrcRequest}};
  std::vector<Bytes> on_block{{kAck}};
  std::map<std::size_t, std::vector<Bytes>> on_data_block;  // by data block number, 1 first
  std::vector<Bytes> on_eot{{kAck}};
  std::size_t short_write_at = SIZE_MAX;  // index of the write that comes up short

  std::vector<Bytes> writes;
  std::vector<std::uint32_t> blocks_taken_at_block;

  std::size_t Write(ByteView bytes) override {
    writes.emplace_back(bytes.begin(), bytes.end());
    if (writes.size() - 1 == short_write_at) return bytes.size() - 1;
    const std::vector<Bytes>* answer = &on_block;
    if (bytes.size() == 6 && bytes[0] == kFrameHeader) answer = &on_start;
    if (bytes[0] == kSoh) answer = &on_header;
    if (bytes[0] == kEot) answer = &on_eot;
    if (bytes[0] == kStx) {
      blocks_taken_at_block.push_back(sender_->BlocksTaken());
      if (auto found = on_data_block.find(blocks_taken_at_block.size()); found != on_data_block.end()) {
        answer = &found->second;
      }
    }
    reads_.insert(reads_.end(), answer->begin(), answer->end());
    return bytes.size();
  }

  std::size_t Read(std::span<std::uint8_t> into) override {
    ++read_count;
    if (reads_.empty()) return 0;
    const Bytes batch = reads_.front();
    reads_.pop_front();
    std::copy(batch.begin(), batch.end(), into.begin());
    return batch.size();
  }

  std::vector<Bytes> DataBlocks() const {
    std::vector<Bytes> blocks;
    for (const Bytes& w : writes) {
      if (w[0] == kStx) blocks.push_back(w);
    }
    return blocks;
  }

  int read_count = 0;

 private:
  const Ymodem* sender_;
  std::deque<Bytes> reads_;
};

class CountingSleeper : public Sleeper {
 public:
  int total_ms = 0;
  void SleepMs(int ms) override { total_ms += ms; }
};

struct YmodemSend : ::testing::Test {
  TempDir dir;
  Ymodem sender{20};
  FakeReceiver receiver{sender};
  CountingSleeper sleeper;

  // `name` is UTF-8 on every system.
  void Load(const std::string& name, const Bytes& content) {
    const std::string path = Utf8Text(dir.path() / Utf8Path(name));
    std::ofstream(Utf8Path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    ASSERT_TRUE(sender.OpenFile(path));
  }
  int Send() { return sender.Send(7, TransferMode::kFirmware, receiver, sleeper); }
};

TEST_F(YmodemSend, TwoBlockFileGoesOutInOrderWithProgressPerBlock) {
  const Bytes content = testing::PatternBytes(2048);
  // The name goes out in block 0 as the UTF-8 it is.
  const std::string name = "固件 v2 é.bin";
  Load(name, content);
  EXPECT_EQ(sender.FileName(), name);
  EXPECT_EQ(sender.FileSize(), 2048u);
  ASSERT_EQ(Send(), kTransferDone);

  EXPECT_EQ(receiver.writes,
            (std::vector<Bytes>{StartFrame(7, TransferMode::kFirmware), HeaderBlock(name, 2048),
                                DataBlock(1, ByteView(content).first(1024)),
                                DataBlock(2, ByteView(content).subspan(1024)), Bytes{kEot}}));
  // Half done while block 1 is in flight, all done from block 2 on.
  EXPECT_EQ(receiver.blocks_taken_at_block, (std::vector<std::uint32_t>{1, 2}));
  // Six waits, each answered in its first round; what follows a "C" or a
  // data block's ACK goes out a moment later.
  EXPECT_EQ(sleeper.total_ms, kStartPauseMs + 6 * kByteWaitRoundMs + 2 * kAskSettleMs + 2 * kAckSettleMs);
}

TEST_F(YmodemSend, BlockNumbersWrapAndTheDataArrivesWhole) {
  const Bytes content = testing::PatternBytes(300 * 1024 + 1);
  Load("big.bin", content);
  ASSERT_EQ(Send(), kTransferDone);
  const std::vector<Bytes> blocks = receiver.DataBlocks();
  ASSERT_EQ(blocks.size(), 301u);
  Bytes joined;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    ASSERT_EQ(blocks[i][1], (i + 1) % 256) << "block " << i;
    joined.insert(joined.end(), blocks[i].begin() + 3, blocks[i].end() - 2);
  }
  EXPECT_EQ((Bytes{blocks[254][1], blocks[255][1], blocks[256][1]}), (Bytes{255, 0, 1}));
  EXPECT_TRUE(std::equal(content.begin(), content.end(), joined.begin()));
  EXPECT_TRUE(std::all_of(joined.begin() + content.size(), joined.end(), [](auto b) { return b == kBlockFill; }));
}

TEST_F(YmodemSend, OneByteFile) {
  Load("one.bin", Bytes{0x33});
  ASSERT_EQ(Send(), kTransferDone);
  ASSERT_EQ(receiver.DataBlocks().size(), 1u);
  EXPECT_EQ(receiver.DataBlocks()[0], DataBlock(1, Bytes{0x33}));
}

TEST_F(YmodemSend, AckAndCrcRequestInOneReadBothCount) {
  Load("fw.bin", testing::PatternBytes(10));
  receiver.on_header = {{kAck, kCrcRequest}};
  receiver.on_start = {{0x15, 0x43, 0x43}};
  EXPECT_EQ(Send(), kTransferDone);
}

// A repeated ACK, or one with chatter, in the same read as a block's ACK
// must not answer for the next block: a block the loader refused would
// otherwise end in success.
TEST_F(YmodemSend, BytesAfterADataBlocksAckAreNotCreditedToTheNext) {
  Load("fw.bin", testing::PatternBytes(3000));
  receiver.on_data_block[1] = {{kAck, kAck, kCrcRequest}};
  receiver.on_data_block[2] = {{kNak}};
  EXPECT_EQ(Send(), kTransferNoAck);
  EXPECT_EQ(receiver.DataBlocks().size(), 2u);

  receiver = FakeReceiver(sender);
  receiver.on_data_block[3] = {{0x00, kAck, kAck}};
  receiver.on_eot = {{kNak}};
  EXPECT_EQ(Send(), kTransferNoAck) << "the EOT was refused";
}

TEST_F(YmodemSend, EachSilenceHasItsCode) {
  Load("fw.bin", testing::PatternBytes(10));
  receiver.on_start = {};
  EXPECT_EQ(Send(), kTransferNoCrcRequest);
  EXPECT_EQ(receiver.read_count, 20);
  EXPECT_EQ(sleeper.total_ms, kStartPauseMs + 20 * kByteWaitRoundMs);

  const std::tuple<std::vector<Bytes> FakeReceiver::*, Bytes, int> later_answers[] = {
      {&FakeReceiver::on_header, {kAck}, kTransferNoCrcRequest},
      {&FakeReceiver::on_header, {kCrcRequest}, kTransferNoAck},
      {&FakeReceiver::on_eot, {kNak}, kTransferNoAck}};
  for (const auto& [answers_to, answer, code] : later_answers) {
    receiver = FakeReceiver(sender);
    receiver.*answers_to = {answer};
    EXPECT_EQ(Send(), code) << "answered " << ::testing::PrintToString(answer);
  }
}

TEST_F(YmodemSend, ShortWritesHaveTheirCodes) {
  Load("fw.bin", testing::PatternBytes(10));
  const std::pair<std::size_t, int> cases[] = {
      {0, kTransferStartShort}, {1, kTransferBlockShort}, {2, kTransferBlockShort}, {3, kTransferEotShort}};
  for (const auto& [write, code] : cases) {
    receiver = FakeReceiver(sender);
    receiver.short_write_at = write;
    EXPECT_EQ(Send(), code) << "short write #" << write;
    EXPECT_EQ(receiver.writes.size(), write + 1);
  }
}

TEST_F(YmodemSend, FilesThatCannotBeSent) {
  EXPECT_FALSE(sender.OpenFile((dir.path() / "missing.bin").string()));
  EXPECT_FALSE(sender.OpenFile(dir.path().string()));
  const std::string fifo = test::MakeFifo((dir.path() / "fifo.bin").string());
  EXPECT_TRUE(test::ReturnsWithoutBlocking(fifo, [&] { EXPECT_FALSE(sender.OpenFile(fifo)); }));
  // An empty image would go out whole and be reported as a success.
  EXPECT_FALSE(sender.OpenFile(dir.Write("empty.bin", Bytes{})));
  EXPECT_EQ(Send(), kTransferFileError);
  EXPECT_TRUE(receiver.writes.empty());

  // A file cut short after it was opened: its missing tail is not made up.
  const std::string path = dir.Write("shrinks.bin", testing::PatternBytes(5000));
  ASSERT_TRUE(sender.OpenFile(path));
  std::filesystem::resize_file(path, 1500);
  EXPECT_EQ(Send(), kTransferFileError);
  EXPECT_EQ(receiver.DataBlocks().size(), 1u);
}

TEST_F(YmodemSend, ReadOnlyFileIsSentAndCloseForgetsIt) {
  const std::string path = dir.Write("locked.bin", testing::PatternBytes(100));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  ASSERT_TRUE(sender.OpenFile(path));
  EXPECT_EQ(Send(), kTransferDone);
  sender.CloseFile();
  EXPECT_EQ(std::make_tuple(sender.FileName(), sender.FileSize(), sender.BlocksTaken()),
            std::make_tuple(std::string(), 0u, 0u));
  EXPECT_EQ(Send(), kTransferFileError);
}

}  // namespace
}  // namespace dsp
