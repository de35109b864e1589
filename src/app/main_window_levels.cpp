// The level poll (timer 142): each processor's connection indicator in the
// tree and the level page of the selected one.
#include "app/main_window.h"
#include "platform/check_box.h"
#include "platform/slider.h"

namespace dsp {

void MainWindow::OnLevelPollTimer(std::uint32_t) {
  const auto answer = level_poll_.Tick(devices_, link_->IsOpen());
  if (!answer) return;
  if (trace_view_ != nullptr) trace_view_->AppendTrace("R=" + std::to_string(answer->address) + "\n");
  if (auto* connected = Find<CheckBox>("checkbox_connect_status_" + std::to_string(answer->address - 1))) {
    connected->SetCheck(answer->online);
  }
  const DeviceRecord* selected = SelectedDevice();
  if (selected != nullptr && selected->Address() == answer->address) RefreshLevelPage();
}

void MainWindow::RefreshLevelPage() {
  if (Control* title = FindControl("label_window_energy_title")) title->SetText(Pick(language_, text::kEnergyTitle));
  const DeviceRecord* record = SelectedDevice();
  if (record == nullptr) return;
  for (int side = 0; side < kSides; ++side) {
    const std::string suffix = side == kInputSide ? "input_" : "output_";
    for (int channel = 0; channel < record->ChannelCount(side); ++channel) {
      const double db = LevelDb(record->Level(side, channel), config_.energy_full, config_.energy_min_db);
      if (Control* label = FindControl("label_energy_" + suffix + std::to_string(channel))) {
        label->SetText(FormatLevelDb(db));
      }
      if (auto* slider = Find<Slider>("slider_energy_" + suffix + std::to_string(channel))) {
        slider->SetValue(LevelSliderPosition(db, slider->Min(), slider->Max()));
      }
    }
  }
}

}  // namespace dsp
