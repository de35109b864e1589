#pragma once

// The processor's level meters. Each input carries a programme signal (a level
// in dB full scale that wanders by up to +-3 dB) plus pink noise when that
// input plays it; the meters follow input gain and mute, the matrix sends and
// the output gains and mutes, with a fast rise and a slow fall. Values are
// signal powers scaled so that full scale reads kLevelFullScale. The model
// steps once per simulated millisecond, so the same seed and the same total
// time give the same readings however the time is cut into steps.

#include <array>
#include <cstdint>
#include <optional>

#include "sim/parameter_writes.h"
#include "sim/sim_parameters.h"
#include "sim/sim_random.h"

namespace dsp {

inline constexpr std::uint32_t kLevelFullScale = 0x10000000;

struct SimPinkNoise {
  std::uint8_t channel_mask = 0;  // inputs playing the noise
  std::uint8_t mode = 0;
  std::uint8_t volume = 0;  // 255 is -6 dB full scale, 0 silence
  std::uint32_t address = 0;
  std::uint32_t size = 0;
};

class LevelModel {
 public:
  explicit LevelModel(std::uint64_t seed);

  // The programme level of one input in dB full scale; nothing for silence.
  void SetProgramme(int input, std::optional<double> dbfs);

  void StepMillisecond(const SimParameters& params, const SimPinkNoise& noise, ChannelCounts counts);

  std::uint32_t Input(int channel) const { return ToReading(inputs_[channel]); }
  std::uint32_t Output(int channel) const { return ToReading(outputs_[channel]); }

 private:
  using PerChannel = std::array<double, kSimMaxChannels>;
  static std::uint32_t ToReading(double power);
  void Wander();
  PerChannel InputTargets(const SimParameters& params, const SimPinkNoise& noise) const;

  SimRandom random_;
  std::array<std::optional<double>, kSimMaxChannels> programme_dbfs_{};
  PerChannel wander_db_{};
  // The power of each programme at its wandered level, kept as the level
  // changes: the meters step every millisecond, the level every 50.
  PerChannel programme_power_{};
  void UpdateProgrammePowers();
  PerChannel inputs_{};  // metered powers, 1.0 = full scale
  PerChannel outputs_{};
  int ms_since_wander_ = 0;
};

}  // namespace dsp
