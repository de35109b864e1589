#include "model/configuration.h"

namespace dsp {

Configuration::Configuration() {
  const FrequencyList series(kThirdOctaveFrequencies.begin(), kThirdOctaveFrequencies.end());
  for (auto& side : reset_frequencies) side.fill(series);
}

}  // namespace dsp
