#include "persist/configuration_reader.h"

#include <limits>
#include <string_view>

#include "link/port_name.h"
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

constexpr const char* kDecimal = "a decimal number";
constexpr const char* kUnsignedDecimal = "a decimal number without sign";
constexpr const char* kHex = "a hexadecimal number";

class Reader {
 public:
  Reader(const AttributeSource& source, Configuration& config, std::vector<std::string>& refused)
      : source_(source), config_(config), refused_(refused) {}

  void ResetLists() {
    for (int side = 0; side < kSides; ++side) {
      const std::string prefix =
          side == kInputSide ? "config_reset_frequency_input_" : "config_reset_frequency_output_";
      for (int ch = 0; ch < kChannelsPerSide; ++ch) {
        const std::string control = prefix + std::to_string(ch);
        const auto text = source_.Attribute(control, "frequency");
        if (!text) continue;
        if (auto list = ParseFrequencyList(*text)) {
          config_.reset_frequencies[side][ch] = std::move(*list);
        } else {
          Refuse(control, "frequency", *text, "is not a list of decimal numbers: write them separated by commas.");
        }
      }
    }
  }

  void NetworkPorts() {
    const auto text = source_.Attribute("config_network_ports", "value");
    if (!text) return;
    std::vector<std::string> ports;
    for (std::string_view rest = *text; !rest.empty();) {
      const std::size_t comma = rest.find(',');
      const std::string name(text::Trim(rest.substr(0, comma)));
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
      if (name.empty()) continue;
      std::string error;
      const std::optional<PortName> parsed = ParsePortName(name, error);
      if (parsed && parsed->kind == PortKind::kLocal) error = "\"" + name + "\" is no network port";
      if (!error.empty()) {
        Refuse("config_network_ports", "value", *text, "is not a list of network ports: " + error + ".");
        return;
      }
      ports.push_back(name);
    }
    config_.network_ports = std::move(ports);
  }

  // `number` names the conversion for a text that does not parse.
  template <typename T, typename Parse>
  void Scalar(const char* control, const char* attribute, Parse parse, const char* number, T& member,
              std::int64_t min = std::numeric_limits<std::int64_t>::min(),
              std::int64_t max = std::numeric_limits<std::int64_t>::max()) {
    const auto text = source_.Attribute(control, attribute);
    if (!text) return;
    const auto value = parse(*text);
    if (!value) {
      Refuse(control, attribute, *text, std::string("is not ") + number + " of at most 32 bits" + Within(min, max));
      return;
    }
    if (*value < min || *value > max) {
      Refuse(control, attribute, *text, "is out of range" + Within(min, max));
      return;
    }
    member = static_cast<T>(*value);
  }

 private:
  static std::string Within(std::int64_t min, std::int64_t max) {
    if (min == std::numeric_limits<std::int64_t>::min()) return ".";
    return ": use " + std::to_string(min) + " to " + std::to_string(max) + ".";
  }

  void Refuse(const std::string& control, std::string_view attribute, std::string_view text, const std::string& why) {
    const std::string name = control + (attribute == "value" ? "" : "." + std::string(attribute));
    refused_.push_back(name + " = " + std::string(text::Trim(text)) + " " + why);
  }

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
  read.Scalar("config_effects", "max", ParseSignedDecimal, kDecimal, config.effect_blocks, 0, kMaxEffectBlockCount);
  read.Scalar("config_pink_noise_address", "value", ParseUnsignedHex, kHex, config.pink_noise_address);
  read.Scalar("config_pink_noise_size", "value", ParseUnsignedHex, kHex, config.pink_noise_size);
  read.Scalar("config_pink_noise_volume", "value", ParseUnsignedDecimal, kUnsignedDecimal, config.pink_noise_volume);
  read.Scalar("config_energy_full", "value", ParseUnsignedHex, kHex, config.energy_full);
  if (config.energy_full == 0) config.energy_full = 1;  // the level meter divides by it
  read.Scalar("config_baud", "value", ParseUnsignedDecimal, kUnsignedDecimal, config.baud, 1, kHighestBaud);
  read.Scalar("config_scan_time", "value", ParseUnsignedDecimal, kUnsignedDecimal, config.scan_time_ms, 1,
              kLongestScanMs);
  read.Scalar("config_answer_wait_extra", "value", ParseUnsignedDecimal, kUnsignedDecimal,
              config.answer_wait_extra_ms, 0, kLongestAnswerWaitExtraMs);
  read.NetworkPorts();
  read.Scalar("config_energy_min", "value", ParseSignedDecimal, kDecimal, config.energy_min_db, kLowestMeterFloorDb, 0);
  read.Scalar("config_drc_offset", "value", ParseUnsignedHex, kHex, config.drc_offset, 0, kMaxDrcOffset);
  read.Scalar("config_limit_offset", "value", ParseUnsignedHex, kHex, config.limit_offset, 0, 0xFF);
  read.Scalar("config_noisegate_offset", "value", ParseUnsignedHex, kHex, config.noisegate_offset, 0, 0xFF);
  return config;
}

}  // namespace dsp
