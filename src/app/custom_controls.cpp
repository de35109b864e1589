#include "app/custom_controls.h"

#include "app/placeholder_control.h"
#include "controls/knob_control.h"

namespace dsp {

std::unique_ptr<Control> CreateCustomControl(std::string_view class_name) {
  // The equaliser graph and the dynamics curve are not built yet.
  if (class_name == "Graph" || class_name == "Liner") return std::make_unique<PlaceholderControl>(class_name);
  if (class_name == "Knob") return std::make_unique<KnobControl>();
  return nullptr;
}

}  // namespace dsp
