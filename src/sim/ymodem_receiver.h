#pragma once

// The receiving side of a YMODEM transfer as the processor's loader runs it:
// it asks with "C", takes the header block (file name and decimal size), then
// numbered 1024-byte (or 128-byte) blocks with a CRC-16 each, and the EOT.
// Good blocks are acknowledged; a bad block is answered with NAK and its data
// dropped; a block that repeats the previous one is acknowledged again and
// not stored twice. The image is trimmed to the size in the header.
//
// Time: "C" is repeated every second until the header (and again until the
// first data block) arrives; a partial block followed by a second of silence
// is dropped with a NAK; twenty seconds without a byte end the session
// without an image. Two CAN bytes cancel it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/bytes.h"
#include "sim/transmission.h"

namespace dsp {

inline constexpr std::uint8_t kYmodemSoh = 0x01;
inline constexpr std::uint8_t kYmodemStx = 0x02;
inline constexpr std::uint8_t kYmodemEot = 0x04;
inline constexpr std::uint8_t kYmodemAck = 0x06;
inline constexpr std::uint8_t kYmodemNak = 0x15;
inline constexpr std::uint8_t kYmodemCan = 0x18;
inline constexpr std::uint8_t kYmodemAskCrc = 'C';

inline constexpr std::int64_t kAskRepeatUs = 1'000'000;
inline constexpr std::int64_t kAskAfterAckUs = 20'000;
inline constexpr std::int64_t kBlockGapUs = 1'000'000;
inline constexpr std::int64_t kSessionIdleUs = 20'000'000;

struct ReceivedImage {
  std::string name;  // from the header; empty when the sender gave none
  Bytes data;
};

class YmodemReceiver {
 public:
  // Starts a session whose first "C" goes out at `start_us`.
  explicit YmodemReceiver(std::int64_t start_us);

  // Bytes from the line; the first and the last arrived at the times given.
  void Feed(ByteView bytes, std::int64_t first_us, std::int64_t last_us);
  void AdvanceTo(std::int64_t now_us);

  bool Finished() const { return state_ == State::kDone || state_ == State::kAborted; }
  // The file, once the EOT has been acknowledged (not after an end-of-batch
  // header or a cancelled session).
  const std::optional<ReceivedImage>& image() const { return image_; }
  // What the receiver has sent since the last call.
  std::vector<Transmission> TakeOutput();

 private:
  enum class State { kWaitHeader, kWaitData, kDone, kAborted };

  void HandleByte(std::uint8_t byte, std::int64_t at_us);
  void HandleBlock(const Bytes& block, std::int64_t at_us);
  void HandleHeader(ByteView data, std::int64_t at_us);
  void HandleData(std::uint8_t number, ByteView data, std::int64_t at_us);
  void HandleEot(std::int64_t at_us);
  void Send(std::uint8_t byte, std::int64_t at_us);
  bool AwaitsBlock() const;

  State state_ = State::kWaitHeader;
  Bytes block_;
  std::size_t block_length_ = 0;
  int cancels_ = 0;
  std::int64_t last_byte_us_;
  std::int64_t next_ask_us_;
  bool data_started_ = false;
  std::uint8_t expected_block_ = 1;
  std::string name_;
  std::optional<std::size_t> size_;
  Bytes data_;
  std::optional<ReceivedImage> image_;
  std::vector<Transmission> output_;
};

}  // namespace dsp
