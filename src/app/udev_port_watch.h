#pragma once

// The port watch on Linux: udev's tty events, read on the UI thread through
// a socket notifier.

#include <memory>

#include "app/port_watch.h"

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace dsp {

class UdevPortWatch : public PortWatch {
 public:
  // Starts watching; nothing when udev cannot be reached.
  static std::unique_ptr<UdevPortWatch> Start(Callback on_change);
  ~UdevPortWatch() override;
  UdevPortWatch(const UdevPortWatch&) = delete;
  UdevPortWatch& operator=(const UdevPortWatch&) = delete;

 private:
  UdevPortWatch(udev* context, udev_monitor* monitor, Callback on_change);
  void ReadEvent();

  udev* context_;
  udev_monitor* monitor_;
  Callback on_change_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace dsp
