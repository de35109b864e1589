#pragma once

// Watches the system for serial ports being plugged in or removed (udev,
// tty subsystem) and reports each on the UI thread.

#include <functional>
#include <memory>
#include <string>

#include "app/port_change.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace dsp {

class PortMonitor {
 public:
  using Callback = std::function<void(const PortChange&)>;

  // Starts watching; on failure returns nothing and says why in `error`.
  static std::unique_ptr<PortMonitor> Start(Callback on_change, std::string& error);
  ~PortMonitor();
  PortMonitor(const PortMonitor&) = delete;
  PortMonitor& operator=(const PortMonitor&) = delete;

 private:
  PortMonitor(udev* context, udev_monitor* monitor, Callback on_change);
  void ReadEvent();

  udev* context_;
  udev_monitor* monitor_;
  Callback on_change_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace dsp
