#pragma once

// What the equaliser graph holds and how it answers the user, without the
// toolkit: 31 bands and the two filters, the handle squares of the last
// paint, the selection (one band, the high pass or the low pass, or none),
// dragging, the arrow keys, the wheel and the pulse of the selected handle.
// The control turns events into calls here and sends the notices back to
// its window.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "controls/eq_response.h"
#include "controls/graph_geometry.h"

namespace dsp {

struct GraphFilter {
  int frequency = 0;     // Hz, unchecked
  int handle_level = 0;  // hundredths of a dB: where the handle sits, nothing else
  int q = 100;
  bool on = false;
  bool selected = false;
  PixelRect hit;  // the handle's square at the last paint
};

// What the graph reports: "selectchanged" or "valuechanged" with its two
// parameters.
struct GraphNotice {
  enum class Type { kSelectChanged, kValueChanged };
  Type type;
  std::uintptr_t wparam;
  std::intptr_t lparam;
  bool operator==(const GraphNotice&) const = default;
};

enum class GraphKey { kLeft, kRight, kUp, kDown, kOther };

class EqGraphModel {
 public:
  // lParam of a filter's "valuechanged" when its handle is dragged.
  static constexpr std::intptr_t kHighPassDragged = 128;
  static constexpr std::intptr_t kLowPassDragged = 192;
  // wParam of a "valuechanged" for a band's Q (wheel) or a filter's keys.
  static constexpr std::uintptr_t kSecondValue = 1;
  static constexpr int kDefaultShownBands = 31;
  static constexpr int kPulseMax = 4;

  EqGraphModel();

  // Stored only for an index 0..30, 10..30000 Hz, a gain of -14..+14 dB
  // and a Q of 0.5..128; returns whether it was.
  bool SetBand(int index, int frequency, int gain, int q, int type, bool on);
  void SetHighPass(int frequency, bool on);
  void SetLowPass(int frequency, bool on);
  void SetBandHidden(int index, bool hidden);
  // Without filters (a side whose processor has none) the filter handles
  // are neither drawn nor hit and the response leaves the filters out.
  void SetFiltersShown(bool shown);
  bool FiltersShown() const { return filters_shown_; }
  // "showbandnumber" as the skin gives it; the host reads it back.
  void SetShowBandNumber(int count) { show_band_number_ = count; }
  int ShowBandNumber() const { return show_band_number_; }
  // Bands 0 .. HandleCount() - 1 have handles.
  int HandleCount() const;

  const std::array<EqShapeBand, kGraphBands>& Bands() const { return bands_; }
  const EqShapeBand& Band(int index) const { return bands_.at(static_cast<std::size_t>(index)); }
  bool BandHidden(int index) const { return hidden_.at(static_cast<std::size_t>(index)); }
  bool AnyBandOn() const;
  const GraphFilter& HighPass() const { return high_pass_; }
  const GraphFilter& LowPass() const { return low_pass_; }
  // The filters as the response draws them.
  EqShapeBand HighPassShape() const;
  EqShapeBand LowPassShape() const;
  int SelectedBand() const { return selected_band_; }
  bool AnySelected() const { return selected_band_ >= 0 || high_pass_.selected || low_pass_.selected; }
  bool Dragging() const { return dragging_; }

  // Places the handles on `plot` with squares of 2 * radius: the hit
  // rectangles the mouse is tested against until the next paint.
  void LayOut(const PixelRect& plot, int radius);
  const PixelRect& Plot() const { return plot_; }
  const std::vector<PixelRect>& BandHits() const { return band_hits_; }
  // A handle's square for a level in hundredths of a dB.
  PixelRect HandleSquare(int frequency, int level) const;

  std::optional<GraphNotice> Press(PixelPoint point);
  // `inside` says whether the point is within the control; leaving it ends
  // the drag.
  std::optional<GraphNotice> Move(PixelPoint point, bool inside);
  void Release() { dragging_ = false; }
  std::optional<GraphNotice> Key(GraphKey key);
  std::optional<GraphNotice> Wheel(bool up);
  // Forgets a selected band (a selected filter stays); returns whether
  // there was one.
  bool ClearBandSelection();

  // How far the selected handle grows now (it pulses while selected).
  int Pulse() const { return pulse_; }
  // Starts a pulse cycle shrinking first, from wherever the last one stopped.
  void StartPulse() { pulse_rising_ = false; }
  void PulseTick();

 private:
  std::optional<GraphNotice> MoveBand(PixelPoint point);
  std::optional<GraphNotice> KeyOnBand(GraphKey key);

  std::array<EqShapeBand, kGraphBands> bands_;
  std::array<bool, kGraphBands> hidden_{};
  GraphFilter high_pass_;
  GraphFilter low_pass_;
  int show_band_number_ = kDefaultShownBands;
  bool filters_shown_ = true;
  int radius_ = 0;
  PixelRect plot_;
  std::vector<PixelRect> band_hits_;
  int selected_band_ = -1;
  bool dragging_ = false;
  int pulse_ = 0;
  bool pulse_rising_ = false;
};

// Which handles have their labels drawn, so that no label leaves its
// handle or lies over another: a label must fit its handle's square
// (`label_sizes`: the width and height its lines take), and no two
// labelled handles' squares overlap. The selected handle (-1: none) goes
// first, then the bands in order; hidden handles have no label.
struct LabelSize {
  int width = 0;
  int height = 0;
};
std::vector<bool> LabelledHandles(const std::vector<PixelRect>& squares, const std::vector<LabelSize>& label_sizes,
                                  const std::vector<bool>& hidden, int selected);

}  // namespace dsp
