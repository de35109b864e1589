#pragma once

// The main window as its parts see it (the pages, the page navigation and
// the menus): the record to edit, the view state of a processor, deferred
// writes, telling the user, the window's controls, refreshing the rest of
// the window after a change, and the parts the menus work with.

#include <string>

#include "app/device_view.h"
#include "app/texts.h"
#include "model/configuration.h"
#include "model/device_list.h"
#include "model/device_record.h"
#include "model/write_id.h"
#include "platform/dialog_service.h"

namespace dsp {

class LevelPollRunner;
class PortLink;
class ProcedureRunner;
class Window;

class WindowContext {
 public:
  static constexpr int kWriteDelayMs = 100;
  // While a gain slider is dragged the processor follows within a tick.
  static constexpr int kDragWriteDelayMs = 1;

  virtual ~WindowContext() = default;

  // The record the pages show: the tree's selection, the offline record
  // while no processor is listed, nullptr when processors are listed but
  // none is selected.
  virtual DeviceRecord* SelectedDevice() = 0;
  // The record to change: as SelectedDevice, but with processors listed and
  // none selected it asks the user to select one and gives nullptr.
  virtual DeviceRecord* DeviceForEdit() = 0;
  virtual DeviceView& View(int address) = 0;

  // Sends the write `id` names `delay_ms` from now, built from the record
  // as it is then; scheduling it again before then replaces the pending one.
  virtual void ScheduleWrite(WriteId id, int delay_ms = kWriteDelayMs) = 0;
  // Sends the write `id` names now, built from the record as it is, in
  // place of a pending one of that name (a dragged handle is heard while
  // it moves).
  virtual void SendWriteNow(WriteId id) = 0;

  virtual Language InterfaceLanguage() const = 0;
  virtual const Configuration& Config() const = 0;
  virtual Window& Host() = 0;

  // Tells the user `message` in the interface's language in a message box
  // titled `caption`; gives the button pressed.
  int Say(const BilingualText& message, const BilingualText& caption = text::kTips,
          MessageButtons buttons = MessageButtons::kOk);
  // A message already worded in the interface's language (a file's
  // problem, a summary), titled "Tips".
  void Say(const std::string& message);

  // Makes `channel` the one the pages of `side` show, when it is not already.
  virtual void SelectChannel(int side, int channel) = 0;
  // The overview and every page, for the selected record.
  virtual void RefreshAll() = 0;

  // What the menus work with: the listed processors, the device procedures,
  // the port, the level poll, and a new scan of the bus (it empties the
  // list and returns once the scan has ended).
  virtual DeviceList& Devices() = 0;
  virtual ProcedureRunner& Procedures() = 0;
  virtual PortLink& Link() = 0;
  virtual LevelPollRunner& LevelPolling() = 0;
  virtual void StartScan() = 0;
};

}  // namespace dsp
