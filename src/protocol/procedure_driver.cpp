#include "protocol/procedure_driver.h"

namespace dsp {

int RecallSettleDelayMs(int preset) { return preset == 0 ? kFactoryRestoreSettleMs : kRecallSettleMs; }

void ProcedureDriver::Begin(ProcedureMode mode, int start_delay_ms) {
  mode_ = mode;
  start_delay_ms_ = start_delay_ms;
  running_ = true;
}

void ProcedureDriver::StartReadAll(int start_delay_ms) {
  read_all_.Restart();
  Begin(ProcedureMode::kReadAll, start_delay_ms);
}

void ProcedureDriver::StartWriteAll(std::uint8_t target_address) {
  write_all_.Restart(target_address);
  Begin(ProcedureMode::kWriteAll, kWriteAllStartDelayMs);
}

std::optional<std::string> ProcedureDriver::StartEffectRead(int block_count) {
  if (block_count < 1) {
    return "The number of effect blocks is not configured (config_effects max is " + std::to_string(block_count) +
           "); set it to the processor's block count.";
  }
  // The request carries the block index in 16 bits: more blocks would wrap
  // and append blocks 0, 1, ... again.
  if (block_count > kMaxEffectBlockCount) {
    return "config_effects max is " + std::to_string(block_count) + ", more blocks than a processor can address (" +
           std::to_string(kMaxEffectBlockCount) + "); set it to the processor's block count.";
  }
  effect_read_.Restart(block_count);
  Begin(ProcedureMode::kEffectRead, kEffectReadStartDelayMs);
  return std::nullopt;
}

// The start delay counts down by 100 ms per tick whatever the tick period.
ProcedureEnd ProcedureDriver::Tick() {
  if (!running_) return ProcedureEnd::kSucceeded;
  if (start_delay_ms_ >= 1) {
    start_delay_ms_ -= kDelayStepMs;
    if (mode_ == ProcedureMode::kReadAll) read_all_.Restart();
    return ProcedureEnd::kRunning;
  }
  const ProcedureEnd end = StepMode();
  if (end != ProcedureEnd::kRunning) running_ = false;
  return end;
}

ProcedureEnd ProcedureDriver::StepMode() {
  switch (mode_) {
    case ProcedureMode::kReadAll:
      switch (read_all_.Tick()) {
        case ReadAll::Progress::kRunning: return ProcedureEnd::kRunning;
        case ReadAll::Progress::kDone: return ProcedureEnd::kSucceeded;
        case ReadAll::Progress::kFailed: return ProcedureEnd::kFailed;
      }
      break;
    case ProcedureMode::kWriteAll:
      return write_all_.Tick() ? ProcedureEnd::kSucceeded : ProcedureEnd::kRunning;
    case ProcedureMode::kEffectRead:
      switch (effect_read_.Tick()) {
        case EffectRead::Progress::kRunning: return ProcedureEnd::kRunning;
        case EffectRead::Progress::kDone: return ProcedureEnd::kSucceeded;
        case EffectRead::Progress::kFailed: return ProcedureEnd::kFailed;
      }
      break;
  }
  return ProcedureEnd::kRunning;
}

}  // namespace dsp
