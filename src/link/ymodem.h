#pragma once

// Sends one file to a processor's loader with YMODEM: the start frame, block 0,
// 1024-byte blocks with CRC-16, one EOT. A block is never repeated: a NAK or a
// silent receiver ends the transfer once the wait for the ACK runs out.

#include <atomic>
#include <cstdint>
#include <string>

#include "link/bytes.h"
#include "link/port_io.h"
#include "link/ymodem_blocks.h"

namespace dsp {

// Outcome codes of a transfer.
enum TransferResult : int {
  kTransferDone = 0,
  kTransferStartShort = -1,   // the start frame could not be written completely
  kTransferFileError = -3,    // the file could not be opened or read
  kTransferNoCrcRequest = -4, // no "C" after the start frame or after block 0's ACK
  kTransferBlockShort = -5,   // a block could not be written completely
  kTransferNoAck = -6,        // no ACK for block 0, a data block or the EOT
  kTransferEotShort = -7,     // the EOT could not be written
};

// A wait for a byte is this many rounds of at most 10 ms, each ended early
// by the bytes arriving: the loader gets at least 15 s to answer, and its
// answer is taken the moment it comes.
inline constexpr int kByteWaitRounds = 1500;
inline constexpr int kByteWaitRoundMs = 10;
// The loader needs this long after the start frame before it asks for blocks.
inline constexpr int kStartPauseMs = 200;
// A receiver may clear its input right after it answers (lrzsz's rb does,
// after each "C" and each ACK): what comes next follows a moment later. The
// pause after an ACK is short, since it is paid once per 1024-byte block.
inline constexpr int kAskSettleMs = 10;
inline constexpr int kAckSettleMs = 5;

class Ymodem {
 public:
  // Only tests pass fewer rounds, to let a silent receiver time out quickly.
  explicit Ymodem(int wait_rounds = kByteWaitRounds);
  ~Ymodem();
  Ymodem(const Ymodem&) = delete;
  Ymodem& operator=(const Ymodem&) = delete;

  // Opens the file read-only and takes its base name and size. Fails for a
  // missing, unreadable or non-regular file and for one of 4 GiB or more.
  bool OpenFile(const std::string& path);
  // Closes the file and forgets name, size and progress.
  void CloseFile();

  const std::string& FileName() const { return name_; }
  // Readable from any thread while a transfer runs.
  std::uint32_t FileSize() const { return size_; }
  std::uint32_t BlocksTaken() const { return blocks_taken_; }

  // Runs the whole transfer of the open file and returns its outcome code.
  int Send(std::uint8_t address, TransferMode mode, PortIo& port, Sleeper& sleeper);

  // Makes every wait of this and any later transfer give up at once; used when
  // the link shuts down.
  void Cancel() { cancelled_ = true; }

 private:
  int SendDataBlocks(PortIo& port, Sleeper& sleeper);
  bool ReadChunk(std::uint32_t index, Bytes& chunk) const;
  // Whether the bytes after the awaited one in the same read are kept for the
  // next wait (only block 0's ACK, whose "C" may share its read) or dropped.
  enum class Rest { kDrop, kKeep };
  bool WaitForByte(std::uint8_t wanted, PortIo& port, Sleeper& sleeper, Rest rest = Rest::kDrop);

  const int wait_rounds_;
  int fd_ = -1;
  std::string name_;
  std::atomic<std::uint32_t> size_{0};
  std::atomic<std::uint32_t> blocks_taken_{0};
  std::atomic<bool> cancelled_{false};
  // What came after block 0's ACK in the same read: a receiver sends that ACK
  // and its "C" back to back, and both must count. At most one read's bytes,
  // and only the wait for that "C" looks at them: a stray or repeated ACK
  // must never be credited to a later block.
  Bytes unread_;
};

}  // namespace dsp
