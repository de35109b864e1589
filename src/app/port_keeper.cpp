#include "app/port_keeper.h"

#include <QtGlobal>
#include <algorithm>
#include <utility>

#include "app/port_link.h"
#include "app/texts.h"
#include "app/window_context.h"
#include "link/port_name.h"
#include "persist/network_port_setting.h"
#include "platform/messages.h"
#include "platform/toolkit.h"
#include "platform/window.h"

namespace dsp {
namespace {

void AddOnce(std::vector<std::string>& ports, const std::string& port) {
  if (std::find(ports.begin(), ports.end(), port) == ports.end()) ports.push_back(port);
}

}  // namespace

PortKeeper::PortKeeper(WindowContext& window, std::vector<std::string> preferred, std::string setting_file,
                       std::function<void()> send_pending_edits)
    : window_(window),
      preferred_(std::move(preferred)),
      setting_file_(std::move(setting_file)),
      send_pending_edits_(std::move(send_pending_edits)) {}

// A network port is not tried first: its connect would hold up the start.
void PortKeeper::OpenFirst() {
  PortLink& link = window_.Link();
  const int baud = static_cast<int>(window_.Config().baud);
  offered_.clear();
  for (const std::string& port : preferred_) {
    if (link.OpensSlowly(port)) {
      AddOnce(offered_, port);
    } else if (link.Open(port, baud)) {
      link.Close();
      AddOnce(offered_, port);
    } else {
      qWarning("dspdesk: cannot open %s: %s", port.c_str(), link.OpenError().c_str());
    }
  }
  for (const std::string& port : link.OpenablePorts(baud)) AddOnce(offered_, port);
  if (!offered_.empty()) StartOpen(offered_.front(), FailureReport::kWarn);
  // Offered, not opened: a server that is away would hold up the start.
  for (const std::string& port : ReadNetworkPorts(setting_file_)) AddOnce(offered_, port);
  for (const std::string& port : window_.Config().network_ports) AddOnce(offered_, port);
}

void PortKeeper::Choose(const std::string& port) {
  KeepNetworkPort(port);
  if (!port.empty() && port != window_.Link().PortName()) SwitchTo(port);
}

// A port that opens slowly ends in OpenEnded, from Tick.
void PortKeeper::StartOpen(const std::string& port, FailureReport report) {
  PortLink& link = window_.Link();
  const int baud = static_cast<int>(window_.Config().baud);
  open_failure_report_ = report;
  if (link.OpensSlowly(port)) {
    opening_.Start(link, port, baud);
  } else {
    OpenEnded(port, link.Open(port, baud));
  }
}

// A network port that will not open without the user asking is tried again
// until its server is there.
void PortKeeper::OpenEnded(const std::string& port, bool opened) {
  const Language language = window_.InterfaceLanguage();
  if (opened) {
    SetTitleSuffix(" [" + port + "]");
    KeepNetworkPort(port);
  } else if (open_failure_report_ == FailureReport::kTellTheUser) {
    Toolkit::Dialogs().MessageBox(&window_.Host(),
                                  Pick(language, text::kPortOpenFailed) + port + ": " + window_.Link().OpenError(),
                                  Pick(language, text::kWarning), MessageButtons::kOk);
  } else {
    if (open_failure_report_ == FailureReport::kWarn) qWarning("dspdesk: %s", window_.Link().OpenError().c_str());
    reconnect_.Lost(port);
  }
}

void PortKeeper::KeepNetworkPort(const std::string& port) {
  if (!IsNetworkPortName(port)) return;
  AddOnce(offered_, port);
  if (const FileResult kept = RememberNetworkPort(setting_file_, port); !kept.Ok()) {
    qWarning("dspdesk: %s", kept.message.c_str());
  }
}

// The edits made just before go out on the old port first, so that no
// change is lost on the way to the processor.
void PortKeeper::SwitchTo(const std::string& port) {
  reconnect_.Forget();
  opening_.Abandon();
  send_pending_edits_();
  if (window_.Link().IsOpen()) Close();
  StartOpen(port, FailureReport::kTellTheUser);
}

void PortKeeper::Close() {
  SetTitleSuffix("");
  window_.Link().Close();
}

void PortKeeper::SetTitleSuffix(std::string suffix) {
  if (Control* title = window_.Host().FindControl("label_window_name")) {
    std::string text = title->Text();
    if (!title_suffix_.empty() && text.ends_with(title_suffix_)) text.resize(text.size() - title_suffix_.size());
    title->SetText(text + suffix);
  }
  title_suffix_ = std::move(suffix);
}

void PortKeeper::RecaptionTitle(const std::function<void()>& recaption) {
  const std::string suffix = title_suffix_;
  SetTitleSuffix("");
  recaption();
  SetTitleSuffix(suffix);
}

void PortKeeper::Changed(const PortChange& change) {
  const std::intptr_t key = next_change_key_++;
  pending_changes_[key] = change.port;
  window_.Host().PostMessage(kWmDeviceChange, change.kind == PortChange::Kind::kArrival ? kPortArrival : kPortRemoval,
                             key);
}

bool PortKeeper::OnDeviceChange(std::uintptr_t kind, std::intptr_t key) {
  auto found = pending_changes_.find(key);
  if (found == pending_changes_.end()) return false;
  const std::string port = found->second;
  pending_changes_.erase(found);
  if (kind == kPortArrival) OnArrival(port);
  else if (kind == kPortRemoval) OnRemoval(port);
  return true;
}

void PortKeeper::OnArrival(const std::string& port) {
  const Language language = window_.InterfaceLanguage();
  const int answer = Toolkit::Dialogs().MessageBox(&window_.Host(), UsePortQuestion(language, port),
                                                   Pick(language, text::kQuestion), MessageButtons::kOkCancel);
  if (answer == kIdOk) {
    SwitchTo(port);
  }
  AddOnce(offered_, port);
}

// A network port stays on offer: its server may come back.
void PortKeeper::OnRemoval(const std::string& port) {
  PortLink& link = window_.Link();
  if (link.IsOpen() && link.PortName() == port) Close();
  if (IsNetworkPortName(port)) return;
  offered_.erase(std::remove(offered_.begin(), offered_.end(), port), offered_.end());
}

// A port the link lost (an adapter pulled out before udev said so, or
// without udev, or a dropped connection) goes the way of a removal, and a
// network port is opened again once its server is back.
void PortKeeper::Tick(int elapsed_ms) {
  PortLink& link = window_.Link();
  if (const std::optional<std::string> lost = link.TakeLostPort()) {
    SetTitleSuffix("");
    OnRemoval(*lost);
    reconnect_.Lost(*lost);
  }
  if (const std::optional<std::string> due = reconnect_.Tick(elapsed_ms)) {
    if (!link.IsOpen() && !opening_.Busy()) StartOpen(*due, FailureReport::kNone);
  }
  if (const std::optional<bool> opened = opening_.TakeResult()) OpenEnded(opening_.Port(), *opened);
}

}  // namespace dsp
