#pragma once

// The one long device procedure that may run at a time: read all, write all,
// or the effect image read. The host calls Tick at PeriodMs() and, when Tick
// reports the end, stops ticking and reacts (restarts the level poll,
// refreshes its views, reports a failure).

#include <cstdint>
#include <optional>
#include <string>

#include "link/frame_link.h"
#include "model/configuration.h"
#include "protocol/effect_read.h"
#include "protocol/procedure_host.h"
#include "protocol/read_all.h"
#include "protocol/write_all.h"

namespace dsp {

enum class ProcedureMode { kReadAll = 0, kWriteAll = 1, kEffectRead = 3 };

enum class ProcedureEnd { kRunning, kSucceeded, kFailed };

// Start delays of the read-all: after a selection or the sync button, and
// after a preset recall or factory restore, which the processor needs time
// to carry out.
inline constexpr int kSyncStartDelayMs = 1000;
inline constexpr int kRecallSettleMs = 12000;
inline constexpr int kFactoryRestoreSettleMs = 16000;
inline constexpr int kWriteAllStartDelayMs = 1;
inline constexpr int kEffectReadStartDelayMs = 10;

// 16 s for the factory preset 0, 12 s for the others.
int RecallSettleDelayMs(int preset);

class ProcedureDriver {
 public:
  ProcedureDriver(FrameLink& link, ProcedureHost& host, const DeviceList& devices, const Configuration& config)
      : read_all_(link, host, config), write_all_(link, devices, config), effect_read_(link, host) {}

  void StartReadAll(int start_delay_ms);
  void StartWriteAll(std::uint8_t target_address);
  // Refuses a block count below 1 with a message for the user; nothing is
  // sent then.
  std::optional<std::string> StartEffectRead(int block_count);

  ProcedureEnd Tick();
  bool Running() const { return running_; }
  ProcedureMode Mode() const { return mode_; }
  int PeriodMs() const { return mode_ == ProcedureMode::kEffectRead ? EffectRead::kTickMs : 100; }

 private:
  static constexpr int kDelayStepMs = 100;

  void Begin(ProcedureMode mode, int start_delay_ms);
  ProcedureEnd StepMode();

  ReadAll read_all_;
  WriteAll write_all_;
  EffectRead effect_read_;
  ProcedureMode mode_ = ProcedureMode::kReadAll;
  int start_delay_ms_ = 0;
  bool running_ = false;
};

}  // namespace dsp
