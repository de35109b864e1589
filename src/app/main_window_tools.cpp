// The two tool buttons of the title bar: the settings dialog (the port and
// the scan time) and the trace window.
#include "app/main_window.h"

namespace dsp {

void MainWindow::OnSettingClick(Notification&) {
  SettingDialog dialog(language_, {link_->PortName(), static_cast<int>(config_.scan_time_ms)},
                      port_keeper_.Offered());
  dialog.Create(this, "Setting");
  dialog.CenterWindow();
  if (dialog.ShowModal() != kIdOk) return;
  ApplySettings(dialog.Settings());
}

void MainWindow::ApplySettings(const PortSettings& chosen) {
  config_.scan_time_ms = static_cast<std::uint32_t>(chosen.scan_time_ms);
  port_keeper_.Choose(chosen.port);
  if (Say(text::kScanAfterSettings, text::kQuestion, MessageButtons::kOkCancel) == kIdOk) StartScan();
}

// The window has no owner, so it stays where the user put it while the
// main window is used; it keeps its trace while hidden.
void MainWindow::OnDebugClick(Notification&) {
  if (debug_dialog_ != nullptr) {
    debug_dialog_->ToggleShown();
    return;
  }
  debug_dialog_ = std::make_unique<DebugDialog>(language_);
  debug_dialog_->Create(nullptr, "调试");
  debug_dialog_->CenterWindow();
  debug_dialog_->SetTopMost(true);
  debug_dialog_->ShowWindow();
}

}  // namespace dsp
