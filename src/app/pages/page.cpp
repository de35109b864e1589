#include "app/pages/page.h"

#include "platform/check_box.h"
#include "platform/slider.h"

namespace dsp {

DeviceRecord* Page::RecordFor(const Notification& notification) const {
  return notification.type == notify::kKillFocus ? context_.SelectedDevice() : context_.DeviceForEdit();
}

void Page::ShowNotTaken(std::string_view name) const {
  Control* control = context_.Host().FindControl(name);
  if (control == nullptr) return;
  control->SetEnabled(false);
  control->SetToolTip(Pick(context_.InterfaceLanguage(), text::kNotTaken));
}

void Page::SetText(std::string_view name, const std::string& text) const {
  if (Control* control = context_.Host().FindControl(name)) control->SetText(text);
}

void Page::SetCheck(std::string_view name, bool on) const {
  if (auto* box = Find<CheckBox>(name)) box->SetCheck(on);
}

void Page::SetSliderValue(std::string_view name, int value) const {
  if (auto* slider = Find<Slider>(name)) slider->SetValue(value);
}

std::pair<int, int> Page::SliderRange(std::string_view name, std::pair<int, int> fallback) const {
  const auto* slider = Find<Slider>(name);
  return slider != nullptr ? std::pair{slider->Min(), slider->Max()} : fallback;
}

int Page::SliderStep(std::string_view name, int fallback) const {
  const auto* slider = Find<Slider>(name);
  return slider != nullptr ? slider->ChangeStep() : fallback;
}

void Page::SetTitle(std::string_view label, const BilingualText& title, int channel) const {
  SetText(label, ChannelTitle(context_.InterfaceLanguage(), title, channel));
}

}  // namespace dsp
