#pragma once

#include <string>

#include "platform/control.h"

namespace dsp {

// Stands in for a custom control (Graph, Liner, Knob) that a bare window
// cannot build: a framed box naming its class and control, keeping every
// skin attribute as a custom attribute so a skin can be checked and seen.
class PlaceholderControl : public Control {
 public:
  explicit PlaceholderControl(std::string class_name);
  std::string_view ClassName() const override { return class_name_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string class_name_;
};

}  // namespace dsp
