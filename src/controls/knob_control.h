#pragma once

// The rotary knob ("Knob" in the skin): the fore image turned about the
// control's centre by the current angle over the background image (the
// dial, drawn in the largest square below the value's line), the value
// range's ends in the bottom corners and the value on the top line. Dragging around the centre
// or the wheel turns it, raising "valuechanged"; the skin or the host
// sets it with the attribute "value". The numbers are KnobModel's.

#include <optional>

#include "controls/knob_model.h"
#include "platform/control.h"

namespace dsp {

class KnobControl : public Control {
 public:
  KnobControl();
  std::string_view ClassName() const override { return "Knob"; }
  void SetAttribute(std::string_view name, std::string_view value) override;

  double Value() const { return model_.Value(); }
  double Angle() const { return model_.Angle(); }
  std::string ValueText() const { return model_.ValueText(); }
  // "centre": the point the knob turns about, as last laid out.
  std::optional<QPoint> NamedPoint(std::string_view part) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  KnobScene CurrentScene() const;
  void PaintFore(QPainter& painter, const KnobScene& scene);
  void Changed();

  KnobModel model_;
  SkinImage dial_;
  SkinImage knob_;  // the fore image, loaded at the first paint that finds it
};

}  // namespace dsp
