#include "app/skin_attribute_source.h"

#include "platform/window.h"

namespace dsp {

std::optional<std::string> SkinAttributeSource::Attribute(const std::string& control,
                                                          const std::string& attribute) const {
  const Control* found = window_.FindControl(control);
  if (found == nullptr) return std::nullopt;
  return found->CustomAttribute(attribute);
}

}  // namespace dsp
