#include "serve/parameter_patch.h"

#include <limits>
#include <map>
#include <nlohmann/json.hpp>

namespace dsp {
namespace {

using KeyMap = std::map<std::string, std::map<std::string, ParameterChange>>;

// The record's keys by section and name, each with its present value.
KeyMap KeysOf(const DeviceRecord& record) {
  KeyMap keys;
  layout::ForEachKey(record, [&](const layout::Key& key) {
    keys[key.section][key.name] = {key.section, key.name, &key.field, key.side, key.ch, key.index, key.Get(record)};
  });
  return keys;
}

CheckedPatch Refusal(const std::string& key, const std::string& reason) { return {{}, key, reason}; }

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

CheckedPatch CheckPatch(const Json& body, const DeviceRecord& record, const Configuration& config) {
  if (!body.is_object()) {
    return Refusal("", "the body must be a JSON object of sections, e.g. {\"output 0\": {\"gain\": -750}}");
  }
  const KeyMap keys = KeysOf(record);
  CheckedPatch checked;
  for (const auto& [section, values] : body.items()) {
    const auto found_section = keys.find(section);
    if (found_section == keys.end()) {
      return Refusal("[" + section + "]", "this processor has no such section: see its record for the sections");
    }
    if (!values.is_object()) return Refusal("[" + section + "]", "a section must be an object of keys and values");
    for (const auto& [name, value] : values.items()) {
      const std::string item = "[" + section + "] " + name;
      const auto found_key = found_section->second.find(name);
      if (found_key == found_section->second.end()) return Refusal(item, "no such key in this section");
      const bool whole = value.is_number_integer() && value >= std::numeric_limits<int>::min() &&
                         value <= std::numeric_limits<int>::max();
      if (!whole) return Refusal(item, "the value must be a whole number");
      ParameterChange change = found_key->second;
      change.value = value.get<int>();
      const layout::Range range = change.field->range(change.side, config);
      if (!range.Holds(change.value)) {
        return Refusal(item, "out of range: use " + std::to_string(range.min) + " to " + std::to_string(range.max));
      }
      checked.changes.push_back(std::move(change));
    }
  }
  return checked;
}

void ApplyChanges(const std::vector<ParameterChange>& changes, DeviceRecord& record) {
  for (const ParameterChange& change : changes) {
    change.field->set(record, change.side, change.ch, change.index, change.value);
  }
}

// The parameter file's key names follow the frames: each prefix belongs to
// one kind of write.
WriteId WriteFor(const ParameterChange& c, int address) {
  if (c.section == "router") return WriteId::MatrixRow(c.ch, c.index, address);
  if (c.key == "gain" || c.key == "mute") return WriteId::GainMute(c.side, c.ch, address);
  if (c.key == "polarity") return WriteId::Polarity(c.side, c.ch, address);
  if (StartsWith(c.key, "delay")) return WriteId::Delay(c.side, c.ch, address);
  if (StartsWith(c.key, "noise_gate_")) return WriteId::NoiseGate(c.ch, address);
  if (StartsWith(c.key, "compressor_")) return WriteId::Compressor(c.ch, address);
  if (StartsWith(c.key, "limit_")) return WriteId::Limiter(c.ch, address);
  if (StartsWith(c.key, "filter_")) return WriteId::Filter(c.ch, c.index, address);
  return WriteId::EqBand(c.side, c.ch, c.index, address);
}

}  // namespace dsp
