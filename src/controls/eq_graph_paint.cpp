// Painting the equaliser graph: scales and grid, the response with the
// selected band's share shaded, "EQ PASS" while every band is off, then
// the handles with their labels and the selected handle's value tips.
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <optional>

#include "controls/eq_graph.h"
#include "controls/handle_tips.h"
#include "controls/pixels_qt.h"

namespace dsp {
namespace {

// Grid lines: every multiple of each decade up to 30 kHz; labels at
// 20, 30, 50 Hz and their multiples of ten.
constexpr int kGridDecades[] = {10, 100, 1000, 10000};
constexpr int kLabelledHz[] = {20, 30, 50, 100, 200, 300, 500, 1000, 2000, 3000, 5000, 10000, 20000};
constexpr int kGainLabelMax = 12;
constexpr int kGainLabelsFrom = 14;  // the label rows step 2 dB down from here
// A grid line at every labelled level, so no label floats between lines.
constexpr int kGridDbStep = 2;
constexpr int kGainLabelGap = 5;
const QColor kPassText = QColor::fromRgba(0xFFFFFFFF);
const QColor kSelectedShade = QColor::fromRgba(0x80808080);
const QColor kTipsPlate = QColor::fromRgba(0xD0101418);
const QColor kFilterMarkFill = QColor::fromRgba(0xC0101418);
constexpr int kTipsPlateMargin = 3;
constexpr qreal kFilterMarkPen = 1.5;
constexpr qreal kFilterMarkShare = 0.6;  // of the handle's side
// The response is two pixels wide: two anti-aliased hairlines half a pixel
// either side of it. (A wide pen is stroked as an outline, which took
// several milliseconds a paint on a 1920 pixel graph.)
constexpr double kCurveHalfWidth = 0.5;
// Points closer than this to the line through their neighbours add nothing
// the eye can see.
constexpr double kCurveTolerance = 0.2;

QString FrequencyLabel(int hz) { return hz < 1000 ? QString::number(hz) : QString::number(hz / 1000) + "k"; }

QPolygonF ToPolygon(const std::vector<PixelPoint>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const PixelPoint& point : points) polygon << QPointF(point.x, point.y);
  return polygon;
}

// Grid lines are whole pixels: filled as thin rectangles, the quickest
// way to draw them.
void VerticalLine(QPainter& painter, double x, const PixelRect& plot, const QColor& colour, int width) {
  painter.fillRect(static_cast<int>(x) - width / 2, plot.top, width, plot.Height() + 1, colour);
}

void HorizontalLine(QPainter& painter, double y, const PixelRect& plot, const QColor& colour, int width) {
  painter.fillRect(plot.left, static_cast<int>(y) - width / 2, plot.Width() + 1, width, colour);
}

// The shaded share of the selected band: columns between the 0 dB line and
// its level, or for a working filter band from its level down to the
// bottom.
QPolygonF SelectedShade(const std::vector<float>& levels, const PixelRect& plot, bool to_bottom) {
  QPolygonF outline;
  const double middle = plot.top + plot.Height() / 2;
  const std::size_t columns = levels.size() - 1;
  for (std::size_t x = 0; x < columns; ++x) {
    const double y = middle - levels[x];
    outline << QPointF(plot.left + x, y) << QPointF(plot.left + x + 1, y);
  }
  const double base = to_bottom ? plot.bottom : middle;
  outline << QPointF(plot.left + columns, base) << QPointF(plot.left, base);
  return outline;
}

bool ShadesToBottom(const EqShapeBand& band) {
  return band.on && ((IsHighPassShape(band.type) && band.frequency > 20) ||
                     (IsLowPassShape(band.type) && band.frequency < 20000));
}

}  // namespace

PixelRect EqGraph::PlotRect() const {
  const QFontMetrics metrics(WindowFont(look_.scale_font));
  return PlotRectFor(ToPixelRect(PaddedRect()), metrics.averageCharWidth(), metrics.height());
}

void EqGraph::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackground(painter);
  const PixelRect plot = PlotRect();
  model_.LayOut(plot, look_.band_radius);
  PaintScales(painter, plot);
  PaintResponse(painter, plot);
  if (!model_.AnyBandOn()) PaintPass(painter, plot);
  PaintHandles(painter, plot);
}

void EqGraph::PaintScales(QPainter& painter, const PixelRect& plot) const {
  if (look_.window_background.alpha() > 0) painter.fillRect(ToQRect(plot), look_.window_background);
  background_.Paint(painter, ToQRect(plot));
  const FrequencyAxis axis(plot.Width());
  for (int decade : kGridDecades) {
    for (int multiple = 1; multiple <= 9 && multiple * decade <= kGraphHighestHz; ++multiple) {
      const int hz = multiple * decade;
      const bool edge = hz == kGraphLowestHz || hz == kGraphHighestHz;
      const double x = plot.left + axis.X(hz);
      VerticalLine(painter, x, plot, edge ? look_.window_line : look_.grid, edge ? look_.window_line_width : 1);
    }
  }
  const double step = plot.Height() / kGraphSpanDb;
  for (int row = 0; row <= kGraphSpanDb; row += kGridDbStep) {
    const bool edge = row == 0 || row == kGraphSpanDb;
    const double y = plot.top + row * step;
    HorizontalLine(painter, y, plot, edge ? look_.window_line : look_.grid, edge ? look_.window_line_width : 1);
  }
  const QFont font = WindowFont(look_.scale_font);
  const QFontMetrics metrics(font);
  const int char_width = metrics.averageCharWidth();
  const int text_height = metrics.height();
  scale_texts_.Use(font);
  painter.setPen(look_.scale_text);
  for (int hz : kLabelledHz) {
    const QString text = FrequencyLabel(hz);
    const int span = static_cast<int>(text.size()) * char_width;
    const QRect box(static_cast<int>(plot.left + axis.X(hz) - span), plot.bottom, 2 * span, text_height);
    scale_texts_.Draw(painter, box, Qt::AlignHCenter, text);
  }
  const int left = PaddedRect().left();
  for (int db = kGainLabelsFrom, row = 0; db >= -kGainLabelsFrom; db -= 2, ++row) {
    if (std::abs(db) > kGainLabelMax) continue;
    const QRect box(left, static_cast<int>(plot.top - text_height / 2 + row * 2 * step),
                    plot.left - kGainLabelGap - left, text_height);
    scale_texts_.Draw(painter, box, Qt::AlignRight, QString::number(db));
  }
}

void EqGraph::PaintResponse(QPainter& painter, const PixelRect& plot) const {
  const int selected = model_.SelectedBand();
  const EqResponse response =
      ComputeResponse(model_.Bands(), model_.HighPassShape(), model_.LowPassShape(), selected, plot);
  if (response.total.empty()) return;
  const std::vector<PixelPoint> curve = SimplifiedCurve(CurvePoints(response.total, plot), kCurveTolerance);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QPen hairline(look_.curve, 1);
  hairline.setCosmetic(true);
  painter.setPen(hairline);
  painter.drawPolyline(ToPolygon(OffsetCurve(curve, kCurveHalfWidth)));
  painter.drawPolyline(ToPolygon(OffsetCurve(curve, -kCurveHalfWidth)));
  painter.restore();
  if (response.selected.size() < 2 || model_.Band(selected).frequency < kGraphLowestHz) return;
  painter.save();
  painter.setClipRect(ToQRect(plot));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kSelectedShade);
  painter.drawPolygon(SelectedShade(response.selected, plot, ShadesToBottom(model_.Band(selected))),
                      Qt::OddEvenFill);
  painter.restore();
}

// Centred in the plot's upper half: the handles of bands at 0 dB run
// through the middle and would hide it.
void EqGraph::PaintPass(QPainter& painter, const PixelRect& plot) const {
  pass_texts_.Use(WindowFont(look_.pass_font));
  painter.setPen(kPassText);
  const QRect upper_half(plot.left, plot.top, plot.Width(), plot.Height() / 2);
  pass_texts_.Draw(painter, upper_half, Qt::AlignHCenter, "EQ PASS");
}

// Handles in band order, then the filters; the selected handle's value
// tips go on top of them all, beside the other handles. Only labels that
// fit their handles and lie over no other label are drawn.
void EqGraph::PaintHandles(QPainter& painter, const PixelRect& plot) const {
  label_texts_.Use(font());
  painter.setPen(TextColor().isValid() ? TextColor() : palette().color(QPalette::WindowText));
  std::optional<HandleTipsAt> tips;
  const auto& hits = model_.BandHits();
  std::vector<PixelRect> squares;
  std::vector<LabelSize> sizes;
  std::vector<bool> hidden;
  for (std::size_t band = 0; band < hits.size(); ++band) {
    const QRect square = Grown(hits[band], model_.SelectedBand() == static_cast<int>(band));
    const QRect text = label_texts_.Measure(square, Qt::AlignHCenter, labels_[band]);
    squares.push_back(ToPixelRect(square));
    sizes.push_back({text.width(), text.height()});
    hidden.push_back(model_.BandHidden(static_cast<int>(band)));
  }
  const std::vector<bool> labelled = LabelledHandles(squares, sizes, hidden, model_.SelectedBand());
  std::vector<PixelRect> others;  // every handle drawn but the selected one
  for (std::size_t band = 0; band < hits.size(); ++band) {
    const EqShapeBand& shape = model_.Bands()[band];
    const QRect square = ToQRect(squares[band]);
    if (model_.SelectedBand() == static_cast<int>(band)) {
      tips = {hits[band], HandleTips(shape.frequency, std::pair{shape.gain, shape.q}), shape.gain >= 0};
    } else if (!hidden[band]) {
      others.push_back(hits[band]);
    }
    if (hidden[band]) continue;
    images_[band].Paint(painter, square);
    if (labelled[band]) PaintLabel(painter, square, labels_[band]);
  }
  const std::pair<const GraphFilter*, const char*> filters[] = {{&model_.HighPass(), "H"}, {&model_.LowPass(), "L"}};
  for (const auto& [filter, label] : filters) {
    if (!model_.FiltersShown()) break;
    const QRect square = Grown(filter->hit, filter->selected);
    if (filter->selected) {
      tips = {filter->hit, HandleTips(filter->frequency, std::nullopt), filter->handle_level >= 0};
    } else {
      others.push_back(filter->hit);
    }
    PaintFilterMark(painter, square);
    PaintLabel(painter, square, label);
  }
  if (tips) PaintTips(painter, *tips, plot, others);
}

QRect EqGraph::Grown(const PixelRect& square, bool selected) const {
  const int pulse = selected ? model_.Pulse() : 0;
  return ToQRect(square).adjusted(-pulse, -pulse, pulse, pulse);
}

void EqGraph::PaintLabel(QPainter& painter, const QRect& square, const QString& label) const {
  label_texts_.Draw(painter, square, Qt::AlignHCenter, label);
}

// A filter has no image: a ring in the curve's colour marks its handle.
void EqGraph::PaintFilterMark(QPainter& painter, const QRect& square) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(look_.curve, kFilterMarkPen));
  painter.setBrush(kFilterMarkFill);
  const QPointF centre = QRectF(square).center();
  const qreal radius = square.width() * kFilterMarkShare / 2;
  painter.drawEllipse(centre, radius, radius);
  painter.restore();
}

// The tips sit on a plate so that handles and the curve behind them do
// not blur them.
void EqGraph::PaintTips(QPainter& painter, const HandleTipsAt& tips, const PixelRect& plot,
                        const std::vector<PixelRect>& others) const {
  const int text_height = QFontMetrics(font()).height();
  const int lines = static_cast<int>(tips.lines.size());
  int widest = 0;
  for (const std::string& line : tips.lines) {
    const QRect wide_enough(0, 0, plot.Width(), text_height);
    widest = std::max(widest, label_texts_.Measure(wide_enough, Qt::AlignLeft, QString::fromStdString(line)).width());
  }
  const TipSize size{widest + 2 * kTipsPlateMargin, lines * text_height};
  const PixelRect block = TipBlock(tips.square, EqGraphModel::kPulseMax, tips.at_or_above_zero, size, plot, others);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kTipsPlate);
  painter.drawRoundedRect(ToQRect(block), kTipsPlateMargin, kTipsPlateMargin);
  painter.restore();
  painter.setPen(look_.tips_text);
  const PixelRect text{block.left + kTipsPlateMargin, block.top, block.right - kTipsPlateMargin, block.bottom};
  const std::vector<PixelRect> rows = TipLines(text, tips.square, lines, text_height);
  for (std::size_t line = 0; line < rows.size(); ++line) {
    label_texts_.Draw(painter, ToQRect(rows[line]), Qt::AlignLeft, QString::fromStdString(tips.lines[line]));
  }
}

}  // namespace dsp
