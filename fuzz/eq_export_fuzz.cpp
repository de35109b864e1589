// Room-measurement filter exports, fed any text: whatever the parser lets
// through is a band the equaliser can take, and never more than a channel
// has.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persist/eq_filter_export.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dsp;
  constexpr int kBands = 8;
  const EqImport parsed = ParseEqFilterExport(std::string_view(reinterpret_cast<const char*>(data), size), kBands);
  if (parsed.bands.size() > static_cast<std::size_t>(kBands)) __builtin_trap();
  for (const ImportedBand& band : parsed.bands) {
    const bool known_type = band.type == 1 || band.type == 6 || band.type == 7;
    if (!known_type || band.frequency < 20 || band.frequency > 20000 || band.gain < -1200 || band.gain > 1200 ||
        band.q < 50 || band.q > 12800) {
      __builtin_trap();
    }
  }
  return 0;
}
