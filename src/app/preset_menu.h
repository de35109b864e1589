#pragma once

// The file menu's preset item: the preset dialog for the selected
// processor. The dialog posts its messages back to the main window, where
// the handlers here send the preset commands, say on the processor's
// status label what it does, and read it back after a recall.

#include <cstdint>
#include <string>

#include "app/level_poll_runner.h"
#include "app/message_table.h"
#include "app/notify_registry.h"
#include "app/pages/page_context.h"
#include "app/procedure_runner.h"
#include "link/frame_link.h"
#include "model/device_list.h"

namespace dsp {

class PresetMenu {
 public:
  PresetMenu(PageContext& context, DeviceList& devices, FrameLink& link, ProcedureRunner& procedures,
             LevelPollRunner& level_poll)
      : context_(context), devices_(devices), link_(link), procedures_(procedures), level_poll_(level_poll) {}

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

  PageContext& context_;
  DeviceList& devices_;
  FrameLink& link_;
  ProcedureRunner& procedures_;
  LevelPollRunner& level_poll_;
};

}  // namespace dsp
