#include "app/udev_port_watch.h"

#include <libudev.h>

#include <QSocketNotifier>
#include <string_view>

#include "app/polling_port_watch.h"

namespace dsp {

// Where udev cannot be reached (a container, a system without it), the
// ports are compared instead.
std::unique_ptr<PortWatch> StartSystemPortWatch(PortWatch::Callback on_change, PortWatchHost host) {
  if (std::unique_ptr<PortWatch> watch = UdevPortWatch::Start(on_change)) return watch;
  return std::make_unique<PollingPortWatch>(std::move(on_change), std::move(host));
}

std::unique_ptr<UdevPortWatch> UdevPortWatch::Start(Callback on_change) {
  udev* context = udev_new();
  if (context == nullptr) return nullptr;
  udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
  if (monitor == nullptr || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0 ||
      udev_monitor_enable_receiving(monitor) < 0) {
    if (monitor != nullptr) udev_monitor_unref(monitor);
    udev_unref(context);
    return nullptr;
  }
  return std::unique_ptr<UdevPortWatch>(new UdevPortWatch(context, monitor, std::move(on_change)));
}

UdevPortWatch::UdevPortWatch(udev* context, udev_monitor* monitor, Callback on_change)
    : context_(context),
      monitor_(monitor),
      on_change_(std::move(on_change)),
      notifier_(std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor), QSocketNotifier::Read)) {
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadEvent(); });
}

UdevPortWatch::~UdevPortWatch() {
  notifier_.reset();
  udev_monitor_unref(monitor_);
  udev_unref(context_);
}

// Only ttys on a device (USB adapters, UARTs, Bluetooth links) are serial
// ports; virtual consoles and pseudo-terminals have none. A removed device
// may have lost its sysfs parent already: removals all go on, and the window
// ignores ports it does not know.
void UdevPortWatch::ReadEvent() {
  udev_device* device = udev_monitor_receive_device(monitor_);
  if (device == nullptr) return;
  const char* action = udev_device_get_action(device);
  const char* node = udev_device_get_devnode(device);
  if (action != nullptr && node != nullptr) {
    const std::string_view what = action;
    if (what == "add" && udev_device_get_parent(device) != nullptr) {
      on_change_({PortChange::Kind::kArrival, node});
    } else if (what == "remove") {
      on_change_({PortChange::Kind::kRemoval, node});
    }
  }
  udev_device_unref(device);
}

}  // namespace dsp
