// What a level poll answer shows: the processor's connection indicator in
// the tree and, for the selected one, the level page.
#include "app/main_window.h"
#include "platform/check_box.h"

namespace dsp {

void MainWindow::ShowLevelAnswer(const LevelAnswer& answer) {
  if (debug_dialog_ != nullptr) debug_dialog_->AppendTrace("R=" + std::to_string(answer.address) + "\n");
  if (auto* connected = Find<CheckBox>("checkbox_connect_status_" + std::to_string(answer.address - 1))) {
    connected->SetCheck(answer.online);
  }
  const DeviceRecord* selected = SelectedDevice();
  if (selected != nullptr && selected->Address() == answer.address) pages_.RefreshPage("window_energy", 0);
}

}  // namespace dsp
