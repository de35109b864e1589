#pragma once

// The numbers of the dynamics curve ("Liner"), without Qt: where a paint
// puts the titles, scales, grid, curve and handles in the control's
// pixels, and what the mouse, the arrow keys and the wheel do to the
// threshold and the ratio. The curve is output level (up) against input
// level (across); the threshold point sits on the unity diagonal, and the
// ratio is the height of the compressor's right end, in percent of the
// way from the top corner (0: unity) down to the threshold's level (100:
// flat).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "controls/dynamics_geometry.h"

namespace dsp {

enum LinerType { kLinerGate = 0, kLinerLimiter = 1, kLinerCompressor = 2 };

// The skin's settings of a curve; values in the host's own units.
struct LinerSettings {
  int type = kLinerGate;  // any other number draws no curve and takes no keys
  int xmin = 0;
  int xmax = 0;
  int ymin = 0;
  int ymax = 0;
  int xstep = 1;  // key and wheel step of the threshold: x for the gate,
  int ystep = 1;  // y for the limiter and the compressor
  int ratiomin = 0;
  int ratiomax = 0;
  int xscaleinterval = 0;  // grid step in value units; no scales unless both are > 0
  int yscaleinterval = 0;
  double xscalezoom = 1.0;  // scale labels show trunc(value x zoom)
  double yscalezoom = 1.0;
  bool showcontrol = true;  // handles shown and the user may move them
};

// The texts that decide what is drawn: an empty handle text draws no
// handle, an empty title no title (a title of blanks keeps its room).
struct LinerTexts {
  std::string threshold;
  std::string ratio;
  std::string x_title;
  std::string y_title;
};

struct ScaleLabel {
  PixelRect box;
  std::string text;
  bool y_scale = false;  // right-aligned left of the plot; else centred under it
};

// Everything one paint draws, in the control's pixels.
struct LinerScene {
  PixelRect plot;
  std::optional<PixelRect> y_title;  // left-aligned
  std::optional<PixelRect> x_title;  // centred
  std::vector<ScaleLabel> labels;
  std::vector<CurveLine> grid;
  std::vector<CurveLine> axes;
  std::vector<CurveLine> curve;
  PixelRect threshold_handle;  // empty when not drawn
  PixelRect ratio_handle;      // empty when not drawn
};

class LinerModel {
 public:
  LinerSettings settings;

  // The host's threshold: taken only inside both axes.
  bool SetValue(int x, int y);
  // A threshold the axes cannot show: no curve, no handles, no keys, until
  // SetValue gives one they can.
  void HideValue() { value_shown_ = false; }
  // As the skin's "xvalue", "yvalue" and "ratio": kept as they are.
  void SetSkinX(int x);
  void SetSkinY(int y);
  void SetSkinRatio(int ratio);
  // The curve of a processor that is off, the unity line: the threshold at
  // the bottom of a gate's range, at the top of the others'.
  void ShowUnity();
  CurvePoint Value() const { return {x_, y_}; }

  // The host's ratio: taken only inside the ratio range.
  bool SetRatio(int ratio);
  // A ratio the range cannot show: the compressor's second line and the
  // ratio handle are not drawn until SetRatio gives one it can.
  void HideRatio() { ratio_shown_ = false; }
  int Ratio() const { return ratio_; }
  bool RatioShown() const { return ratio_shown_; }

  LinerScene Scene(PixelRect control, TextMetrics metrics, const LinerTexts& texts, bool enabled) const;

  // What the user does; `scene` is the one last painted. Each change
  // returns true: the control repaints and raises "valuechanged".
  void Press(CurvePoint p, const LinerScene& scene);
  bool Move(CurvePoint p, const LinerScene& scene, bool inside_control);
  // Button released or pointer gone: no drag goes on.
  void EndDrag();
  // Up, right or a wheel step away from the user: +1; the others -1.
  bool Step(int direction);
  bool Dragging() const { return dragging_threshold_ || dragging_ratio_; }

 private:
  bool CanPlot() const;
  bool InsideAxes(int x, int y) const;
  bool RatioInRange(int ratio) const;
  CurvePoint ThresholdPixel(const PixelRect& plot) const;
  // The compressor's right end, or nothing when its ratio is not shown.
  std::optional<int> CompressorEndY(const PixelRect& plot, int threshold_y) const;
  void AddScales(LinerScene& scene, const PixelRect& area, const PixelRect& control, TextMetrics metrics) const;
  static void DropSharedOriginLabel(LinerScene& scene);
  void AddCurve(LinerScene& scene, bool enabled) const;
  void AddHandles(LinerScene& scene, TextMetrics metrics, const LinerTexts& texts) const;
  bool DragThreshold(CurvePoint p, const PixelRect& plot);
  bool DragRatio(CurvePoint p, const PixelRect& plot);

  int x_ = 0;
  int y_ = 0;
  int ratio_ = 0;
  bool value_shown_ = true;
  bool ratio_shown_ = true;
  bool dragging_threshold_ = false;
  bool dragging_ratio_ = false;
};

}  // namespace dsp
