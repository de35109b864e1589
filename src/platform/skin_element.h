#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/attribute_values.h"

namespace dsp {

// One element of a skin file as read, with where it was written so that any
// later complaint about it can point there.
struct SkinElement {
  std::string tag;
  AttributeList attributes;
  std::vector<SkinElement> children;
  std::string file;
  int line = 0;

  const std::string* Attribute(std::string_view name) const {
    for (const auto& [key, value] : attributes) {
      if (key == name) return &value;
    }
    return nullptr;
  }
};

}  // namespace dsp
