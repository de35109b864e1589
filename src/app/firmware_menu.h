#pragma once

// Sending a file to one processor's loader: new firmware (option menu) or
// a stored parameter image (file menu). Both choose a .bin file, hand it to
// the link's transfer and watch it in the progress dialog until it reports
// the outcome. A firmware update first rescans the bus and goes on only
// when the one processor left is the one that was selected.

#include <functional>
#include <optional>
#include <string>

#include "app/level_poll_runner.h"
#include "app/notify_registry.h"
#include "app/pages/page_context.h"
#include "app/port_link.h"
#include "model/device_list.h"

namespace dsp {

class FirmwareMenu {
 public:
  // `rescan` empties the device list and scans the bus again, returning
  // once the scan has ended.
  FirmwareMenu(PageContext& context, const DeviceList& devices, PortLink& link, LevelPollRunner& level_poll,
               std::function<void()> rescan)
      : context_(context), devices_(devices), link_(link), level_poll_(level_poll), rescan_(std::move(rescan)) {}

  void Register(NotifyRegistry& registry);

 private:
  void OnFirmwareUpdate(Notification&);
  void OnParameterImport(Notification&);
  // The file the user chose, or nothing when cancelled.
  std::optional<std::string> ChooseFile();
  // Starts the transfer and shows its progress until the outcome is told.
  void Transfer(const std::string& path, int address, TransferMode mode, const std::string& caption);

  PageContext& context_;
  const DeviceList& devices_;
  PortLink& link_;
  LevelPollRunner& level_poll_;
  std::function<void()> rescan_;
};

}  // namespace dsp
