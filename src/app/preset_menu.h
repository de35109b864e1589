#pragma once

// The file menu's preset item: the preset dialog for the selected
// processor. The dialog posts its messages back to the main window, where
// the handlers here send the preset commands, say on the processor's
// status label what it does, and read it back after a recall.

#include <cstdint>
#include <string>

#include "app/message_table.h"
#include "app/notify_registry.h"
#include "app/window_context.h"

namespace dsp {

class PresetMenu {
 public:
  explicit PresetMenu(WindowContext& context) : context_(context) {}

  void Register(NotifyRegistry& registry, MessageTable& messages);

 private:
  void OnPresets(Notification&);
  // The dialog's messages: wParam the preset slot, lParam the processor's address.
  bool OnRecall(std::uintptr_t slot, std::intptr_t address);
  bool OnRecallDone(std::uintptr_t, std::intptr_t address);
  bool OnSave(std::uintptr_t slot, std::intptr_t address);
  bool OnSaveDone(std::uintptr_t, std::intptr_t address);
  bool OnRename(std::uintptr_t slot, std::intptr_t);
  void SetStatus(std::intptr_t address, const std::string& text);

  WindowContext& context_;
};

}  // namespace dsp
