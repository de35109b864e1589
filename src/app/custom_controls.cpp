#include "app/custom_controls.h"

#include "app/placeholder_control.h"
#include "controls/eq_graph.h"

namespace dsp {

// The dynamics curve and the knob are not built yet.
std::unique_ptr<Control> CreateCustomControl(std::string_view class_name) {
  if (class_name == "Graph") return std::make_unique<EqGraph>();
  for (std::string_view custom : {"Knob", "Liner"}) {
    if (class_name == custom) return std::make_unique<PlaceholderControl>(class_name);
  }
  return nullptr;
}

}  // namespace dsp
