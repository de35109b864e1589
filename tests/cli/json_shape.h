#pragma once

// The shape of a dspctl --json document, which scripts depend on: its keys in
// order with the kind of each value (n number, s string, b bool); an array
// by its first element.

#include <nlohmann/json.hpp>
#include <string>

namespace dsp::testing {

inline std::string Shape(const nlohmann::ordered_json& value) {
  if (value.is_object()) {
    std::string shape = "{";
    for (const auto& [key, member] : value.items()) {
      shape += (shape.size() > 1 ? "," : "") + key + ":" + Shape(member);
    }
    return shape + "}";
  }
  if (value.is_array()) return "[" + (value.empty() ? "" : Shape(value.front())) + "]";
  if (value.is_number()) return "n";
  if (value.is_string()) return "s";
  if (value.is_boolean()) return "b";
  return "null";
}

inline std::string ShapeOf(const std::string& document) { return Shape(nlohmann::ordered_json::parse(document)); }

inline const std::string kDeviceShape = "{address:n,chip_id:s,name:s,inputs:n,outputs:n}";
inline const std::string kFileShape = "{address:n,name:s,file:s}";
inline const std::string kTransferShape = "{address:n,name:s,file:s,result:s,code:n}";

}  // namespace dsp::testing
