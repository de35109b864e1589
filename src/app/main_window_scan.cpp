// Scanning the bus for processors behind a wait dialog; Esc ends a scan.
#include <cstdio>

#include "app/control_names.h"
#include "app/main_window.h"
#include "app/pages/eq_page_names.h"
#include "controls/eq_graph.h"
#include "dialogs/wait_dialog.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

// A processor uses as many equaliser bands as the skin's graphs show
// handles for (a count above 31 is not taken).
void TakeBandCounts(const Window& window, DeviceRecord& record) {
  for (int side = 0; side < kSides; ++side) {
    if (const auto* graph = window.Find<EqGraph>(SidedName(eq_names::kGraph, side))) {
      record.SetEqBandCount(side, graph->ShowBandNumber());
    }
  }
}

}  // namespace

void MainWindow::OnScanClick(Notification&) {
  if (!devices_.empty()) Say(text::kRescan, text::kComfirm);
  StartScan();
}

void MainWindow::StartScan() {
  level_poll_.Pause();
  ForgetDevices();
  if (!link_->IsOpen()) {
    Say(text::kNoPort, text::kWarning);
    return;
  }
  scan_.Start(static_cast<int>(config_.scan_time_ms));
  scan_finished_ = false;
  ArmScanTimer();
  WaitDialog dialog(ProcedureRunner::kWaitMinimumMs, Pick(language_, text::kScanning), &scan_finished_);
  RunWaitDialog(dialog, *this, "Scanning");
  if (scan_.EndedWhileAnswering()) SayScanCutShort();
  level_poll_.Resume();
}

// A partial list is never left without a word: the user is told how many
// were found and what scan time is likely to find the rest.
void MainWindow::SayScanCutShort() {
  char message[512];
  std::snprintf(message, sizeof message, Pick(language_, text::kScanCutShort).c_str(), static_cast<int>(devices_.size()),
                scan_.LongerScanTimeMs());
  Say(std::string(message));
}

void MainWindow::ForgetDevices() {
  RemoveDeviceNodes();
  devices_.clear();
  views_.clear();
  last_selected_address_ = -1;
}

void MainWindow::OnScanTimer(std::uint32_t) {
  if (const auto found = scan_.Tick()) {
    devices_.emplace_back(found->address, found->chip_id, found->inputs, found->outputs, found->name);
    TakeBandCounts(*this, devices_.back());
    AddDeviceNode(found->name, static_cast<int>(devices_.size()) - 1);
  }
  if (scan_.Finished()) {
    KillTimer(timer::kScan);
    scan_finished_ = true;
    return;
  }
  ArmScanTimer();
}

// The scan-start broadcasts settle for 500 ms each, then the scan ticks
// every 200 ms.
void MainWindow::ArmScanTimer() {
  const int period = scan_.NextTickMs();
  if (period == scan_tick_ms_ && HasTimer(timer::kScan)) return;
  scan_tick_ms_ = period;
  SetTimer(timer::kScan, period);
}

bool MainWindow::OnChar(std::uintptr_t character, std::intptr_t) {
  if (character != kCharEscape || scan_finished_) return false;
  KillTimer(timer::kScan);
  scan_.Stop();
  scan_finished_ = true;
  return true;
}

}  // namespace dsp
