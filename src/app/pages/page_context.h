#pragma once

// What a page may ask of the main window: the record to edit, the view
// state of a processor, deferred writes, messages, the window's controls,
// and refreshing the rest of the window after a change.

#include <string>

#include "app/pages/device_view.h"
#include "app/texts.h"
#include "model/configuration.h"
#include "model/device_record.h"
#include "model/write_id.h"
#include "platform/dialog_service.h"

namespace dsp {

class Window;

class PageContext {
 public:
  static constexpr int kWriteDelayMs = 100;
  // While a gain slider is dragged the processor follows within a tick.
  static constexpr int kDragWriteDelayMs = 1;

  virtual ~PageContext() = default;

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

  virtual int Language() const = 0;
  virtual const Configuration& Config() const = 0;
  virtual int Say(const BilingualText& message, const BilingualText& caption,
                  MessageButtons buttons = MessageButtons::kOk) = 0;
  virtual Window& Host() = 0;
  // A message already worded in the interface's language (a file's
  // problem, a summary), titled "Tips".
  void Tell(const std::string& message);

  // Makes `channel` the one the pages of `side` show, when it is not already.
  virtual void SelectChannel(int side, int channel) = 0;
  // The overview and every page, for the selected record.
  virtual void RefreshAll() = 0;
};

}  // namespace dsp
