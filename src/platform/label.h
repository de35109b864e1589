#pragma once

#include <QLabel>

#include "platform/control.h"

namespace dsp {

// Text on the window. Attributes: align ("left|center|right" and
// "top|vcenter|bottom"), wordwrap.
class Label : public Control {
 public:
  Label();
  std::string_view ClassName() const override { return "Label"; }
  void SetText(std::string_view text) override;
  void SetAttribute(std::string_view name, std::string_view value) override;

 private:
  QLabel* label_;
};

}  // namespace dsp
