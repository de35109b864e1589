// Painting the equaliser graph: scales and grid, the response with the
// selected band's share shaded, "EQ PASS" while every band is off, then
// the handles with their labels and the selected handle's value tips.
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <optional>

#include "controls/eq_graph.h"

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
constexpr qreal kCurveWidth = 2.0;
// The cardinal curve's tension (0.5) as the share of the neighbours'
// distance that sets each control point.
constexpr double kCurveTension = 0.5 * 0.3;

QRect ToQRect(const PixelRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

PixelRect ToPixelRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QString FrequencyLabel(int hz) { return hz < 1000 ? QString::number(hz) : QString::number(hz / 1000) + "k"; }

// A smooth curve through every point, each segment a cubic whose control
// points follow the direction from the previous to the next point.
QPainterPath CardinalPath(const std::vector<PixelPoint>& points) {
  QPainterPath path;
  if (points.empty()) return path;
  auto at = [&](std::size_t i) { return QPointF(points[i].x, points[i].y); };
  path.moveTo(at(0));
  const std::size_t last = points.size() - 1;
  for (std::size_t i = 0; i < last; ++i) {
    const QPointF tangent_from = (at(i + 1) - at(i == 0 ? 0 : i - 1)) * kCurveTension;
    const QPointF tangent_to = (at(i + 1 == last ? last : i + 2) - at(i)) * kCurveTension;
    path.cubicTo(at(i) + tangent_from, at(i + 1) - tangent_to, at(i + 1));
  }
  return path;
}

void Line(QPainter& painter, double x1, double y1, double x2, double y2, const QColor& colour, int width) {
  painter.setPen(QPen(colour, width));
  painter.drawLine(QPoint(static_cast<int>(x1), static_cast<int>(y1)), QPoint(static_cast<int>(x2), static_cast<int>(y2)));
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
  PaintHandles(painter);
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
      Line(painter, x, plot.top, x, plot.bottom, edge ? look_.window_line : look_.grid,
           edge ? look_.window_line_width : 1);
    }
  }
  const double step = plot.Height() / kGraphSpanDb;
  for (int row = 0; row <= kGraphSpanDb; row += kGridDbStep) {
    const bool edge = row == 0 || row == kGraphSpanDb;
    const double y = plot.top + row * step;
    Line(painter, plot.left, y, plot.right, y, edge ? look_.window_line : look_.grid,
         edge ? look_.window_line_width : 1);
  }
  const QFont font = WindowFont(look_.scale_font);
  const QFontMetrics metrics(font);
  const int char_width = metrics.averageCharWidth();
  const int text_height = metrics.height();
  painter.setFont(font);
  painter.setPen(look_.scale_text);
  for (int hz : kLabelledHz) {
    const QString text = FrequencyLabel(hz);
    const int span = static_cast<int>(text.size()) * char_width;
    const QRect box(static_cast<int>(plot.left + axis.X(hz) - span), plot.bottom, 2 * span, text_height);
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
  }
  const int left = PaddedRect().left();
  for (int db = kGainLabelsFrom, row = 0; db >= -kGainLabelsFrom; db -= 2, ++row) {
    if (std::abs(db) > kGainLabelMax) continue;
    const QRect box(left, static_cast<int>(plot.top - text_height / 2 + row * 2 * step),
                    plot.left - kGainLabelGap - left, text_height);
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, QString::number(db));
  }
}

void EqGraph::PaintResponse(QPainter& painter, const PixelRect& plot) const {
  const int selected = model_.SelectedBand();
  const EqResponse response =
      ComputeResponse(model_.Bands(), model_.HighPassShape(), model_.LowPassShape(), selected, plot);
  if (response.total.empty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(look_.curve, kCurveWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(CardinalPath(CurvePoints(response.total, plot)));
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

void EqGraph::PaintPass(QPainter& painter, const PixelRect& plot) const {
  painter.setFont(WindowFont(look_.pass_font));
  painter.setPen(kPassText);
  painter.drawText(ToQRect(plot), Qt::AlignCenter | Qt::TextSingleLine, "EQ PASS");
}

// Handles in band order, then the filters; the selected handle's value
// tips go on top of them all.
void EqGraph::PaintHandles(QPainter& painter) const {
  std::optional<HandleTipsAt> tips;
  const auto& hits = model_.BandHits();
  for (std::size_t band = 0; band < hits.size(); ++band) {
    const EqShapeBand& shape = model_.Bands()[band];
    const bool selected = model_.SelectedBand() == static_cast<int>(band);
    const QRect square = Grown(hits[band], selected);
    if (selected) tips = {square, HandleTips(shape.frequency, std::pair{shape.gain, shape.q}), shape.gain >= 0};
    if (model_.BandHidden(static_cast<int>(band))) continue;
    images_[band].Paint(painter, square);
    PaintLabel(painter, square, labels_[band]);
  }
  const std::pair<const GraphFilter*, const char*> filters[] = {{&model_.HighPass(), "H"}, {&model_.LowPass(), "L"}};
  for (const auto& [filter, label] : filters) {
    const QRect square = Grown(filter->hit, filter->selected);
    if (filter->selected) tips = {square, HandleTips(filter->frequency, std::nullopt), filter->handle_level >= 0};
    PaintFilterMark(painter, square);
    PaintLabel(painter, square, label);
  }
  if (tips) PaintTips(painter, *tips);
}

QRect EqGraph::Grown(const PixelRect& square, bool selected) const {
  const int pulse = selected ? model_.Pulse() : 0;
  return ToQRect(square).adjusted(-pulse, -pulse, pulse, pulse);
}

void EqGraph::PaintLabel(QPainter& painter, const QRect& square, const QString& label) const {
  painter.setFont(font());
  painter.setPen(TextColor().isValid() ? TextColor() : palette().color(QPalette::WindowText));
  painter.drawText(square, Qt::AlignCenter, label);
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
void EqGraph::PaintTips(QPainter& painter, const HandleTipsAt& tips) const {
  const QFontMetrics metrics(font());
  std::size_t longest = 0;
  for (const std::string& line : tips.lines) longest = std::max(longest, line.size());
  const auto rects = TipRects(ToPixelRect(tips.square), tips.at_or_above_zero, static_cast<int>(tips.lines.size()),
                              static_cast<int>(longest), metrics.averageCharWidth(), metrics.height());
  QRect plate;
  for (std::size_t line = 0; line < rects.size(); ++line) {
    const QRect box = ToQRect(rects[line]);
    const int width = metrics.horizontalAdvance(QString::fromStdString(tips.lines[line]));
    plate |= QRect(box.left(), box.top(), width, box.height());
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kTipsPlate);
  painter.drawRoundedRect(plate.adjusted(-kTipsPlateMargin, 0, kTipsPlateMargin, 0), kTipsPlateMargin,
                          kTipsPlateMargin);
  painter.restore();
  painter.setFont(font());
  painter.setPen(look_.tips_text);
  for (std::size_t line = 0; line < rects.size(); ++line) {
    painter.drawText(ToQRect(rects[line]), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromStdString(tips.lines[line]));
  }
}

}  // namespace dsp
