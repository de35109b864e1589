#pragma once

#include <filesystem>

#include "platform/clock.h"
#include "platform/dialog_service.h"

namespace dsp {

// The process-wide services every window uses: the clock (timers, posted
// messages, modal loops), the message boxes and file dialogs, and the skin
// folder. The real ones are the defaults; tests and scripted runs swap in
// their own with ToolkitOverride.
class Toolkit {
 public:
  static Clock& GetClock();
  static DialogService& Dialogs();

  static const std::filesystem::path& SkinDir();
  static void SetSkinDir(std::filesystem::path dir);

 private:
  friend class ToolkitOverride;
  static Clock* clock_;
  static DialogService* dialogs_;
};

// Replaces the clock and/or the dialog service for its lifetime (a null
// argument keeps the current one), restoring the previous ones afterwards.
class ToolkitOverride {
 public:
  ToolkitOverride(Clock* clock, DialogService* dialogs);
  ~ToolkitOverride();
  ToolkitOverride(const ToolkitOverride&) = delete;
  ToolkitOverride& operator=(const ToolkitOverride&) = delete;

 private:
  Clock* previous_clock_;
  DialogService* previous_dialogs_;
};

}  // namespace dsp
