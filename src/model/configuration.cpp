#include "model/configuration.h"

#include <algorithm>

namespace dsp {
namespace {

constexpr int kLowestBandHz = 20;
constexpr int kHighestBandHz = 20000;

}  // namespace

Configuration::Configuration() {
  const FrequencyList series(kThirdOctaveFrequencies.begin(), kThirdOctaveFrequencies.end());
  for (auto& side : reset_frequencies) side.fill(series);
}

// A skin may list fewer than 31 frequencies, or numbers no band can take:
// the reset never leaves a band without a frequency or outside what the
// pages accept.
int Configuration::ResetFrequency(int side, int channel, int band) const {
  const FrequencyList& list = reset_frequencies.at(static_cast<std::size_t>(side)).at(static_cast<std::size_t>(channel));
  const auto index = static_cast<std::size_t>(band);
  const int hz = index < list.size() ? list[index] : kThirdOctaveFrequencies.at(index);
  return std::clamp(hz, kLowestBandHz, kHighestBandHz);
}

}  // namespace dsp
