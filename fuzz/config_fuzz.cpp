// The command-line tool's configuration file and the conversion of every
// value, fed any text.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persist/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dsp;
  AttributeMap attributes;
  if (!ParseConfigText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.conf", attributes).Ok()) {
    return 0;
  }
  std::vector<std::string> refused;
  const Configuration config = ReadConfiguration(attributes, refused);
  // What is let through stays within what its users can take.
  if (config.effect_blocks < 0 || config.effect_blocks > kMaxEffectBlockCount || config.baud < 1 ||
      config.baud > kHighestBaud || config.scan_time_ms < 1 || config.scan_time_ms > kLongestScanMs ||
      config.energy_full == 0 || config.drc_offset > kMaxDrcOffset || config.limit_offset > 0xFF ||
      config.noisegate_offset > 0xFF || config.energy_min_db < kLowestMeterFloorDb || config.energy_min_db > 0) {
    __builtin_trap();
  }
  return 0;
}
