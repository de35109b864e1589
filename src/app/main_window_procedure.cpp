// The device procedures on timer 141 (synchronise from device, the read-back
// after a preset recall), their wait dialog, the preset messages of the
// preset dialog and the deferred parameter writes.
#include "app/main_window.h"
#include "dialogs/wait_dialog.h"
#include "model/write_builders.h"
#include "model/write_id.h"
#include "protocol/commands.h"

namespace dsp {

void MainWindow::StartReadAll(int address, int start_delay_ms) {
  KillTimer(kLevelPollTimer);
  procedure_target_.Aim(address);
  procedure_done_ = false;
  procedure_failed_ = false;
  procedure_.StartReadAll(start_delay_ms);
  SetTimer(kProcedureTimer, procedure_.PeriodMs());
}

void MainWindow::OnProcedureTimer(std::uint32_t) {
  const ProcedureEnd end = procedure_.Tick();
  if (end == ProcedureEnd::kRunning) return;
  procedure_done_ = true;
  procedure_failed_ = end == ProcedureEnd::kFailed;
  KillTimer(kProcedureTimer);
  if (!devices_.empty()) SetTimer(kLevelPollTimer, kLevelPollMs);
  RefreshAll();
  if (procedure_failed_) Say(text::kSynchroniseFailed, text::kWarning);
}

// Only a read that completed marks the device synchronised: after a failure
// its record holds a mix of read and default values, and selecting it again
// has to read it again.
void MainWindow::SynchroniseFromDevice(int address) {
  const std::string status = Pick(language_, text::kSynchronising);
  SetDeviceTips(address, status);
  StartReadAll(address, kSyncStartDelayMs);
  ShowWaitDialog("Synchronize", status, &procedure_done_);
  DeviceRecord* record = FindDevice(devices_, address);
  if (record != nullptr && procedure_done_ && !procedure_failed_) record->SetSynchronised(true);
  SetDeviceTips(address, "");
}

void MainWindow::ShowWaitDialog(const std::string& title, const std::string& text, const bool* done) {
  WaitDialog dialog(kWaitMinimumMs, text, done);
  dialog.Create(this, title);
  dialog.CenterWindow();
  dialog.ShowModal();
}

// Timers 128 to 138: the identifier names the write; the record's values at
// this moment go out.
void MainWindow::OnParameterWriteTimer(std::uint32_t id) {
  KillTimer(id);
  if (auto frame = BuildWrite(WriteId(id), devices_, config_)) link_->Send(*frame);
}

bool MainWindow::OnPresetRecall(std::uintptr_t preset, std::intptr_t address) {
  SetDeviceTips(static_cast<int>(address), Pick(language_, text::kLoadingEffect));
  link_->Send(PresetRecallFrame(static_cast<std::uint8_t>(address), static_cast<int>(preset)));
  StartReadAll(static_cast<int>(address), RecallSettleDelayMs(static_cast<int>(preset)));
  return true;
}

bool MainWindow::OnPresetRecallDone(std::uintptr_t, std::intptr_t address) {
  SetDeviceTips(static_cast<int>(address), "");
  return true;
}

bool MainWindow::OnPresetSave(std::uintptr_t preset, std::intptr_t address) {
  SetDeviceTips(static_cast<int>(address), Pick(language_, text::kSaving));
  KillTimer(kLevelPollTimer);
  link_->Send(PresetSaveFrame(static_cast<std::uint8_t>(address), static_cast<int>(preset)));
  return true;
}

bool MainWindow::OnPresetSaveDone(std::uintptr_t, std::intptr_t address) {
  SetDeviceTips(static_cast<int>(address), "");
  SetTimer(kLevelPollTimer, kLevelPollMs);
  return true;
}

bool MainWindow::OnPresetNameWrite(std::uintptr_t preset, std::intptr_t) {
  const DeviceRecord* record = SelectedDevice();
  if (record == nullptr || preset >= static_cast<std::uintptr_t>(kPresetSlots)) return true;
  const int slot = static_cast<int>(preset);
  link_->Send(PresetNameWriteFrame(static_cast<std::uint8_t>(record->Address()), slot, record->PresetName(slot)));
  return true;
}

}  // namespace dsp
