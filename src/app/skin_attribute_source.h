#pragma once

// The product constants carried by the skin: the invisible "config_"
// controls of the main window, whose custom attributes hold the values.

#include "persist/configuration_reader.h"

namespace dsp {

class Window;

class SkinAttributeSource : public AttributeSource {
 public:
  explicit SkinAttributeSource(const Window& window) : window_(window) {}
  std::optional<std::string> Attribute(const std::string& control, const std::string& attribute) const override;

 private:
  const Window& window_;
};

}  // namespace dsp
