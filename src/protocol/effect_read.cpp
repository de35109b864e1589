#include "protocol/effect_read.h"

#include "link/frame.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

constexpr std::size_t kMinBlockReplyLength = 9;
constexpr std::size_t kBlockDataOffset = 7;

}  // namespace

void EffectRead::Restart(int block_count) {
  block_count_ = block_count;
  state_ = State::kReset;
  block_ = 0;
  failures_ = 0;
  last_percent_ = 0;
}

EffectRead::Progress EffectRead::Tick() {
  switch (state_) {
    case State::kReset:
      Restart(block_count_);
      state_ = State::kSend;
      break;
    case State::kSend:
      if (!SendBlock()) return Progress::kFailed;
      state_ = State::kAwait;
      failures_ = 0;
      break;
    case State::kAwait: {
      const std::optional<Bytes> reply = link_.PopReply();
      const bool good = reply && reply->size() >= kMinBlockReplyLength && (*reply)[kOffsetLength] == reply->size() &&
                        (*reply)[kOffsetCommand] == command::kEffectBlock;
      if (!good) {
        ++failures_;
        break;
      }
      host_.OnEffectData(ByteView(*reply).subspan(kBlockDataOffset, reply->size() - kBlockDataOffset - 1));
      const int percent = block_ * 100 / block_count_;
      if (percent != last_percent_) {
        last_percent_ = percent;
        host_.OnEffectProgress(percent);
      }
      if (++block_ >= block_count_) {
        block_ = 0;
        return Progress::kDone;
      }
      if (!SendBlock()) return Progress::kFailed;
      failures_ = 0;
      break;
    }
  }
  return failures_ > kFailureLimit ? Progress::kFailed : Progress::kRunning;
}

// The selection vanishing mid-read ends it with failure, as in the read-all.
bool EffectRead::SendBlock() {
  DeviceRecord* record = host_.SelectedDevice();
  if (record == nullptr) return false;
  link_.Send(ReadEffectBlockFrame(static_cast<std::uint8_t>(record->Address()), block_));
  return true;
}

}  // namespace dsp
