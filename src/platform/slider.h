#pragma once

#include <QSlider>

#include "platform/control.h"

namespace dsp {

// A slider. While the user drags it raises "movevaluechanged"; on release,
// and on any other change by the user (click on the groove, keys, wheel),
// "valuechanged". Attributes: min, max, value, step (the change step used
// by keys and by the edits paired with the slider), vertical.
class Slider : public Control {
 public:
  Slider();
  std::string_view ClassName() const override { return "Slider"; }

  int Value() const { return slider_->value(); }
  // Sets the value from code (clamped to the range); raises "valuechanged"
  // only when `notify` is set.
  void SetValue(int value, bool notify = false);
  int Min() const { return slider_->minimum(); }
  int Max() const { return slider_->maximum(); }
  void SetRange(int min, int max);
  int ChangeStep() const { return slider_->singleStep(); }
  void SetChangeStep(int step);

  void SetAttribute(std::string_view name, std::string_view value) override;
  // "handle": the middle of the handle, where a drag takes hold of it.
  std::optional<QPoint> NamedPoint(std::string_view part) const override;

 private:
  QSlider* slider_;
  bool setting_from_code_ = false;
};

}  // namespace dsp
