// The level poll (timer 142): each processor's connection indicator in the
// tree and the level page of the selected one.
#include "app/main_window.h"
#include "platform/check_box.h"

namespace dsp {

void MainWindow::OnLevelPollTimer(std::uint32_t) {
  const auto answer = level_poll_.Tick(devices_, link_->IsOpen());
  if (!answer) return;
  if (debug_dialog_ != nullptr) debug_dialog_->AppendTrace("R=" + std::to_string(answer->address) + "\n");
  if (auto* connected = Find<CheckBox>("checkbox_connect_status_" + std::to_string(answer->address - 1))) {
    connected->SetCheck(answer->online);
  }
  const DeviceRecord* selected = SelectedDevice();
  if (selected != nullptr && selected->Address() == answer->address) pages_.RefreshPage("window_energy", 0);
}

}  // namespace dsp
