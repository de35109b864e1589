#include "model/device_record.h"

#include <algorithm>

#include "model/bounded_table.h"

namespace dsp {

using table::Get;
using table::Set;

DeviceRecord::Parameters::Parameters() {
  for (int side = 0; side < kSides; ++side) {
    for (int ch = 0; ch < kChannelsPerSide; ++ch) {
      for (int band = 0; band < kEqBands; ++band) {
        equalizer_frequence[side][ch][band] = kThirdOctaveFrequencies[band];
        equalizer_q[side][ch][band] = 100;
        equalizer_type[side][ch][band] = 1;
      }
      filter_frequence[side][ch] = {20, 20000};
    }
  }
  noise_gate_release_time.fill(5000);
  noise_gate_start_time.fill(2500);
  compressor_ratio.fill(1);
  compressor_release_time.fill(5000);
  compressor_start_time.fill(2500);
  // The limiter frame carries its threshold and release in a byte each: a
  // fresh record's must travel as they are (threshold 0 dB, release 100).
  limit_release_time.fill(100);
  for (int ch = 0; ch < kChannelsPerSide; ++ch) router[ch][ch] = 100;
}

DeviceRecord::DeviceRecord(int address, const ChipIdBytes& chip_id, int inputs, int outputs, std::string name)
    : address_(address),
      channel_count_{std::clamp(inputs, 0, kChannelsPerSide), std::clamp(outputs, 0, kChannelsPerSide)},
      chip_id_(chip_id),
      name_(std::move(name)) {}

void DeviceRecord::CopyParametersFrom(const DeviceRecord& source) { parameters_ = source.parameters_; }

int DeviceRecord::ChannelCount(int side) const { return Get(channel_count_, side); }
int DeviceRecord::EqBandCount(int side) const { return Get(eq_band_count_, side); }
void DeviceRecord::SetEqBandCount(int side, int count) {
  if (count >= 0 && count <= kEqBands) Set(eq_band_count_, count, side);
}

std::string DeviceRecord::PresetName(int preset) const { return Get(preset_names_, preset); }
void DeviceRecord::SetPresetName(int preset, std::string name) { Set(preset_names_, std::move(name), preset); }

int DeviceRecord::Level(int side, int ch) const { return Get(level_, side, ch); }
void DeviceRecord::SetLevel(int side, int ch, int value) { Set(level_, value, side, ch); }

int DeviceRecord::Gain(int side, int ch) const { return Get(parameters_.gain, side, ch); }
void DeviceRecord::SetGain(int side, int ch, int value) { Set(parameters_.gain, value, side, ch); }
bool DeviceRecord::Mute(int side, int ch) const { return Get(parameters_.mute, side, ch); }
void DeviceRecord::SetMute(int side, int ch, bool on) { Set(parameters_.mute, on, side, ch); }
bool DeviceRecord::Polarity(int side, int ch) const { return Get(parameters_.polarity, side, ch); }
void DeviceRecord::SetPolarity(int side, int ch, bool inverted) { Set(parameters_.polarity, inverted, side, ch); }
int DeviceRecord::Delay(int side, int ch) const { return Get(parameters_.delay, side, ch); }
void DeviceRecord::SetDelay(int side, int ch, int samples) { Set(parameters_.delay, samples, side, ch); }
bool DeviceRecord::DelayEnable(int side, int ch) const { return Get(parameters_.delay_enable, side, ch); }
void DeviceRecord::SetDelayEnable(int side, int ch, bool on) { Set(parameters_.delay_enable, on, side, ch); }

bool DeviceRecord::EqualizerEnable(int side, int ch, int band) const {
  return Get(parameters_.equalizer_enable, side, ch, band);
}
void DeviceRecord::SetEqualizerEnable(int side, int ch, int band, bool on) {
  Set(parameters_.equalizer_enable, on, side, ch, band);
}
int DeviceRecord::EqualizerFrequence(int side, int ch, int band) const {
  return Get(parameters_.equalizer_frequence, side, ch, band);
}
void DeviceRecord::SetEqualizerFrequence(int side, int ch, int band, int hz) {
  Set(parameters_.equalizer_frequence, hz, side, ch, band);
}
int DeviceRecord::EqualizerGain(int side, int ch, int band) const {
  return Get(parameters_.equalizer_gain, side, ch, band);
}
void DeviceRecord::SetEqualizerGain(int side, int ch, int band, int value) {
  Set(parameters_.equalizer_gain, value, side, ch, band);
}
int DeviceRecord::EqualizerQ(int side, int ch, int band) const { return Get(parameters_.equalizer_q, side, ch, band); }
void DeviceRecord::SetEqualizerQ(int side, int ch, int band, int value) {
  Set(parameters_.equalizer_q, value, side, ch, band);
}
int DeviceRecord::EqualizerType(int side, int ch, int band) const {
  return Get(parameters_.equalizer_type, side, ch, band);
}
void DeviceRecord::SetEqualizerType(int side, int ch, int band, int code) {
  Set(parameters_.equalizer_type, code, side, ch, band);
}

bool DeviceRecord::FilterEnable(int side, int ch, int filter) const {
  return Get(parameters_.filter_enable, side, ch, filter);
}
void DeviceRecord::SetFilterEnable(int side, int ch, int filter, bool on) {
  Set(parameters_.filter_enable, on, side, ch, filter);
}
int DeviceRecord::FilterFrequence(int side, int ch, int filter) const {
  return Get(parameters_.filter_frequence, side, ch, filter);
}
void DeviceRecord::SetFilterFrequence(int side, int ch, int filter, int hz) {
  Set(parameters_.filter_frequence, hz, side, ch, filter);
}
int DeviceRecord::FilterSlope(int side, int ch, int filter) const {
  return Get(parameters_.filter_slope, side, ch, filter);
}
void DeviceRecord::SetFilterSlope(int side, int ch, int filter, int code) {
  Set(parameters_.filter_slope, code, side, ch, filter);
}
int DeviceRecord::FilterType(int side, int ch, int filter) const {
  return Get(parameters_.filter_type, side, ch, filter);
}
void DeviceRecord::SetFilterType(int side, int ch, int filter, int code) {
  Set(parameters_.filter_type, code, side, ch, filter);
}

bool DeviceRecord::NoiseGateEnable(int ch) const { return Get(parameters_.noise_gate_enable, ch); }
void DeviceRecord::SetNoiseGateEnable(int ch, bool on) { Set(parameters_.noise_gate_enable, on, ch); }
int DeviceRecord::NoiseGateReleaseGate(int ch) const { return Get(parameters_.noise_gate_release_gate, ch); }
void DeviceRecord::SetNoiseGateReleaseGate(int ch, int value) { Set(parameters_.noise_gate_release_gate, value, ch); }
int DeviceRecord::NoiseGateReleaseTime(int ch) const { return Get(parameters_.noise_gate_release_time, ch); }
void DeviceRecord::SetNoiseGateReleaseTime(int ch, int value) { Set(parameters_.noise_gate_release_time, value, ch); }
int DeviceRecord::NoiseGateStartGate(int ch) const { return Get(parameters_.noise_gate_start_gate, ch); }
void DeviceRecord::SetNoiseGateStartGate(int ch, int value) { Set(parameters_.noise_gate_start_gate, value, ch); }
int DeviceRecord::NoiseGateStartTime(int ch) const { return Get(parameters_.noise_gate_start_time, ch); }
void DeviceRecord::SetNoiseGateStartTime(int ch, int value) { Set(parameters_.noise_gate_start_time, value, ch); }

bool DeviceRecord::CompressorEnable(int ch) const { return Get(parameters_.compressor_enable, ch); }
void DeviceRecord::SetCompressorEnable(int ch, bool on) { Set(parameters_.compressor_enable, on, ch); }
int DeviceRecord::CompressorRatio(int ch) const { return Get(parameters_.compressor_ratio, ch); }
void DeviceRecord::SetCompressorRatio(int ch, int value) { Set(parameters_.compressor_ratio, value, ch); }
int DeviceRecord::CompressorReleaseTime(int ch) const { return Get(parameters_.compressor_release_time, ch); }
void DeviceRecord::SetCompressorReleaseTime(int ch, int value) { Set(parameters_.compressor_release_time, value, ch); }
int DeviceRecord::CompressorStartGate(int ch) const { return Get(parameters_.compressor_start_gate, ch); }
void DeviceRecord::SetCompressorStartGate(int ch, int value) { Set(parameters_.compressor_start_gate, value, ch); }
int DeviceRecord::CompressorStartTime(int ch) const { return Get(parameters_.compressor_start_time, ch); }
void DeviceRecord::SetCompressorStartTime(int ch, int value) { Set(parameters_.compressor_start_time, value, ch); }
bool DeviceRecord::LimitEnable(int ch) const { return Get(parameters_.limit_enable, ch); }
void DeviceRecord::SetLimitEnable(int ch, bool on) { Set(parameters_.limit_enable, on, ch); }
int DeviceRecord::LimitReleaseTime(int ch) const { return Get(parameters_.limit_release_time, ch); }
void DeviceRecord::SetLimitReleaseTime(int ch, int value) { Set(parameters_.limit_release_time, value, ch); }
int DeviceRecord::LimitStartGate(int ch) const { return Get(parameters_.limit_start_gate, ch); }
void DeviceRecord::SetLimitStartGate(int ch, int value) { Set(parameters_.limit_start_gate, value, ch); }

int DeviceRecord::Router(int in, int out) const { return Get(parameters_.router, in, out); }
void DeviceRecord::SetRouter(int in, int out, int percent) { Set(parameters_.router, percent, in, out); }
bool DeviceRecord::RouterEnable(int in, int out) const { return Get(parameters_.router_enable, in, out); }
void DeviceRecord::SetRouterEnable(int in, int out, bool on) { Set(parameters_.router_enable, on, in, out); }

}  // namespace dsp
