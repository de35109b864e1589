#pragma once

// Stands in for the equaliser graph ("Graph") until it is built: a framed box
// showing its class and name, so a skin that places it loads and lays out.
// It raises nothing and takes no values.

#include <string>

#include "platform/control.h"

namespace dsp {

class PlaceholderControl : public Control {
 public:
  explicit PlaceholderControl(std::string_view class_name) : class_name_(class_name) {}
  std::string_view ClassName() const override { return class_name_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string class_name_;
};

}  // namespace dsp
