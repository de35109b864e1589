#include "sim/sim_parameters.h"

namespace dsp {
namespace {

constexpr std::array<std::uint16_t, kSimBandSlots> kBandFrequencies = {
    20,  25,   31,   40,   50,   63,   80,   100,  125,  160,  200,  250,   315,   400,   500,   630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 15000, 16000, 20000};

SimChannel FactoryChannel() {
  SimChannel channel;
  for (int b = 0; b < kSimBandSlots; ++b) channel.bands[b].frequency = kBandFrequencies[b];
  return channel;
}

}  // namespace

SimParameters FactoryParameters() {
  SimParameters p;
  p.inputs.fill(FactoryChannel());
  p.outputs.fill(FactoryChannel());
  for (auto& pair : p.filters) pair[1].frequency = 20000;
  for (int i = 0; i < kSimMaxChannels; ++i) {
    p.matrix[i].off_bits = static_cast<std::uint8_t>(~(1u << i));
    p.matrix[i].level[i] = 100;
  }
  return p;
}

}  // namespace dsp
