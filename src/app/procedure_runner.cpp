#include "app/procedure_runner.h"

#include <cstdio>

#include "app/control_names.h"
#include "app/timer_ids.h"
#include "dialogs/wait_dialog.h"

namespace dsp {

ProcedureRunner::ProcedureRunner(Window& window, FrameLink& link, DeviceList& devices, const Configuration& config,
                                 LevelPollRunner& level_poll, EndHandler on_end)
    : window_(window),
      devices_(devices),
      driver_(link, *this, devices, config),
      level_poll_(level_poll),
      on_end_(std::move(on_end)) {}

void ProcedureRunner::Begin(int address) {
  level_poll_.Pause();
  address_ = address;
  done_ = false;
  failed_ = false;
}

void ProcedureRunner::StartReadAll(int address, int start_delay_ms) {
  Begin(address);
  driver_.StartReadAll(start_delay_ms);
  window_.SetTimer(timer::kProcedure, driver_.PeriodMs());
}

bool ProcedureRunner::ReadAll(int address, int start_delay_ms, const std::string& status, int bar_range) {
  StartReadAll(address, start_delay_ms);
  SetStatus(status);
  ShowWaitDialog(status, bar_range, nullptr);
  const bool completed = done_ && !failed_;
  if (DeviceRecord* record = FindDevice(devices_, address); record != nullptr && completed) {
    record->SetSynchronised(true);
  }
  SetStatus("");
  return completed;
}

void ProcedureRunner::WriteAll(int address, const std::string& status) {
  Begin(address);
  SetStatus(status);
  driver_.StartWriteAll(static_cast<std::uint8_t>(address));
  window_.SetTimer(timer::kProcedure, driver_.PeriodMs());
  ShowWaitDialog(status, -1, nullptr);
  SetStatus("");
}

// The bytes are kept until the read has completed: a failed read must not
// leave a file that looks like a whole image.
bool ProcedureRunner::ReadEffects(int address, int blocks, Bytes& image, const EffectReadTexts& texts) {
  Begin(address);
  image_ = &image;
  percent_ = 0;
  progress_format_ = texts.progress_format;
  SetStatus(texts.first_status);
  if (driver_.StartEffectRead(blocks)) {
    done_ = true;
    failed_ = true;
    image_ = nullptr;
    SetStatus("");
    level_poll_.Resume();
    return false;
  }
  window_.SetTimer(timer::kProcedure, driver_.PeriodMs());
  ShowWaitDialog(texts.dialog, -1, &percent_);
  image_ = nullptr;
  SetStatus("");
  return done_ && !failed_;
}

void ProcedureRunner::Tick() {
  const ProcedureEnd end = driver_.Tick();
  if (end == ProcedureEnd::kRunning) return;
  done_ = true;
  failed_ = end == ProcedureEnd::kFailed;
  window_.KillTimer(timer::kProcedure);
  level_poll_.Resume();
  on_end_(end);
}

void ProcedureRunner::OnEffectData(ByteView data) {
  if (image_ != nullptr) image_->insert(image_->end(), data.begin(), data.end());
}

void ProcedureRunner::OnEffectProgress(int percent) {
  percent_ = percent;
  char text[96];
  std::snprintf(text, sizeof text, progress_format_.c_str(), percent);
  SetStatus(text);
}

void ProcedureRunner::ShowWaitDialog(const std::string& text, int bar_range, const int* percent) {
  WaitDialog dialog(kWaitMinimumMs, text, &done_);
  if (bar_range >= 0) dialog.SetBarRange(bar_range);
  if (percent != nullptr) dialog.FollowPercent(percent);
  RunWaitDialog(dialog, window_, "Synchronize");
}

void ProcedureRunner::SetStatus(const std::string& text) {
  if (Control* tips = window_.FindControl(Channel("label_tips", address_ - 1))) tips->SetText(text);
}

}  // namespace dsp
