// The device procedures on timer 141 (synchronise from device, the read-back
// after a preset recall), their wait dialog, the preset messages of the
// preset dialog and the deferred parameter writes.
#include "app/main_window.h"
#include "model/write_builders.h"
#include "model/write_id.h"
#include "protocol/commands.h"

namespace dsp {

// The end of a procedure: the level poll goes on, the pages show what the
// record holds now, and a failure is said.
void MainWindow::OnProcedureEnd(ProcedureEnd end) {
  if (!devices_.empty()) SetTimer(kLevelPollTimer, kLevelPollMs);
  RefreshAll();
  if (end == ProcedureEnd::kFailed) Say(text::kSynchroniseFailed, text::kWarning);
}

void MainWindow::SynchroniseFromDevice(int address) {
  procedures_.ReadAll(address, kSyncStartDelayMs, Pick(language_, text::kSynchronising));
}

// Timers 128 to 138: the identifier names the write; the record's values at
// this moment go out.
void MainWindow::OnParameterWriteTimer(std::uint32_t id) {
  KillTimer(id);
  scheduled_writes_.erase(id);
  if (auto frame = BuildWrite(WriteId(id), devices_, config_)) link_->Send(*frame);
}

bool MainWindow::OnPresetRecall(std::uintptr_t preset, std::intptr_t address) {
  SetDeviceTips(static_cast<int>(address), Pick(language_, text::kLoadingEffect));
  link_->Send(PresetRecallFrame(static_cast<std::uint8_t>(address), static_cast<int>(preset)));
  procedures_.StartReadAll(static_cast<int>(address), RecallSettleDelayMs(static_cast<int>(preset)));
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
