#include "sim/ymodem_receiver.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

#include "link/crc16.h"

namespace dsp {
namespace {

constexpr std::size_t kShortBlock = 128;
constexpr std::size_t kLongBlock = 1024;
constexpr std::size_t kBlockOverhead = 5;  // start byte, number, complement, CRC high and low

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

YmodemReceiver::YmodemReceiver(std::int64_t start_us) : last_byte_us_(start_us), next_ask_us_(start_us) {
  AdvanceTo(start_us);
}

std::vector<Transmission> YmodemReceiver::TakeOutput() { return std::exchange(output_, {}); }

void YmodemReceiver::Send(std::uint8_t byte, std::int64_t at_us) {
  output_.push_back({at_us, Bytes{byte}, std::nullopt});
}

bool YmodemReceiver::AwaitsBlock() const {
  return block_.empty() && (state_ == State::kWaitHeader || (state_ == State::kWaitData && !data_started_));
}

void YmodemReceiver::AdvanceTo(std::int64_t now_us) {
  if (Finished()) return;
  if (now_us - last_byte_us_ > kSessionIdleUs) {
    state_ = State::kAborted;
    return;
  }
  if (!block_.empty() && now_us - last_byte_us_ > kBlockGapUs) {
    block_.clear();
    Send(kYmodemNak, last_byte_us_ + kBlockGapUs);
  }
  while (AwaitsBlock() && next_ask_us_ <= now_us) {
    Send(kYmodemAskCrc, next_ask_us_);
    next_ask_us_ += kAskRepeatUs;
  }
}

void YmodemReceiver::Feed(ByteView bytes, std::int64_t first_us, std::int64_t last_us) {
  AdvanceTo(first_us);
  if (Finished()) return;
  last_byte_us_ = last_us;
  for (std::uint8_t byte : bytes) {
    if (Finished()) return;
    HandleByte(byte, last_us);
  }
}

void YmodemReceiver::HandleByte(std::uint8_t byte, std::int64_t at_us) {
  if (!block_.empty()) {
    block_.push_back(byte);
    if (block_.size() == block_length_) HandleBlock(std::exchange(block_, {}), at_us);
    return;
  }
  cancels_ = byte == kYmodemCan ? cancels_ + 1 : 0;
  if (cancels_ >= 2) {
    state_ = State::kAborted;
  } else if (byte == kYmodemSoh || byte == kYmodemStx) {
    block_length_ = (byte == kYmodemSoh ? kShortBlock : kLongBlock) + kBlockOverhead;
    block_.push_back(byte);
  } else if (byte == kYmodemEot) {
    HandleEot(at_us);
  }
  // Anything else between blocks is line noise.
}

void YmodemReceiver::HandleBlock(const Bytes& block, std::int64_t at_us) {
  const std::uint8_t number = block[1];
  const ByteView data(block.data() + 3, block.size() - kBlockOverhead);
  const auto crc = static_cast<std::uint16_t>((block[block.size() - 2] << 8) | block.back());
  if (block[2] != static_cast<std::uint8_t>(255 - number) || Crc16Xmodem(data) != crc) {
    Send(kYmodemNak, at_us + kTurnaroundUs);
    return;
  }
  if (state_ == State::kWaitHeader) {
    if (number != 0) {
      Send(kYmodemNak, at_us + kTurnaroundUs);
      return;
    }
    HandleHeader(data, at_us);
    return;
  }
  HandleData(number, data, at_us);
}

void YmodemReceiver::HandleHeader(ByteView data, std::int64_t at_us) {
  Send(kYmodemAck, at_us + kTurnaroundUs);
  if (data[0] == 0) {  // an empty header ends the batch
    state_ = State::kDone;
    return;
  }
  const auto name_end = std::find(data.begin(), data.end(), 0);
  name_.assign(data.begin(), name_end);
  std::string size_text;
  for (auto it = name_end == data.end() ? name_end : name_end + 1; it != data.end() && std::isdigit(*it); ++it) {
    size_text += static_cast<char>(*it);
  }
  // A sender with a name too long for the block writes the size alone.
  if (size_text.empty() && AllDigits(name_)) size_text = std::exchange(name_, {});
  std::size_t size = 0;
  const char* end = size_text.data() + size_text.size();
  if (!size_text.empty() && std::from_chars(size_text.data(), end, size).ptr == end) size_ = size;
  state_ = State::kWaitData;
  const std::int64_t ask_us = at_us + kTurnaroundUs + kAskAfterAckUs;
  Send(kYmodemAskCrc, ask_us);
  next_ask_us_ = ask_us + kAskRepeatUs;
}

void YmodemReceiver::HandleData(std::uint8_t number, ByteView data, std::int64_t at_us) {
  if (number == expected_block_) {
    data_.insert(data_.end(), data.begin(), data.end());
    ++expected_block_;
    data_started_ = true;
    Send(kYmodemAck, at_us + kTurnaroundUs);
  } else if (number == static_cast<std::uint8_t>(expected_block_ - 1)) {
    Send(kYmodemAck, at_us + kTurnaroundUs);  // our ACK was lost: the sender repeats
  } else {
    Send(kYmodemNak, at_us + kTurnaroundUs);
  }
}

void YmodemReceiver::HandleEot(std::int64_t at_us) {
  if (state_ != State::kWaitData) return;
  Send(kYmodemAck, at_us + kTurnaroundUs);
  if (size_ && *size_ < data_.size()) data_.resize(*size_);
  image_ = ReceivedImage{name_, std::move(data_)};
  state_ = State::kDone;
}

}  // namespace dsp
