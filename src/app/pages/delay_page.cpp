#include "app/pages/delay_page.h"

#include <algorithm>

#include "app/control_names.h"
#include "app/pages/channel_writes.h"
#include "app/pages/typed_number.h"
#include "platform/check_box.h"
#include "platform/slider.h"

namespace dsp {
namespace {

// Per-channel families, "%s" for the side. The page names its switches
// checkbox_<side>_delay_N, the overview checkbox_delay_<side>_N; the page's
// box for the whole side is checkbox_<side>_delay, the overview's
// checkbox_delay_<side>_all.
constexpr const char* kEdit = "edit_%s_delay";
constexpr const char* kSlider = "slider_%s_delay";
constexpr const char* kPageSwitch = "checkbox_%s_delay";
constexpr const char* kOverviewSwitch = "checkbox_delay_%s";
constexpr const char* kOverviewText = "button_%s_delay_value";
constexpr const char* kReset = "button_%s_delay_reset";
constexpr const char* kUnitBox = "checkbox_%s_delay_unit";
constexpr const char* kUnitPanels[] = {"layout_%s_delay_unit_ft", "layout_%s_delay_unit_cm",
                                       "layout_%s_delay_unit_ms"};
constexpr int kUnits = 3;

}  // namespace

DelayPage::DelayPage(WindowContext& context, int side) : Page(context), side_(side) {}

std::string DelayPage::Name(const char* pattern, int channel) const {
  return Channel(SidedName(pattern, side_), channel);
}

void DelayPage::Register(NotifyRegistry& registry) {
  for (int ch = 0; ch < kChannelsPerSide; ++ch) {
    registry.On(notify::kKillFocus, Name(kEdit, ch), this, &DelayPage::OnCommit);
    registry.On(notify::kReturn, Name(kEdit, ch), this, &DelayPage::OnCommit);
    registry.On(notify::kDirection, Name(kEdit, ch), this, &DelayPage::OnStep);
    registry.On(notify::kScroll, Name(kEdit, ch), this, &DelayPage::OnStep);
    registry.On(notify::kValueChanged, Name(kSlider, ch), this, &DelayPage::OnSlider);
    registry.On(notify::kSelectChanged, Name(kPageSwitch, ch), this, &DelayPage::OnSwitch);
    registry.On(notify::kClick, Name(kReset, ch), this, &DelayPage::OnReset);
  }
  for (int ch = kAllChannels; ch < kChannelsPerSide; ++ch) {
    registry.On(notify::kSelectChanged, Name(kOverviewSwitch, ch), this, &DelayPage::OnSwitch);
  }
  registry.On(notify::kSelectChanged, SidedName(kPageSwitch, side_), this, &DelayPage::OnSwitch);
  registry.On(notify::kClick, SidedName(kReset, side_), this, &DelayPage::OnReset);
  for (int unit = 0; unit < kUnits; ++unit) {
    registry.On(notify::kSelectChanged, Name(kUnitBox, unit), this, &DelayPage::OnUnit);
  }
}

void DelayPage::Refresh(int) {
  ShowUnitPanels();
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr) return;
  for (int ch = 0; ch < record->ChannelCount(side_); ++ch) {
    const int samples = record->Delay(side_, ch);
    const bool on = record->DelayEnable(side_, ch);
    SetSliderValue(Name(kSlider, ch), samples);
    SetText(Name(kEdit, ch), DelayValueText(samples, unit_));
    SetCheck(Name(kPageSwitch, ch), on);
    SetCheck(Name(kOverviewSwitch, ch), on);
    SetText(Name(kOverviewText, ch), on ? DelayOverviewText(samples, unit_) : "OFF");
  }
  const bool all_on = SwitchOnForAll(*record, kDelaySwitch, side_);
  SetCheck(SidedName(kPageSwitch, side_), all_on);
  SetCheck(Name(kOverviewSwitch, kAllChannels), all_on);
}

void DelayPage::ShowUnitPanels() {
  for (int unit = 0; unit < kUnits; ++unit) {
    const bool chosen = unit == static_cast<int>(unit_);
    SetCheck(Name(kUnitBox, unit), chosen);
    if (Control* panel = context_.Host().FindControl(SidedName(kUnitPanels[unit], side_))) panel->SetVisible(chosen);
  }
}

std::pair<int, int> DelayPage::Range(int channel) const {
  return SliderRange(Name(kSlider, channel), {0, kFallbackMaxSamples});
}

// Text that still says what the box showed changes nothing: rounding the
// shown value up again would move the delay by a sample.
void DelayPage::OnCommit(Notification& notification) {
  DeviceRecord* record = RecordFor(notification);
  const auto channel = ChannelOf(notification.sender->Name());
  if (record == nullptr || !channel || *channel == kAllChannels) return;
  const std::string text = notification.sender->Text();
  const auto typed = TypedDecimal(text);
  const int stored = record->Delay(side_, *channel);
  if (typed && text != DelayValueText(stored, unit_)) {
    const auto [min, max] = Range(*channel);
    const int samples = DelaySamples(*typed, unit_, min, max);
    if (samples != stored) StoreDelay(*record, *channel, samples);
  }
  Refresh(side_);
  if (notification.type == notify::kReturn) context_.Host().SetFocus();
}

void DelayPage::OnStep(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto channel = ChannelOf(notification.sender->Name());
  if (record == nullptr || !channel || *channel == kAllChannels || !steps_.Accept(notification)) return;
  const auto [min, max] = Range(*channel);
  const int step = SliderStep(Name(kSlider, *channel), 1) * StepDirection(notification);
  StoreDelay(*record, *channel, std::clamp(record->Delay(side_, *channel) + step, min, max));
  Refresh(side_);
}

void DelayPage::OnSlider(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto channel = ChannelOf(notification.sender->Name());
  const auto* slider = dynamic_cast<const Slider*>(notification.sender);
  if (record == nullptr || !channel || *channel == kAllChannels || slider == nullptr) return;
  StoreDelay(*record, *channel, slider->Value());
  Refresh(side_);
}

void DelayPage::StoreDelay(DeviceRecord& record, int channel, int samples) {
  record.SetDelay(side_, channel, samples);
  ScheduleChannelWrites(context_, record, kDelayWrite, side_, channel);
}

void DelayPage::OnSwitch(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  if (record == nullptr || box == nullptr) return;
  const std::string& name = box->Name();
  const auto channel = name == SidedName(kPageSwitch, side_) ? std::optional(kAllChannels) : ChannelOf(name);
  if (!channel) return;
  SetChannelSwitch(context_, *record, kDelaySwitch, side_, *channel, box->Check());
  Refresh(side_);
}

// Only the box that became checked names the unit; nothing is sent.
void DelayPage::OnUnit(Notification& notification) {
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  const auto unit = TrailingIndex(notification.sender->Name());
  if (context_.DeviceForEdit() == nullptr || box == nullptr || !box->Check() || !unit) return;
  unit_ = static_cast<DelayUnit>(*unit);
  Refresh(side_);
}

void DelayPage::OnReset(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  const std::string& name = notification.sender->Name();
  const auto channel = name == SidedName(kReset, side_) ? std::optional(kAllChannels) : ChannelOf(name);
  if (!channel) return;
  const int first = *channel == kAllChannels ? 0 : *channel;
  const int end = *channel == kAllChannels ? record->ChannelCount(side_) : *channel + 1;
  for (int ch = first; ch < end; ++ch) {
    record->SetDelay(side_, ch, 0);
    record->SetDelayEnable(side_, ch, false);
  }
  ScheduleChannelWrites(context_, *record, kDelayWrite, side_, *channel);
  context_.RefreshAll();
}

}  // namespace dsp
