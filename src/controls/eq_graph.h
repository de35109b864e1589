#pragma once

// The equaliser graph of the equaliser pages (skin element "Graph"): the
// summed response of 31 bands and the high-pass and low-pass filters on a
// logarithmic frequency axis, a handle per shown band and per filter. The
// user drags a handle (frequency and gain), nudges it with the arrow keys
// and turns a band's Q with the wheel; each change is reported with
// "selectchanged" or "valuechanged" and the host reads the new values back
// through the getters. Everything but painting and event plumbing lives in
// EqGraphModel.
//
// Skin attributes: "bandradius" (half a handle's side, 18), "gridcolor",
// "idealinecolor" (kept as a custom attribute, not drawn), "passfont", "scaletextcolor",
// "scalefont", "tipstextcolor", "showbandnumber" (handles for bands
// 0..n-1, 31), "windowbkcolor", "windowlinecolor", "windowlinewidth",
// "band1image" .. "band31image" (handle images of bands 0..30), "curvecolor"
// (the response, #FF008000). Colours may leave out the "#".

#include <QColor>
#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "controls/eq_graph_model.h"
#include "controls/graph_text.h"
#include "platform/control.h"

namespace dsp {

class EqGraph : public Control {
 public:
  static constexpr std::uint32_t kPulseTimer = 1;
  static constexpr int kPulseMs = 50;

  EqGraph();
  std::string_view ClassName() const override { return "Graph"; }
  void SetAttribute(std::string_view name, std::string_view value) override;

  // Host operations; out-of-range bands are ignored (see EqGraphModel).
  void SetBand(int index, int frequency, int gain, int q, int type, bool on);
  void SetHighPass(int frequency, bool on);
  void SetLowPass(int frequency, bool on);
  // Text drawn centred in a band's handle, line by line.
  void SetBandLabel(int index, std::string_view text);
  void SetBandHidden(int index, bool hidden);
  // Whether the high-pass and low-pass filters have handles and shape the
  // response (not on a side whose processor has no filters).
  void SetFiltersShown(bool shown);
  // Drops a selected band (index -1), stops its pulse and repaints.
  void ClearBandSelection();

  const EqGraphModel& Model() const { return model_; }
  int ShowBandNumber() const { return model_.ShowBandNumber(); }

  // "band1" .. "band31", "high_pass", "low_pass": the centre of that
  // handle as last painted.
  std::optional<QPoint> NamedPoint(std::string_view part) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void OnTimer(std::uint32_t id) override;

 private:
  struct Look {
    int band_radius = 18;
    QColor grid = QColor::fromRgba(0xFF404040);
    QColor scale_text = QColor::fromRgba(0xFF404040);
    QColor tips_text = QColor::fromRgba(0xFFFFFFFF);
    QColor window_background = QColor::fromRgba(0x00000000);
    QColor window_line = QColor::fromRgba(0xFFFFFFFF);
    QColor curve = QColor::fromRgba(0xFF008000);
    int window_line_width = 1;
    int pass_font = 0;
    int scale_font = 0;
  };

  void Notify(const std::optional<GraphNotice>& notice);
  void StartPulseIfNew(bool was_selected);
  void RepaintIfShown();

  // The value tips of the selected handle, and its square at rest.
  struct HandleTipsAt {
    PixelRect square;
    std::vector<std::string> lines;
    bool at_or_above_zero;
  };

  // eq_graph_paint.cpp
  PixelRect PlotRect() const;
  void PaintScales(QPainter& painter, const PixelRect& plot) const;
  void PaintResponse(QPainter& painter, const PixelRect& plot) const;
  void PaintPass(QPainter& painter, const PixelRect& plot) const;
  void PaintHandles(QPainter& painter, const PixelRect& plot) const;
  // A handle's square, grown by the pulse while it is selected.
  QRect Grown(const PixelRect& square, bool selected) const;
  void PaintLabel(QPainter& painter, const QRect& square, const QString& label) const;
  void PaintFilterMark(QPainter& painter, const QRect& square) const;
  // `others`: the squares of the other handles drawn, which the tips keep
  // clear of.
  void PaintTips(QPainter& painter, const HandleTipsAt& tips, const PixelRect& plot,
                 const std::vector<PixelRect>& others) const;

  EqGraphModel model_;
  Look look_;
  // Laid-out texts of the scale font, the control's own font (labels and
  // tips) and the pass font.
  mutable GraphText scale_texts_;
  mutable GraphText label_texts_;
  mutable GraphText pass_texts_;
  SkinImage background_;
  std::array<SkinImage, kGraphBands> images_;
  std::array<QString, kGraphBands> labels_;
};

}  // namespace dsp
