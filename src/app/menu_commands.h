#pragma once

// What the file and option menus do with a processor: read it again, restore
// its factory settings, save its parameters to a file or load them from
// one, save its effect memory to a file, and copy one processor's
// parameters to others. Each item first needs a processor: with none listed
// or none selected it says so and does nothing else.

#include <string>

#include "app/notify_registry.h"
#include "app/window_context.h"
#include "model/device_list.h"

namespace dsp {

// The selected processor for a menu item that acts on one, or nullptr after
// saying why there is none (none listed, none selected).
DeviceRecord* DeviceForMenuItem(WindowContext& context);

class MenuCommands {
 public:
  explicit MenuCommands(WindowContext& context) : context_(context) {}

  void Register(NotifyRegistry& registry);

 private:
  // The selected processor, or nullptr after saying why there is none.
  DeviceRecord* Target();

  void OnLoadFromDevice(Notification&);
  void OnReset(Notification&);
  void OnSaveToPc(Notification&);
  void OnLoadFromPc(Notification&);
  void OnSaveAllToPc(Notification&);
  void OnDeviceCopy(Notification&);
  void CopyTo(const DeviceRecord& source, int target);

  WindowContext& context_;
};

}  // namespace dsp
