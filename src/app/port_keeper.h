#pragma once

// The ports the window offers and the one it keeps open: at start the first
// that opens, later the user's choice, ports plugged in or removed, and a
// lost network port, opened again once its server is back. A port that
// opens slowly (a network connect) opens off the UI thread. While a port is
// open the title shows it as a " [port]" suffix.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/port_change.h"
#include "app/port_opening.h"
#include "link/reconnect.h"

namespace dsp {

class WindowContext;

class PortKeeper {
 public:
  // `preferred` are tried before the serial devices, in this order;
  // `setting_file` keeps the network ports used; `send_pending_edits` runs
  // before a switch, so that the edits made just before reach the old port.
  PortKeeper(WindowContext& window, std::vector<std::string> preferred, std::string setting_file,
             std::function<void()> send_pending_edits);

  // The ports on offer: the ones that opened at start, those plugged in
  // since, the network ports used or configured.
  const std::vector<std::string>& Offered() const { return offered_; }

  // The ports named on the command line come first, then the serial devices
  // that open; the first of them is kept open.
  void OpenFirst();
  // The user chose `port` in the settings dialog (empty: none).
  void Choose(const std::string& port);
  // A port came or went; handled as a posted device-change message.
  void Changed(const PortChange& change);
  bool OnDeviceChange(std::uintptr_t kind, std::intptr_t key);
  // From the window's trace timer, every `elapsed_ms`: a port the link
  // lost, a network port whose server is back, an open that ended.
  void Tick(int elapsed_ms);
  // Runs `recaption`, which sets the title's text anew, with the port
  // suffix taken off the title and put back after.
  void RecaptionTitle(const std::function<void()>& recaption);

 private:
  // What a failed open leads to: a message box (the user chose the port), a
  // warning on the console, or nothing more (a reconnect attempt); a network
  // port other than the user's choice is then tried again.
  enum class FailureReport { kTellTheUser, kWarn, kNone };
  // Opens `port` (in the background when it opens slowly).
  void StartOpen(const std::string& port, FailureReport report);
  void OpenEnded(const std::string& port, bool opened);
  // A network port stays on offer and in Setting.ini once used or typed.
  void KeepNetworkPort(const std::string& port);
  void SwitchTo(const std::string& port);
  void Close();
  void SetTitleSuffix(std::string suffix);
  void OnArrival(const std::string& port);
  void OnRemoval(const std::string& port);

  WindowContext& window_;
  std::vector<std::string> preferred_;
  std::string setting_file_;
  std::function<void()> send_pending_edits_;
  std::vector<std::string> offered_;
  std::string title_suffix_;  // " [port]" on label_window_name while a port is open
  std::map<std::intptr_t, std::string> pending_changes_;  // by the key their message carries
  std::intptr_t next_change_key_ = 1;
  // A network port whose connection dropped, opened again every few
  // seconds until its server is back.
  Reconnect reconnect_;
  PortOpening opening_;
  FailureReport open_failure_report_ = FailureReport::kWarn;
};

}  // namespace dsp
