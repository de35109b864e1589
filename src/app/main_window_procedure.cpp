// The ends of the device procedures, synchronising from a processor and the
// deferred parameter writes.
#include "app/main_window.h"
#include "model/write_builders.h"
#include "model/write_id.h"

namespace dsp {

// The end of a procedure: the pages show what the record holds now, and a
// failure is said.
void MainWindow::OnProcedureEnd(ProcedureEnd end) {
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

}  // namespace dsp
