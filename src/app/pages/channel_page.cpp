#include "app/pages/channel_page.h"

#include "app/control_names.h"
#include "app/pages/channel_writes.h"
#include "platform/check_box.h"

namespace dsp {
namespace {

// The page's visible boxes, and the hidden ones the dispatch table keeps
// (they act on the page's channel alike).
constexpr const char* kMuteBoxes[] = {"checkbox_%s_muted", "checkbox_mute_%s"};
constexpr const char* kPolarityBoxes[] = {"checkbox_%s_polarity", "checkbox_polarity_%s"};

}  // namespace

ChannelPage::ChannelPage(WindowContext& context, int side) : Page(context), side_(side) {}

void ChannelPage::Register(NotifyRegistry& registry) {
  for (const char* box : kMuteBoxes)
    registry.On(notify::kSelectChanged, SidedName(box, side_), this, &ChannelPage::OnMute);
  for (const char* box : kPolarityBoxes) {
    registry.On(notify::kSelectChanged, SidedName(box, side_), this, &ChannelPage::OnPolarity);
  }
  if (side_ != kInputSide) return;
  registry.On(notify::kClick, "button_pink_noise_play", this, &ChannelPage::OnPinkNoisePlay);
  registry.On(notify::kClick, "button_pink_noise_stop", this, &ChannelPage::OnPinkNoiseStop);
}

void ChannelPage::Refresh(int channel) {
  if (side_ == kInputSide) {
    SetTitle("label_window_input_title", text::kInputTitle, channel);
  } else {
    SetTitle("label_window_output_title", text::kOutputTitle, channel);
  }
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr) return;
  for (const char* box : kMuteBoxes) SetCheck(SidedName(box, side_), record->Mute(side_, channel));
  for (const char* box : kPolarityBoxes) SetCheck(SidedName(box, side_), record->Polarity(side_, channel));
}

void ChannelPage::OnMute(Notification& notification) { SetPageSwitch(notification, kMuteSwitch); }

void ChannelPage::OnPolarity(Notification& notification) { SetPageSwitch(notification, kPolaritySwitch); }

void ChannelPage::SetPageSwitch(Notification& notification, const ChannelSwitch& which) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* box = dynamic_cast<const CheckBox*>(notification.sender);
  if (record == nullptr || box == nullptr) return;
  const int channel = context_.View(record->Address()).channel[side_];
  SetChannelSwitch(context_, *record, which, side_, channel, box->Check());
  context_.RefreshAll();
}

// The processor plays the noise on the input the input pages show; the
// record does not change.
void ChannelPage::PinkNoise(bool on) {
  const DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  const int channel = context_.View(record->Address()).channel[kInputSide];
  context_.ScheduleWrite(WriteId::PinkNoise(on, channel, record->Address()));
}

}  // namespace dsp
