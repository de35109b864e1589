// The YMODEM sender against a peer that answers with arbitrary bytes: each
// read takes the next piece of the input. Whatever arrives, a data block or
// the EOT is never taken for acknowledged by bytes that came before it went
// out.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "link/ymodem.h"

namespace {

using namespace dsp;

class FuzzPeer : public PortIo {
 public:
  FuzzPeer(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t Write(ByteView bytes) override {
    // The packet before this one was a data block: its ACK must have come
    // after it went out.
    if (awaiting_block_ack_ && acks_since_write_ == 0) __builtin_trap();
    awaiting_block_ack_ = bytes.size() == kDataPacketSize || (bytes.size() == 1 && bytes[0] == kEot);
    acks_since_write_ = 0;
    return bytes.size();
  }

  std::size_t Read(std::span<std::uint8_t> into) override {
    if (at_ >= size_) return 0;
    const std::size_t length =
        std::min<std::size_t>({static_cast<std::size_t>(data_[at_++] % 8), size_ - at_, into.size()});
    for (std::size_t i = 0; i < length; ++i) {
      into[i] = data_[at_ + i];
      if (into[i] == kAck) ++acks_since_write_;
    }
    at_ += length;
    return length;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  bool awaiting_block_ack_ = false;
  int acks_since_write_ = 0;
};

class NoSleep : public Sleeper {
 public:
  void SleepMs(int) override {}
};

// A 3000-byte image: three data blocks.
const std::string& ImagePath() {
  static const std::string path = [] {
    std::string name = "/tmp/ymodem_fuzz_XXXXXX";
    const int fd = mkstemp(name.data());
    const std::string content(3000, 'x');
    if (fd < 0 || write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) std::abort();
    close(fd);
    return name;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Ymodem sender(8);
  if (!sender.OpenFile(ImagePath())) std::abort();
  FuzzPeer peer(data, size);
  NoSleep sleeper;
  const int result = sender.Send(1, TransferMode::kFirmware, peer, sleeper);
  if (result != kTransferDone && result != kTransferNoCrcRequest && result != kTransferNoAck) __builtin_trap();
  return 0;
}
