#pragma once

// The numbers of the rotary knob ("Knob"), without Qt: the value <-> angle
// mapping, the texts it shows, where its dial and knob image go, and how a
// drag around the centre or a wheel step turns it. Angles are degrees,
// growing clockwise on screen.

#include <string>

#include "controls/dynamics_geometry.h"

namespace dsp {

struct KnobSettings {
  double anglemin = 0;
  double anglemax = 360;
  double angleoffset = 0;  // added when drawing: the image's own orientation
  double anglestep = 1;    // per wheel step
  double min = 0;          // value at anglemin
  double max = 100;        // value at anglemax
  int knobsize = 0;        // side of the knob image; below 1 nothing but the dial is drawn
  std::string valuealign;  // "center", "left", anything else: right
};

enum class KnobAlign { kLeft, kCenter, kRight };

struct KnobScene {
  PixelRect value_line;  // the top line, where the value and the label go
  PixelRect dial;        // the largest square centred below the value line
  PixelRect knob;        // knobsize x knobsize, centred on the dial
  CurvePoint centre;
  double rotation = 0;  // angleoffset + angle
  bool fore = false;    // labels, value and knob image are drawn
  KnobAlign value_align = KnobAlign::kRight;
};

class KnobModel {
 public:
  KnobSettings settings;

  // At or beyond either end of the value range the knob rests at that
  // end's angle.
  void SetValue(double value);
  double Value() const;
  double Angle() const { return angle_; }

  // "%.1f" of the value, a value just below zero as "0.0"; the range's
  // ends as "%.0f".
  std::string ValueText() const;
  std::string MinText() const;
  std::string MaxText() const;

  // `line_height`: the height of a line of the control's text. While the
  // value is drawn, the dial goes below its line, clear of the dial's top
  // tick.
  KnobScene Scene(PixelRect control, int line_height = 0) const;

  void Press(CurvePoint p);
  void Release() { dragging_ = false; }
  // Turns by the angle swept around `centre` since the last point; true
  // when the knob was turned (it raises "valuechanged" even at an end).
  bool Move(CurvePoint p, CurvePoint centre);
  // One wheel step: +1 away from the user, -1 towards.
  void Wheel(int direction);

 private:
  double Clamped(double angle) const;

  double angle_ = 0;
  bool dragging_ = false;
  CurvePoint last_;
};

}  // namespace dsp
