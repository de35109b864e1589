#pragma once

// One processor as the host mirrors it: bus identity plus every audio
// parameter, in the units the pages show (0.01 dB, Hz, samples, percent).
// Frames are encoded from it (write_builders.h), replies decoded into it, and
// parameter files saved from and loaded into it.
//
// Every table holds 8 channels per side whatever the processor reports; the
// reported counts only bound the loops that walk channels. Indices: side 0 =
// inputs, 1 = outputs; channel 0..7; band 0..30; filter 0 = high pass,
// 1 = low pass. A read outside a table returns 0 / false / "", a write
// outside it is ignored (negative indices included).

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "model/third_octave.h"

namespace dsp {

inline constexpr int kSides = 2;
inline constexpr int kInputSide = 0;
inline constexpr int kOutputSide = 1;
inline constexpr int kChannelsPerSide = 8;
inline constexpr int kEqBands = 31;
inline constexpr int kFilters = 2;
inline constexpr int kHighPass = 0;
inline constexpr int kLowPass = 1;
inline constexpr int kPresetSlots = 17;
inline constexpr int kNameBytes = 20;

using ChipIdBytes = std::array<std::uint8_t, 8>;

class DeviceRecord {
 public:
  // A record as discovery creates it. Channel counts are held within 0..8:
  // the tables have no room for more.
  DeviceRecord(int address, const ChipIdBytes& chip_id, int inputs, int outputs, std::string name);

  // Copies every audio parameter of `source` (the groups the pages edit and
  // the parameter file stores: gain, mute, polarity, delay, equaliser,
  // filters, noise gate, compressor, limiter, matrix). Identity and state stay
  // this record's own: address, chip ID, name, channel and band counts,
  // levels, status byte, synchronised flag, current preset and preset names.
  void CopyParametersFrom(const DeviceRecord& source);
  // Whether every audio parameter (the groups CopyParametersFrom copies)
  // equals `other`'s, on all eight channels of each side.
  bool SameParametersAs(const DeviceRecord& other) const { return parameters_ == other.parameters_; }

  // Identity and state.
  int Address() const { return address_; }
  const ChipIdBytes& ChipId() const { return chip_id_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  int ChannelCount(int side) const;
  int Inputs() const { return ChannelCount(kInputSide); }
  int Outputs() const { return ChannelCount(kOutputSide); }
  int EqBandCount(int side) const;
  // The band slots a channel of `side` uses; a count outside 0..31 is
  // refused and the old one kept.
  void SetEqBandCount(int side, int count);
  bool Synchronised() const { return synchronised_; }
  void SetSynchronised(bool synchronised) { synchronised_ = synchronised; }
  // Last byte 5 of a level poll answer; -1 until the first answer.
  int Status() const { return status_; }
  void SetStatus(int status) { status_ = status; }
  // Preset slot the processor is known to be on; -1 when unknown.
  int CurrentPreset() const { return current_preset_; }
  void SetCurrentPreset(int preset) { current_preset_ = preset; }
  // Slots 0..16; the processor keeps at most 19 bytes of each.
  std::string PresetName(int preset) const;
  void SetPresetName(int preset, std::string name);
  int Level(int side, int ch) const;
  void SetLevel(int side, int ch, int value);

  // Both sides.
  int Gain(int side, int ch) const;
  void SetGain(int side, int ch, int value);
  bool Mute(int side, int ch) const;
  void SetMute(int side, int ch, bool on);
  bool Polarity(int side, int ch) const;
  void SetPolarity(int side, int ch, bool inverted);
  int Delay(int side, int ch) const;
  void SetDelay(int side, int ch, int samples);
  bool DelayEnable(int side, int ch) const;
  void SetDelayEnable(int side, int ch, bool on);

  bool EqualizerEnable(int side, int ch, int band) const;
  void SetEqualizerEnable(int side, int ch, int band, bool on);
  int EqualizerFrequence(int side, int ch, int band) const;
  void SetEqualizerFrequence(int side, int ch, int band, int hz);
  int EqualizerGain(int side, int ch, int band) const;
  void SetEqualizerGain(int side, int ch, int band, int value);
  int EqualizerQ(int side, int ch, int band) const;
  void SetEqualizerQ(int side, int ch, int band, int value);
  // 1 peaking, 6 low shelf, 7 high shelf; other codes are kept as they come.
  int EqualizerType(int side, int ch, int band) const;
  void SetEqualizerType(int side, int ch, int band, int code);

  bool FilterEnable(int side, int ch, int filter) const;
  void SetFilterEnable(int side, int ch, int filter, bool on);
  int FilterFrequence(int side, int ch, int filter) const;
  void SetFilterFrequence(int side, int ch, int filter, int hz);
  int FilterSlope(int side, int ch, int filter) const;
  void SetFilterSlope(int side, int ch, int filter, int code);
  int FilterType(int side, int ch, int filter) const;
  void SetFilterType(int side, int ch, int filter, int code);

  // Inputs only.
  bool NoiseGateEnable(int ch) const;
  void SetNoiseGateEnable(int ch, bool on);
  int NoiseGateReleaseGate(int ch) const;
  void SetNoiseGateReleaseGate(int ch, int value);
  int NoiseGateReleaseTime(int ch) const;
  void SetNoiseGateReleaseTime(int ch, int value);
  int NoiseGateStartGate(int ch) const;
  void SetNoiseGateStartGate(int ch, int value);
  int NoiseGateStartTime(int ch) const;
  void SetNoiseGateStartTime(int ch, int value);

  // Outputs only.
  bool CompressorEnable(int ch) const;
  void SetCompressorEnable(int ch, bool on);
  int CompressorRatio(int ch) const;
  void SetCompressorRatio(int ch, int value);
  int CompressorReleaseTime(int ch) const;
  void SetCompressorReleaseTime(int ch, int value);
  int CompressorStartGate(int ch) const;
  void SetCompressorStartGate(int ch, int value);
  int CompressorStartTime(int ch) const;
  void SetCompressorStartTime(int ch, int value);
  bool LimitEnable(int ch) const;
  void SetLimitEnable(int ch, bool on);
  int LimitReleaseTime(int ch) const;
  void SetLimitReleaseTime(int ch, int value);
  int LimitStartGate(int ch) const;
  void SetLimitStartGate(int ch, int value);

  // Mixing matrix: send level (percent) of input `in` into output `out`.
  int Router(int in, int out) const;
  void SetRouter(int in, int out, int percent);
  bool RouterEnable(int in, int out) const;
  void SetRouterEnable(int in, int out, bool on);

 private:
  template <typename T>
  using PerChannel = std::array<T, kChannelsPerSide>;
  template <typename T>
  using PerSide = std::array<PerChannel<T>, kSides>;
  template <typename T>
  using PerBand = std::array<std::array<std::array<T, kEqBands>, kChannelsPerSide>, kSides>;
  template <typename T>
  using PerFilter = std::array<std::array<std::array<T, kFilters>, kChannelsPerSide>, kSides>;
  template <typename T>
  using Matrix = std::array<std::array<T, kChannelsPerSide>, kChannelsPerSide>;

  // Everything CopyParametersFrom carries, with the defaults of a new record.
  struct Parameters {
    Parameters();
    bool operator==(const Parameters&) const = default;
    PerSide<int> gain{};
    PerSide<bool> mute{};
    PerSide<bool> polarity{};
    PerSide<int> delay{};
    PerSide<bool> delay_enable{};
    PerBand<bool> equalizer_enable{};
    PerBand<int> equalizer_frequence{};
    PerBand<int> equalizer_gain{};
    PerBand<int> equalizer_q{};
    PerBand<int> equalizer_type{};
    PerFilter<bool> filter_enable{};
    PerFilter<int> filter_frequence{};
    PerFilter<int> filter_slope{};
    PerFilter<int> filter_type{};
    PerChannel<bool> noise_gate_enable{};
    PerChannel<int> noise_gate_release_gate{};
    PerChannel<int> noise_gate_release_time{};
    PerChannel<int> noise_gate_start_gate{};
    PerChannel<int> noise_gate_start_time{};
    PerChannel<bool> compressor_enable{};
    PerChannel<int> compressor_ratio{};
    PerChannel<int> compressor_release_time{};
    PerChannel<int> compressor_start_gate{};
    PerChannel<int> compressor_start_time{};
    PerChannel<bool> limit_enable{};
    PerChannel<int> limit_release_time{};
    PerChannel<int> limit_start_gate{};
    Matrix<int> router{};
    Matrix<bool> router_enable{};
  };

  int address_;
  std::array<int, kSides> channel_count_;
  ChipIdBytes chip_id_;
  std::array<int, kSides> eq_band_count_{kEqBands, kEqBands};
  std::string name_;
  bool synchronised_ = false;
  int status_ = -1;
  int current_preset_ = -1;
  std::array<std::string, kPresetSlots> preset_names_{};
  PerSide<int> level_{};
  Parameters parameters_;
};

}  // namespace dsp
