#include "sim/level_model.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace dsp {
namespace {

constexpr int kWanderPeriodMs = 50;
constexpr double kWanderStepDb = 1.0;
constexpr double kWanderLimitDb = 3.0;
// Meter ballistics: time constants of 10 ms rising and 300 ms falling.
const double kRise = 1 - std::exp(-1.0 / 10);
const double kFall = 1 - std::exp(-1.0 / 300);

double PowerOfDb(double db) { return std::pow(10.0, db / 10); }

// Looked up, not computed: the meters of a bus of many processors step every
// simulated millisecond.
double GainPower(std::uint16_t raw) {
  static const std::vector<double> powers = [] {
    std::vector<double> table(65536);
    for (std::size_t r = 0; r < table.size(); ++r) table[r] = PowerOfDb((static_cast<int>(r) - kGainRawZeroDb) / 10.0);
    return table;
  }();
  return powers[raw];
}

void Follow(double& meter, double target) { meter += (target - meter) * (target > meter ? kRise : kFall); }

}  // namespace

LevelModel::LevelModel(std::uint64_t seed) : random_(seed) {
  for (int i = 0; i < kSimMaxChannels; ++i) programme_dbfs_[i] = -24.0 - 2 * i;
  UpdateProgrammePowers();
}

void LevelModel::SetProgramme(int input, std::optional<double> dbfs) {
  programme_dbfs_.at(input) = dbfs;
  UpdateProgrammePowers();
}

void LevelModel::UpdateProgrammePowers() {
  for (int i = 0; i < kSimMaxChannels; ++i) {
    programme_power_[i] = programme_dbfs_[i] ? PowerOfDb(*programme_dbfs_[i] + wander_db_[i]) : 0.0;
  }
}

std::uint32_t LevelModel::ToReading(double power) {
  return static_cast<std::uint32_t>(std::min(power * kLevelFullScale, 4294967295.0));
}

void LevelModel::Wander() {
  for (double& db : wander_db_) {
    db = std::clamp(db + (random_.Unit() * 2 - 1) * kWanderStepDb, -kWanderLimitDb, kWanderLimitDb);
  }
  UpdateProgrammePowers();
}

LevelModel::PerChannel LevelModel::InputTargets(const SimParameters& p, const SimPinkNoise& noise) const {
  const double amplitude = noise.volume / 255.0;
  const double noise_power = amplitude * amplitude / 4;
  PerChannel targets{};
  for (int i = 0; i < kSimMaxChannels; ++i) {
    double power = programme_power_[i];
    if ((noise.channel_mask >> i) & 1) power += noise_power;
    targets[i] = p.inputs[i].mute ? 0.0 : power * GainPower(p.inputs[i].gain_raw);
  }
  return targets;
}

void LevelModel::StepMillisecond(const SimParameters& p, const SimPinkNoise& noise, ChannelCounts counts) {
  if (++ms_since_wander_ >= kWanderPeriodMs) {
    ms_since_wander_ = 0;
    Wander();
  }
  const PerChannel in = InputTargets(p, noise);
  for (int j = 0; j < kSimMaxChannels; ++j) {
    double mix = 0;
    for (int i = 0; i < counts.inputs; ++i) {
      if ((p.matrix[i].off_bits >> j) & 1) continue;
      const double send = p.matrix[i].level[j] / 100.0;
      mix += in[i] * send * send;
    }
    const double target = p.outputs[j].mute || j >= counts.outputs ? 0.0 : mix * GainPower(p.outputs[j].gain_raw);
    Follow(outputs_[j], target);
    Follow(inputs_[j], j < counts.inputs ? in[j] : 0.0);
  }
}

}  // namespace dsp
