#include "app/custom_controls.h"

#include "controls/eq_graph.h"
#include "controls/knob_control.h"
#include "controls/liner_control.h"

namespace dsp {

std::unique_ptr<Control> CreateCustomControl(std::string_view class_name) {
  if (class_name == "Graph") return std::make_unique<EqGraph>();
  if (class_name == "Knob") return std::make_unique<KnobControl>();
  if (class_name == "Liner") return std::make_unique<LinerControl>();
  return nullptr;
}

}  // namespace dsp
