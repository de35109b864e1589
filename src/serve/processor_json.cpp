#include "serve/processor_json.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>

#include "model/chip_id.h"
#include "persist/parameter_layout.h"
#include "protocol/level_poll.h"

namespace dsp {
namespace {

constexpr std::size_t kIdDigits = 16;

}  // namespace

std::string ProcessorId(const DeviceRecord& record) {
  std::string id = ChipIdText(record.ChipId());
  id.erase(std::remove(id.begin(), id.end(), ' '), id.end());
  return id;
}

std::optional<ChipIdBytes> ParseProcessorId(std::string_view text) {
  const bool hex = std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
  if (text.size() != kIdDigits || !hex) return std::nullopt;
  return ParseChipId(text);
}

Json ProcessorSummary(const DeviceRecord& record, bool connected) {
  return Json{{"id", ProcessorId(record)},   {"address", record.Address()}, {"name", record.Name()},
              {"inputs", record.Inputs()},   {"outputs", record.Outputs()}, {"connected", connected}};
}

Json ProcessorDocument(const DeviceRecord& record, bool connected) {
  Json document = ProcessorSummary(record, connected);
  Json presets = Json::array();
  for (int preset = 0; preset < kPresetSlots; ++preset) {
    presets.push_back(Json{{"preset", preset}, {"name", record.PresetName(preset)}});
  }
  document["presets"] = std::move(presets);
  document["parameters"] = ParameterSections(record);
  return document;
}

Json ParameterSections(const DeviceRecord& record) {
  Json sections = Json::object();
  layout::ForEachKey(record, [&](const layout::Key& key) { sections[key.section][key.name] = key.Get(record); });
  return sections;
}

Json ChangedParameters(const DeviceRecord& before, const DeviceRecord& after) {
  Json sections = Json::object();
  layout::ForEachKey(after, [&](const layout::Key& key) {
    if (key.Get(before) != key.Get(after)) sections[key.section][key.name] = key.Get(after);
  });
  return sections;
}

Json LevelsDb(const DeviceRecord& record, const Configuration& config) {
  Json levels = Json::object();
  for (int side = 0; side < kSides; ++side) {
    Json values = Json::array();
    for (int ch = 0; ch < record.ChannelCount(side); ++ch) {
      values.push_back(RoundedToTenths(LevelDb(record.Level(side, ch), config.energy_full, config.energy_min_db)));
    }
    levels[side == kInputSide ? "inputs" : "outputs"] = std::move(values);
  }
  return levels;
}

}  // namespace dsp
