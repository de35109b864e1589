#pragma once

#include "platform/control.h"

namespace dsp {

// A small custom control of the demo: a level bar with a needle. Skin
// attributes "level" (0..100) and "barcolor"; the mouse wheel moves the
// level by 5 and raises "valuechanged" (wParam: the new level), a click
// raises "click".
class DemoMeter : public Control {
 public:
  DemoMeter();
  std::string_view ClassName() const override { return "Meter"; }

  int Level() const { return level_; }
  void SetLevel(int level);
  void SetAttribute(std::string_view name, std::string_view value) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int level_ = 0;
  QColor bar_color_ = QColor(0xFF2F8FDD);
};

}  // namespace dsp
