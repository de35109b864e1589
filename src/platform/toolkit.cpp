#include "platform/toolkit.h"

#include <utility>

#include "platform/qt_dialog_service.h"
#include "platform/real_clock.h"

namespace dsp {
namespace {

std::filesystem::path& SkinDirStorage() {
  static std::filesystem::path dir = "skin";
  return dir;
}

}  // namespace

Clock* Toolkit::clock_ = nullptr;
DialogService* Toolkit::dialogs_ = nullptr;

Clock& Toolkit::GetClock() {
  if (clock_ != nullptr) return *clock_;
  static RealClock real;
  return real;
}

DialogService& Toolkit::Dialogs() {
  if (dialogs_ != nullptr) return *dialogs_;
  static QtDialogService real;
  return real;
}

const std::filesystem::path& Toolkit::SkinDir() { return SkinDirStorage(); }

void Toolkit::SetSkinDir(std::filesystem::path dir) { SkinDirStorage() = std::move(dir); }

ToolkitOverride::ToolkitOverride(Clock* clock, DialogService* dialogs)
    : previous_clock_(Toolkit::clock_), previous_dialogs_(Toolkit::dialogs_) {
  if (clock != nullptr) Toolkit::clock_ = clock;
  if (dialogs != nullptr) Toolkit::dialogs_ = dialogs;
}

ToolkitOverride::~ToolkitOverride() {
  Toolkit::clock_ = previous_clock_;
  Toolkit::dialogs_ = previous_dialogs_;
}

}  // namespace dsp
