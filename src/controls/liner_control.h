#pragma once

// The dynamics curve ("Liner" in the skin): the static transfer curve of a
// gate, limiter or compressor on a scaled grid, with a threshold handle
// (the control's text) and, for the compressor, a ratio handle
// ("ratiotext") that the mouse drags; the arrow keys and the wheel step the
// threshold. It raises "valuechanged" after every change the user makes
// and "click" at every left-button release (the overview's small curves,
// without handles, open their pages so). The numbers are LinerModel's.

#include <string>

#include "controls/liner_model.h"
#include "platform/control.h"

namespace dsp {

class LinerControl : public Control {
 public:
  LinerControl();
  std::string_view ClassName() const override { return "Liner"; }
  void SetAttribute(std::string_view name, std::string_view value) override;

  // The threshold point: taken only inside the axes.
  bool SetValue(int x, int y);
  // No threshold point at all (one the axes cannot show).
  void HideValue();
  // A processor that is off: the unity line.
  void ShowUnity();
  CurvePoint Value() const { return model_.Value(); }
  // The ratio in percent: taken only inside the ratio range.
  bool SetRatio(int ratio);
  // No ratio (one the range cannot show).
  void HideRatio();
  int Ratio() const { return model_.Ratio(); }
  bool RatioShown() const { return model_.RatioShown(); }
  void SetXText(std::string_view text);
  void SetYText(std::string_view text);
  const std::string& XText() const { return x_text_; }
  const std::string& YText() const { return y_text_; }

  const LinerSettings& Settings() const { return model_.settings; }
  // What a paint of the control as it is now draws (also where the handles
  // are, for tests that drag them).
  LinerScene Scene() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Step(int direction);
  void Changed();

  LinerModel model_;
  std::string ratio_text_;
  std::string x_text_;
  std::string y_text_;
  QColor line_color_{0xFF, 0xFF, 0xFF};
  int line_width_ = 1;
};

}  // namespace dsp
