#include "persist/configuration_reader.h"

#include <limits>
#include <string_view>

#include "persist/number_text.h"
#include "persist/text.h"

namespace dsp {
namespace {

std::optional<FrequencyList> ParseFrequencyList(std::string_view text) {
  FrequencyList list;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view piece = text::Trim(text.substr(0, comma));
    if (!piece.empty()) {
      const std::optional<std::int32_t> value = ParseSignedDecimal(piece);
      if (!value) return std::nullopt;
      list.push_back(*value);
    }
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (list.empty()) return std::nullopt;
  return list;
}

class Reader {
 public:
  Reader(const AttributeSource& source, Configuration& config, std::vector<std::string>& refused)
      : source_(source), config_(config), refused_(refused) {}

  void ResetLists() {
    for (int side = 0; side < kSides; ++side) {
      const std::string prefix =
          side == kInputSide ? "config_reset_frequency_input_" : "config_reset_frequency_output_";
      for (int ch = 0; ch < kChannelsPerSide; ++ch) {
        const auto text = source_.Attribute(prefix + std::to_string(ch), "frequency");
        if (!text) continue;
        if (auto list = ParseFrequencyList(*text)) config_.reset_frequencies[side][ch] = std::move(*list);
      }
    }
  }

  template <typename T, typename Parse>
  void Scalar(const char* control, const char* attribute, Parse parse, T& member,
              std::int64_t min = std::numeric_limits<std::int64_t>::min(),
              std::int64_t max = std::numeric_limits<std::int64_t>::max()) {
    const auto text = source_.Attribute(control, attribute);
    if (!text) return;
    const auto value = parse(*text);
    if (!value) return;
    if (*value < min || *value > max) {
      const std::string name =
          std::string(control) + (std::string_view(attribute) == "value" ? "" : "." + std::string(attribute));
      refused_.push_back(name + " = " + std::string(text::Trim(*text)) + " is out of range: use " +
                         std::to_string(min) + " to " + std::to_string(max) + ".");
      return;
    }
    member = static_cast<T>(*value);
  }

 private:
  const AttributeSource& source_;
  Configuration& config_;
  std::vector<std::string>& refused_;
};

}  // namespace

Configuration ReadConfiguration(const AttributeSource& source) {
  std::vector<std::string> refused;
  return ReadConfiguration(source, refused);
}

Configuration ReadConfiguration(const AttributeSource& source, std::vector<std::string>& refused) {
  Configuration config;
  Reader read(source, config, refused);
  read.ResetLists();
  read.Scalar("config_effects", "max", ParseSignedDecimal, config.effect_blocks, 0, kMaxEffectBlockCount);
  read.Scalar("config_pink_noise_address", "value", ParseUnsignedHex, config.pink_noise_address);
  read.Scalar("config_pink_noise_size", "value", ParseUnsignedHex, config.pink_noise_size);
  read.Scalar("config_pink_noise_volume", "value", ParseUnsignedDecimal, config.pink_noise_volume);
  read.Scalar("config_energy_full", "value", ParseUnsignedHex, config.energy_full);
  if (config.energy_full == 0) config.energy_full = 1;  // the level meter divides by it
  read.Scalar("config_baud", "value", ParseUnsignedDecimal, config.baud, 1, kHighestBaud);
  read.Scalar("config_scan_time", "value", ParseUnsignedDecimal, config.scan_time_ms, 1, kLongestScanMs);
  read.Scalar("config_energy_min", "value", ParseSignedDecimal, config.energy_min_db, kLowestMeterFloorDb, 0);
  read.Scalar("config_drc_offset", "value", ParseUnsignedHex, config.drc_offset, 0, kMaxDrcOffset);
  read.Scalar("config_limit_offset", "value", ParseUnsignedHex, config.limit_offset, 0, 0xFF);
  read.Scalar("config_noisegate_offset", "value", ParseUnsignedHex, config.noisegate_offset, 0, 0xFF);
  return config;
}

}  // namespace dsp
