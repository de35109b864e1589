#include "protocol/write_all.h"

#include "model/write_builders.h"

namespace dsp {

void WriteAll::Restart(std::uint8_t target_address) {
  target_ = target_address;
  state_ = State::kEmit;
  side_ = 0;
  channel_ = 0;
  pause_ms_ = 0;
}

bool WriteAll::Tick() {
  const DeviceRecord* target = target_ == 0 ? nullptr : FindDevice(devices_, target_);
  switch (state_) {
    case State::kEmit:
      if (target != nullptr) EmitChannel(*target);
      pause_ms_ = kPauseMs;
      state_ = State::kPause;
      return false;
    case State::kPause:
      if (pause_ms_ >= 1) {
        pause_ms_ -= kTickMs;
        return false;
      }
      Advance(target);
      return false;
    case State::kDrain:
      if (!link_.IsSendQueueEmpty()) return false;
      Restart(target_);
      return true;
  }
  return false;
}

void WriteAll::Advance(const DeviceRecord* target) {
  const int count = target == nullptr ? 0 : (side_ == 0 ? target->Inputs() : target->Outputs());
  if (++channel_ < count) {
    state_ = State::kEmit;
    return;
  }
  channel_ = 0;
  if (side_ == 0) {
    side_ = 1;
    state_ = State::kEmit;
  } else {
    state_ = State::kDrain;
  }
}

void WriteAll::EmitChannel(const DeviceRecord& target) {
  if (side_ == 0) {
    EmitInput(target, channel_);
  } else {
    EmitOutput(target, channel_);
  }
}

void WriteAll::EmitInput(const DeviceRecord& target, int channel) {
  const int address = target.Address();
  Emit(WriteId::GainMute(0, channel, address), target);
  Emit(WriteId::Polarity(0, channel, address), target);
  Emit(WriteId::Delay(0, channel, address), target);
  Emit(WriteId::NoiseGate(channel, address), target);
  Emit(WriteId::MatrixRow(channel, 0, address), target);
  for (int band = 0; band < target.EqBandCount(0); ++band) Emit(WriteId::EqBand(0, channel, band, address), target);
}

void WriteAll::EmitOutput(const DeviceRecord& target, int channel) {
  const int address = target.Address();
  if (channel == 0) {
    Emit(WriteId::GainMute(1, 0, address), target);
    Emit(WriteId::Polarity(1, 0, address), target);
    Emit(WriteId::Delay(1, 0, address), target);
  }
  Emit(WriteId::Compressor(channel, address), target);
  Emit(WriteId::Limiter(channel, address), target);
  Emit(WriteId::Filter(channel, kHighPass, address), target);
  Emit(WriteId::Filter(channel, kLowPass, address), target);
  for (int band = 0; band < target.EqBandCount(1); ++band) Emit(WriteId::EqBand(1, channel, band, address), target);
}

void WriteAll::Emit(WriteId id, const DeviceRecord& target) {
  if (auto frame = BuildWrite(id, target, config_)) link_.Send(*frame);
}

}  // namespace dsp
