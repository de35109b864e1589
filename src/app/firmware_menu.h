#pragma once

// Sending a file to one processor's loader: new firmware (option menu) or
// a stored parameter image (file menu). Both choose a .bin file, hand it to
// the link's transfer and watch it in the progress dialog until it reports
// the outcome. A firmware update first rescans the bus and goes on only
// when the one processor left is the one that was selected.

#include <optional>
#include <string>

#include "app/notify_registry.h"
#include "app/port_link.h"
#include "app/window_context.h"

namespace dsp {

class FirmwareMenu {
 public:
  explicit FirmwareMenu(WindowContext& context) : context_(context) {}

  void Register(NotifyRegistry& registry);

 private:
  void OnFirmwareUpdate(Notification&);
  void OnParameterImport(Notification&);
  // The file the user chose, or nothing when cancelled.
  std::optional<std::string> ChooseFile();
  // Starts the transfer and shows its progress until the outcome is told.
  void Transfer(const std::string& path, int address, TransferMode mode, const std::string& caption);

  WindowContext& context_;
};

}  // namespace dsp
