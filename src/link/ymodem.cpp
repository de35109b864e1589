#include "link/ymodem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <limits>

#include "link/system_files.h"
#include "link/utf8_path.h"

namespace dsp {

Ymodem::Ymodem(int wait_rounds) : wait_rounds_(wait_rounds) {}

Ymodem::~Ymodem() { CloseFile(); }

bool Ymodem::OpenFile(const std::string& path) {
  CloseFile();
  const int fd = OpenFileForReading(path);
  if (fd < 0) return false;
  struct stat info {};
  // An empty image is refused: it would be announced, "loaded" and reported
  // as a success without a byte of firmware or effects.
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0 ||
      info.st_size > std::numeric_limits<std::uint32_t>::max()) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  name_ = Utf8Text(Utf8Path(path).filename());
  size_ = static_cast<std::uint32_t>(info.st_size);
  blocks_taken_ = 0;
  return true;
}

void Ymodem::CloseFile() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  name_.clear();
  size_ = 0;
  blocks_taken_ = 0;
}

int Ymodem::Send(std::uint8_t address, TransferMode mode, PortIo& port, Sleeper& sleeper) {
  if (fd_ < 0) return kTransferFileError;
  blocks_taken_ = 0;
  unread_.clear();
  const Bytes start = StartFrame(address, mode);
  if (port.Write(start) != start.size()) return kTransferStartShort;
  sleeper.SleepMs(kStartPauseMs);
  if (!WaitForByte(kCrcRequest, port, sleeper)) return kTransferNoCrcRequest;
  sleeper.SleepMs(kAskSettleMs);

  const Bytes header = HeaderBlock(name_, size_);
  if (port.Write(header) != header.size()) return kTransferBlockShort;
  if (!WaitForByte(kAck, port, sleeper, Rest::kKeep)) return kTransferNoAck;
  if (!WaitForByte(kCrcRequest, port, sleeper)) return kTransferNoCrcRequest;
  sleeper.SleepMs(kAskSettleMs);

  if (const int result = SendDataBlocks(port, sleeper); result != kTransferDone) return result;

  const Bytes eot{kEot};
  if (port.Write(eot) != eot.size()) return kTransferEotShort;
  if (!WaitForByte(kAck, port, sleeper)) return kTransferNoAck;
  return kTransferDone;
}

int Ymodem::SendDataBlocks(PortIo& port, Sleeper& sleeper) {
  Bytes chunk;
  while (std::uint64_t{blocks_taken_} * kDataBlockSize < size_) {
    const std::uint32_t index = blocks_taken_;
    // Counted before the block goes out, so progress shows the block in flight.
    blocks_taken_ = index + 1;
    // Sending filler in place of unreadable data would load a corrupt image.
    if (!ReadChunk(index, chunk)) return kTransferFileError;
    const Bytes block = DataBlock(static_cast<std::uint8_t>((index + 1) % 256), chunk);
    if (port.Write(block) != block.size()) return kTransferBlockShort;
    if (!WaitForByte(kAck, port, sleeper)) return kTransferNoAck;
    sleeper.SleepMs(kAckSettleMs);
  }
  return kTransferDone;
}

// The chunk holds exactly the bytes of block `index` that the size announced in
// block 0 promises; a file that shrank since it was opened fails the read.
bool Ymodem::ReadChunk(std::uint32_t index, Bytes& chunk) const {
  const std::uint64_t offset = std::uint64_t{index} * kDataBlockSize;
  const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kDataBlockSize, size_ - offset));
  chunk.resize(wanted);
  std::size_t got = 0;
  while (got < wanted) {
    const std::int64_t n = ReadFileAt(fd_, chunk.data() + got, wanted - got, offset + got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

// Each round waits for bytes on the port for at most a round's time and
// reads what came: the awaited byte is seen the moment it arrives. A round
// that brought only other bytes still lasts a round, so a chattering
// receiver cannot cut the wait short.
bool Ymodem::WaitForByte(std::uint8_t wanted, PortIo& port, Sleeper& sleeper, Rest rest) {
  std::array<std::uint8_t, 128> buffer{};
  Bytes seen;
  seen.swap(unread_);
  for (int round = 0; round < wait_rounds_ && !cancelled_; ++round) {
    if (seen.empty()) port.WaitForBytes(kByteWaitRoundMs, sleeper);
    const std::size_t got = port.Read(buffer);
    seen.insert(seen.end(), buffer.begin(), buffer.begin() + got);
    const auto hit = std::find(seen.begin(), seen.end(), wanted);
    if (hit != seen.end()) {
      if (rest == Rest::kKeep) unread_.assign(hit + 1, seen.end());
      return true;
    }
    if (!seen.empty()) sleeper.SleepMs(kByteWaitRoundMs);
    seen.clear();
  }
  return false;
}

}  // namespace dsp
