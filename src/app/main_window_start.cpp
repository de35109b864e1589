// Window start (configuration, language, serial port, first refresh) and the
// serial ports coming and going while the program runs.
#include <QtGlobal>
#include <algorithm>

#include "app/control_names.h"
#include "app/main_window.h"
#include "app/pages/eq_page.h"
#include "app/pages/eq_page_names.h"
#include "app/skin_attribute_source.h"
#include "controls/eq_graph.h"
#include "link/port_name.h"
#include "persist/language_setting.h"
#include "persist/network_port_setting.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

void AddOnce(std::vector<std::string>& ports, const std::string& port) {
  if (std::find(ports.begin(), ports.end(), port) == ports.end()) ports.push_back(port);
}

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
  OpenFirstPort();
  pages_.RefreshSide(kInputSide, 0);
  pages_.RefreshSide(kOutputSide, 0);
  SetTimer(timer::kTrace, kTraceMs);
}

// The ports named on the command line come first, then the serial devices
// that open; the first of them is kept open. A network port is not tried
// first: its connect would hold up the start.
void MainWindow::OpenFirstPort() {
  const int baud = static_cast<int>(config_.baud);
  ports_.clear();
  for (const std::string& port : preferred_ports_) {
    if (link_->OpensSlowly(port)) {
      AddOnce(ports_, port);
    } else if (link_->Open(port, baud)) {
      link_->Close();
      AddOnce(ports_, port);
    } else {
      qWarning("dspdesk: cannot open %s: %s", port.c_str(), link_->OpenError().c_str());
    }
  }
  for (const std::string& port : link_->OpenablePorts(baud)) AddOnce(ports_, port);
  if (!ports_.empty()) StartOpen(ports_.front(), false);
  // Offered, not opened: a server that is away would hold up the start.
  for (const std::string& port : ReadNetworkPorts(setting_file_)) AddOnce(ports_, port);
  for (const std::string& port : config_.network_ports) AddOnce(ports_, port);
}

// A port that opens slowly ends in PortOpenEnded, from the trace timer.
void MainWindow::StartOpen(const std::string& port, bool say_failure) {
  say_open_failure_ = say_failure;
  if (link_->OpensSlowly(port)) {
    opening_.Start(*link_, port, static_cast<int>(config_.baud));
  } else {
    PortOpenEnded(port, link_->Open(port, static_cast<int>(config_.baud)));
  }
}

// A network port that will not open without the user asking is tried again
// until its server is there.
void MainWindow::PortOpenEnded(const std::string& port, bool opened) {
  if (opened) {
    SetTitleSuffix(" [" + port + "]");
    KeepNetworkPort(port);
  } else if (say_open_failure_) {
    Toolkit::Dialogs().MessageBox(this, Pick(language_, text::kPortOpenFailed) + port + ": " + link_->OpenError(),
                                  Pick(language_, text::kWarning), MessageButtons::kOk);
  } else if (IsNetworkPortName(port)) {
    qWarning("dspdesk: %s", link_->OpenError().c_str());
    reconnect_.Lost(port);
  }
}

void MainWindow::KeepNetworkPort(const std::string& port) {
  if (!IsNetworkPortName(port)) return;
  AddOnce(ports_, port);
  if (const FileResult kept = RememberNetworkPort(setting_file_, port); !kept.Ok()) {
    qWarning("dspdesk: %s", kept.message.c_str());
  }
}

// The edits made just before go out on the old port first, so that no
// change is lost on the way to the processor.
void MainWindow::SwitchPort(const std::string& port) {
  reconnect_.Forget();
  opening_.Abandon();
  SendPendingEdits();
  if (link_->IsOpen()) ClosePort();
  StartOpen(port, true);
}

void MainWindow::ClosePort() {
  SetTitleSuffix("");
  link_->Close();
}

void MainWindow::SetTitleSuffix(std::string suffix) {
  if (Control* title = FindControl("label_window_name")) {
    std::string text = title->Text();
    if (!title_suffix_.empty() && text.ends_with(title_suffix_)) text.resize(text.size() - title_suffix_.size());
    title->SetText(text + suffix);
  }
  title_suffix_ = std::move(suffix);
}

void MainWindow::PortChanged(const PortChange& change) {
  const std::intptr_t key = next_port_key_++;
  pending_ports_[key] = change.port;
  PostMessage(kWmDeviceChange, change.kind == PortChange::Kind::kArrival ? kPortArrival : kPortRemoval, key);
}

bool MainWindow::OnDeviceChange(std::uintptr_t kind, std::intptr_t key) {
  auto found = pending_ports_.find(key);
  if (found == pending_ports_.end()) return false;
  const std::string port = found->second;
  pending_ports_.erase(found);
  if (kind == kPortArrival) OnPortArrival(port);
  else if (kind == kPortRemoval) OnPortRemoval(port);
  return true;
}

void MainWindow::OnPortArrival(const std::string& port) {
  const int answer = Toolkit::Dialogs().MessageBox(this, UsePortQuestion(language_, port),
                                                   Pick(language_, text::kQuestion), MessageButtons::kOkCancel);
  if (answer == kIdOk) {
    SwitchPort(port);
  }
  AddOnce(ports_, port);
}

// A network port stays on offer: its server may come back.
void MainWindow::OnPortRemoval(const std::string& port) {
  if (link_->IsOpen() && link_->PortName() == port) ClosePort();
  if (IsNetworkPortName(port)) return;
  ports_.erase(std::remove(ports_.begin(), ports_.end(), port), ports_.end());
}

// Also looks for a port the link lost (an adapter pulled out before udev
// said so, or without udev, or a dropped connection): it goes the way of a
// removal, and a network port is opened again once its server is back.
void MainWindow::OnTraceTimer(std::uint32_t) {
  if (const std::optional<std::string> lost = link_->TakeLostPort()) {
    SetTitleSuffix("");
    OnPortRemoval(*lost);
    reconnect_.Lost(*lost);
  }
  if (const std::optional<std::string> back = reconnect_.Tick(kTraceMs)) {
    if (!link_->IsOpen() && !opening_.Busy()) StartOpen(*back, false);
  }
  if (const std::optional<bool> opened = opening_.TakeResult()) PortOpenEnded(opening_.Port(), *opened);
  if (debug_dialog_ == nullptr) return;
  link_->SetHexTrace(debug_dialog_->HexChosen());
  const std::string trace = link_->TakeTrace();
  if (!trace.empty()) debug_dialog_->AppendTrace(trace);
}

}  // namespace dsp
