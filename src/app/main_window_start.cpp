// Window start (configuration, language, serial port, first refresh) and the
// trace timer, which also keeps the ports.
#include "app/control_names.h"
#include "app/main_window.h"
#include "app/pages/eq_page.h"
#include "app/pages/eq_page_names.h"
#include "app/skin_attribute_source.h"
#include "controls/eq_graph.h"
#include "persist/language_setting.h"

namespace dsp {
namespace {

// The equaliser handles carry their band numbers until a page labels them
// with their values.
void NumberGraphBands(Window& window) {
  for (int side = 0; side < kSides; ++side) {
    auto* graph = window.Find<EqGraph>(SidedName(eq_names::kGraph, side));
    for (int band = 0; graph != nullptr && band < kEqBands; ++band) graph->SetBandLabel(band, EqPage::NumberLabel(band));
  }
}

}  // namespace

void MainWindow::OnWindowInit(Notification&) {
  config_ = ReadConfiguration(SkinAttributeSource(*this));
  if (answer_wait_extra_ms_) config_.answer_wait_extra_ms = static_cast<std::uint32_t>(*answer_wait_extra_ms_);
  link_->SetAnswerWaitExtraMs(static_cast<int>(config_.answer_wait_extra_ms));
  language_ = ReadLanguage(setting_file_);
  ApplyLanguage();
  NumberGraphBands(*this);
  port_keeper_.OpenFirst();
  pages_.RefreshSide(kInputSide, 0);
  pages_.RefreshSide(kOutputSide, 0);
  SetTimer(timer::kTrace, kTraceMs);
}

// Also keeps the ports: a lost one, a network server back, an open ended.
void MainWindow::OnTraceTimer(std::uint32_t) {
  port_keeper_.Tick(kTraceMs);
  if (debug_dialog_ == nullptr) return;
  link_->SetHexTrace(debug_dialog_->HexChosen());
  const std::string trace = link_->TakeTrace();
  if (!trace.empty()) debug_dialog_->AppendTrace(trace);
}

}  // namespace dsp
