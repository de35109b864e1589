#include "app/pages/channel_strips.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/control_names.h"
#include "app/pages/typed_number.h"
#include "platform/check_box.h"
#include "platform/slider.h"

namespace dsp {

ChannelStrips::ChannelStrips(WindowContext& context, int side) : Page(context), side_(side) {
  switches_ = {{SidedName("checkbox_mute_%s", side), &kMuteSwitch},
               {SidedName("checkbox_polarity_%s", side), &kPolaritySwitch},
               {SidedName("checkbox_eq_enable_%s", side), &kEqualizerSwitch}};
  if (side == kInputSide) {
    switches_.push_back({"checkbox_noise_gate", &kNoiseGateSwitch});
  } else {
    switches_.push_back({"checkbox_comp", &kCompressorSwitch});
    switches_.push_back({"checkbox_limit", &kLimiterSwitch});
  }
}

void ChannelStrips::Register(NotifyRegistry& registry) {
  const std::string edit = SidedName("edit_gain_%s", side_);
  const std::string slider = SidedName("slider_gain_%s", side_);
  for (int ch = 0; ch < kChannelsPerSide; ++ch) {
    registry.On(notify::kKillFocus, Channel(edit, ch), this, &ChannelStrips::OnGainCommit);
    registry.On(notify::kReturn, Channel(edit, ch), this, &ChannelStrips::OnGainCommit);
    registry.On(notify::kDirection, Channel(edit, ch), this, &ChannelStrips::OnGainStep);
    registry.On(notify::kScroll, Channel(edit, ch), this, &ChannelStrips::OnGainStep);
    registry.On(notify::kValueChanged, Channel(slider, ch), this, &ChannelStrips::OnGainSlider);
    registry.On(notify::kMoveValueChanged, Channel(slider, ch), this, &ChannelStrips::OnGainSliderMove);
    for (const std::string& chooser : {edit, slider}) {
      registry.On(notify::kSetFocus, Channel(chooser, ch), this, &ChannelStrips::OnChannelChoice);
    }
    registry.On(notify::kHeaderClick, Channel(SidedName("list_header_item_%s", side_), ch), this,
                &ChannelStrips::OnChannelChoice);
    registry.On(notify::kItemClick, Channel(SidedName("list_item_%s", side_), ch), this,
                &ChannelStrips::OnChannelChoice);
  }
  for (const Switch& each : switches_) {
    for (int ch = kAllChannels; ch < kChannelsPerSide; ++ch) {
      registry.On(notify::kSelectChanged, Channel(each.family, ch), this, &ChannelStrips::OnSwitch);
    }
  }
}

void ChannelStrips::Refresh(int) {
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr) return;
  const std::string edit = SidedName("edit_gain_%s", side_);
  const std::string slider = SidedName("slider_gain_%s", side_);
  for (int ch = 0; ch < record->ChannelCount(side_); ++ch) {
    SetSliderValue(Channel(slider, ch), record->Gain(side_, ch));
    SetText(Channel(edit, ch), GainText(record->Gain(side_, ch)));
    for (const Switch& each : switches_) SetCheck(Channel(each.family, ch), each.which->is_on(*record, side_, ch));
  }
  for (const Switch& each : switches_) {
    SetCheck(Channel(each.family, kAllChannels), SwitchOnForAll(*record, *each.which, side_));
  }
}

std::string ChannelStrips::GainText(int gain) const {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", gain / 100.0);
  return text;
}

// The processor takes gains in tenths of a dB: a typed 2.35 stored as 235
// would show as 2.4 while the processor plays 2.3, so typed gains are
// rounded to the tenth.
int ChannelStrips::TypedGain(double db) {
  return static_cast<int>(std::lround(std::clamp(db, kGainMin / 100.0, kGainMax / 100.0) * 10)) * 10;
}

// The box shows what was stored when the text cannot be read; text that
// still says what the box showed changes nothing (leaving a box after
// merely clicking into it must not round the stored gain).
void ChannelStrips::OnGainCommit(Notification& notification) {
  DeviceRecord* record = RecordFor(notification);
  const auto channel = ChannelOf(notification.sender->Name());
  if (record == nullptr || !channel) return;
  const std::string text = notification.sender->Text();
  const auto typed = TypedDecimal(text);
  const int stored = record->Gain(side_, *channel);
  if (typed && text != GainText(stored)) {
    const int gain = TypedGain(*typed);
    if (gain != stored) StoreGain(*record, *channel, gain, WindowContext::kWriteDelayMs);
  }
  Refresh(0);
  if (notification.type == notify::kReturn) context_.Host().SetFocus();
}

void ChannelStrips::OnGainStep(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto channel = ChannelOf(notification.sender->Name());
  if (record == nullptr || !channel || !gain_steps_.Accept(notification)) return;
  const int gain = std::clamp(record->Gain(side_, *channel) + 10 * StepDirection(notification), kGainMin, kGainMax);
  StoreGain(*record, *channel, gain, WindowContext::kWriteDelayMs);
  Refresh(0);
}

void ChannelStrips::OnGainSlider(Notification& notification) { SlideGain(notification, WindowContext::kWriteDelayMs); }

void ChannelStrips::OnGainSliderMove(Notification& notification) {
  SlideGain(notification, WindowContext::kDragWriteDelayMs);
}

void ChannelStrips::SlideGain(Notification& notification, int delay_ms) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto channel = ChannelOf(notification.sender->Name());
  const auto* slider = dynamic_cast<const Slider*>(notification.sender);
  if (record == nullptr || !channel || slider == nullptr) return;
  StoreGain(*record, *channel, slider->Value(), delay_ms);
  Refresh(0);
}

void ChannelStrips::StoreGain(DeviceRecord& record, int channel, int gain, int delay_ms) {
  record.SetGain(side_, channel, gain);
  ScheduleChannelWrites(context_, record, kGainMuteWrite, side_, channel, delay_ms);
}

void ChannelStrips::OnSwitch(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const std::string& name = notification.sender->Name();
  const auto channel = ChannelOf(name);
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  if (record == nullptr || !channel || box == nullptr) return;
  for (const Switch& each : switches_) {
    if (name == Channel(each.family, *channel)) {
      SetChannelSwitch(context_, *record, *each.which, side_, *channel, box->Check());
    }
  }
  context_.RefreshAll();
}

// Focus alone never asks for a processor: the question would take the
// focus, and the box would ask again when it gets it back.
void ChannelStrips::OnChannelChoice(Notification& notification) {
  const auto channel = ChannelOf(notification.sender->Name());
  if (notification.type == notify::kSetFocus && context_.SelectedDevice() == nullptr) return;
  if (channel && *channel != kAllChannels) context_.SelectChannel(side_, *channel);
}

}  // namespace dsp
