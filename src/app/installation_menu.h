#pragma once

// The file menu's whole-installation items: back every listed processor up
// into a folder (one parameter file each, named by chip ID, and the
// manifest), and restore such a folder onto the processors with those chip
// IDs, whatever addresses the scan gave them. Each processor goes behind
// its own wait dialog; a summary ends both.

#include <string>

#include "app/notify_registry.h"
#include "app/window_context.h"
#include "model/device_list.h"

namespace dsp {

class InstallationMenu {
 public:
  explicit InstallationMenu(WindowContext& context) : context_(context) {}

  void Register(NotifyRegistry& registry);

 private:
  void OnBackup(Notification&);
  void OnRestore(Notification&);
  // The folder the user chose, or nothing (no processor listed, cancelled).
  std::optional<std::string> Folder(const BilingualText& title);

  WindowContext& context_;
};

}  // namespace dsp
