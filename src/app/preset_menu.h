#pragma once

// The file menu's preset item: the preset dialog for the selected
// processor. The dialog posts the preset messages back to the main window,
// which sends the preset commands and runs the read-back after a recall.

#include "app/notify_registry.h"
#include "app/pages/page_context.h"
#include "model/device_list.h"

namespace dsp {

class PresetMenu {
 public:
  // `done` is the main window's operation-done flag the dialog's wait
  // windows watch.
  PresetMenu(PageContext& context, DeviceList& devices, const bool* done)
      : context_(context), devices_(devices), done_(done) {}

  void Register(NotifyRegistry& registry);

 private:
  void OnPresets(Notification&);

  PageContext& context_;
  DeviceList& devices_;
  const bool* done_;
};

}  // namespace dsp
