#include "protocol/read_all.h"

#include <algorithm>

#include "protocol/commands.h"
#include "protocol/replies.h"

namespace dsp {
namespace {

constexpr int kPresetNamesStep = 2;
constexpr int kOutputGainsStep = 9;

using Item = ReadAll::Item;

void AddChannels(std::vector<Item>& items, int side, int count, std::initializer_list<int> subs = {0}) {
  for (int ch = 0; ch < count; ++ch) {
    for (int sub : subs) items.push_back({side, ch, sub});
  }
}

std::vector<Item> ItemsOf(int step, const DeviceRecord& record) {
  const int inputs = record.Inputs();
  const int outputs = record.Outputs();
  std::vector<Item> items;
  switch (step) {
    case 1:
    case 10:
      AddChannels(items, 0, inputs);
      AddChannels(items, 1, outputs);
      break;
    case 2:
      AddChannels(items, 0, kPresetSlots);
      break;
    case 3:
      AddChannels(items, 0, inputs, {0, 16});
      AddChannels(items, 1, outputs, {0, 16});
      break;
    case 4:
    case 5:
    case 11:
      AddChannels(items, 0, inputs);
      break;
    case 6:
      AddChannels(items, 1, outputs, {0, 1});
      break;
    case 7:
    case 8:
      AddChannels(items, 1, outputs);
      break;
    case kOutputGainsStep:
      items.push_back({1, 0, 0});
      break;
  }
  return items;
}

// A later item of the same step and side has the same command and would take
// an answer to an earlier one for its own unless the reply names a channel and
// the channels differ; the preset names and output gains name none.
void MarkToldApart(int step, std::vector<Item>& items) {
  const bool names_channel = step != kPresetNamesStep && step != kOutputGainsStep;
  for (std::size_t i = 0; i < items.size(); ++i) {
    for (std::size_t later = i + 1; later < items.size(); ++later) {
      const bool same_command = items[later].side == items[i].side;
      const bool other_channel = names_channel && items[later].channel != items[i].channel;
      if (same_command && !other_channel) items[i].told_apart = false;
    }
  }
}

Bytes RequestOf(int step, std::uint8_t address, const Item& item) {
  switch (step) {
    case 1: return ReadDelayFrame(address, item.side, item.channel);
    case 2: return ReadPresetNameFrame(address, item.channel);
    case 3: return ReadEqFrame(address, item.side, item.channel, item.sub);
    case 4: return ReadNoiseGateFrame(address, item.channel);
    case 5: return ReadInputGainFrame(address, item.channel);
    case 6: return ReadFilterFrame(address, item.channel, item.sub);
    case 7: return ReadCompressorFrame(address, item.channel);
    case 8: return ReadLimiterFrame(address, item.channel);
    case 9: return ReadOutputGainsFrame(address);
    case 10: return ReadPolarityFrame(address, item.side, item.channel);
    default: return ReadMatrixRowFrame(address, item.channel);
  }
}

}  // namespace

void ReadAll::Restart() {
  step_ = 0;
  sub_state_ = SubState::kReset;
  items_.clear();
  item_ = 0;
  request_.clear();
  failures_ = 0;
  item_failures_ = 0;
  repeats_ = 0;
  ticks_since_request_ = 0;
  quiet_ticks_ = 0;
}

ReadAll::Progress ReadAll::Tick() {
  if (step_ == 0) {
    step_ = 1;
    sub_state_ = SubState::kReset;
    return Progress::kRunning;
  }
  const Progress progress = RunStep();
  if (progress != Progress::kDone) return progress;
  ++step_;
  sub_state_ = SubState::kReset;
  return step_ > kStepCount ? Progress::kDone : Progress::kRunning;
}

// A step finds no selected device only when the selection vanished while the
// read ran; it ends the read with failure rather than waiting for ever.
ReadAll::Progress ReadAll::RunStep() {
  DeviceRecord* record = host_.SelectedDevice();
  if (record == nullptr) return Progress::kFailed;
  switch (sub_state_) {
    case SubState::kReset:
      items_ = ItemsOf(step_, *record);
      MarkToldApart(step_, items_);
      item_ = 0;
      if (items_.empty()) return Progress::kDone;
      sub_state_ = SubState::kSend;
      // The output gains are one request, sent on the reset tick, and their
      // step goes on with the failures counted by the step before.
      if (step_ == kOutputGainsStep) {
        const int carried = failures_;
        SendCurrent(*record);
        failures_ = carried;
        return failures_ >= kFailureLimit ? Progress::kFailed : Progress::kRunning;
      }
      failures_ = 0;
      return Progress::kRunning;
    case SubState::kSend:
      if (quiet_ticks_ > 0) {
        // What comes now answers a request of the item just read.
        while (link_.PopReply()) {
        }
        --quiet_ticks_;
      } else {
        SendCurrent(*record);
      }
      return Progress::kRunning;
    case SubState::kAwait:
      break;
  }
  return Await(*record);
}

void ReadAll::SendCurrent(const DeviceRecord& record) {
  request_ = RequestOf(step_, static_cast<std::uint8_t>(record.Address()), items_[item_]);
  link_.Send(request_);
  failures_ = 0;
  item_failures_ = 0;
  repeats_ = 0;
  ticks_since_request_ = 0;
  sub_state_ = SubState::kAwait;
}

ReadAll::Progress ReadAll::Await(DeviceRecord& record) {
  ++ticks_since_request_;
  const std::optional<Bytes> reply = link_.PopReply();
  if (!reply || !ReplyNamesRequestedItem(request_, *reply) || !StoreReply(*reply, record)) {
    ++failures_;
    if (failures_ >= kFailureLimit) return Progress::kFailed;
    RepeatWhenDue();
    return Progress::kRunning;
  }
  // The answer taken may have been a late one to an earlier request of the
  // item; the answers to the others may still come, and the next item would
  // take them for its own. Its request waits until they are due: the link
  // drops what arrived before a request goes out.
  if (repeats_ > 0 && !items_[item_].told_apart) {
    quiet_ticks_ = std::max(0, kLateAnswerTicks - 1 - ticks_since_request_);
  }
  if (++item_ >= items_.size()) return Progress::kDone;
  failures_ = 0;
  sub_state_ = SubState::kSend;
  return Progress::kRunning;
}

// The repeat goes out on a failed tick, in place of nothing: it costs the
// read no tick, and the 21 failed answers still count from the first request.
void ReadAll::RepeatWhenDue() {
  ++item_failures_;
  if (repeats_ >= kRepeatsPerItem || item_failures_ < kFailuresBeforeRepeat * (repeats_ + 1)) return;
  link_.Send(request_);
  ++repeats_;
  ticks_since_request_ = 0;
}

bool ReadAll::StoreReply(ByteView reply, DeviceRecord& record) const {
  const Item& item = items_[item_];
  switch (step_) {
    case 1: return StoreDelayReply(reply, item.side, record);
    case 2: return StorePresetNameReply(reply, item.channel, record);
    case 3: return StoreEqReply(reply, item.side, item.sub, record);
    case 4: return StoreNoiseGateReply(reply, record, config_);
    case 5: return StoreInputGainReply(reply, record);
    case 6: return StoreFilterReply(reply, item.sub, record);
    case 7: return StoreCompressorReply(reply, record, config_);
    case 8: return StoreLimiterReply(reply, record, config_);
    case 9: return StoreOutputGainsReply(reply, record);
    case 10: return StorePolarityReply(reply, item.side, record);
    default: return StoreMatrixRowReply(reply, record);
  }
}

}  // namespace dsp
