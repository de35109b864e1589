#include "protocol/read_all.h"

#include "protocol/commands.h"
#include "protocol/replies.h"

namespace dsp {
namespace {

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
  failures_ = 0;
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
      item_ = 0;
      if (items_.empty()) return Progress::kDone;
      sub_state_ = SubState::kSend;
      // The output gains are one request, sent on the reset tick, and their
      // step goes on with the failures counted by the step before.
      if (step_ == kOutputGainsStep) {
        link_.Send(RequestOf(step_, static_cast<std::uint8_t>(record->Address()), items_[item_]));
        sub_state_ = SubState::kAwait;
        return failures_ >= kFailureLimit ? Progress::kFailed : Progress::kRunning;
      }
      failures_ = 0;
      return Progress::kRunning;
    case SubState::kSend:
      SendCurrent(*record);
      return Progress::kRunning;
    case SubState::kAwait:
      break;
  }
  const std::optional<Bytes> reply = link_.PopReply();
  if (!reply || !StoreReply(*reply, *record)) {
    ++failures_;
    return failures_ >= kFailureLimit ? Progress::kFailed : Progress::kRunning;
  }
  if (++item_ >= items_.size()) return Progress::kDone;
  failures_ = 0;
  sub_state_ = SubState::kSend;
  return Progress::kRunning;
}

void ReadAll::SendCurrent(const DeviceRecord& record) {
  link_.Send(RequestOf(step_, static_cast<std::uint8_t>(record.Address()), items_[item_]));
  failures_ = 0;
  sub_state_ = SubState::kAwait;
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
