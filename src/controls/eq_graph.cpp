#include "controls/eq_graph.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <charconv>
#include <string>

#include "platform/attribute_values.h"
#include "platform/notification.h"

namespace dsp {
namespace {

// "#AARRGGBB", "#RRGGBB", or the same digits without the "#".
QColor GraphColor(std::string_view name, std::string_view value) {
  if (!value.empty() && value.front() == '#') return ParseColor(name, value);
  std::string with_hash(1, '#');
  with_hash.append(value);
  return ParseColor(name, with_hash);
}

// The band a name such as "band12image" or "band12" numbers from 1: 0..30,
// or -1.
int NumberedBand(std::string_view name, std::string_view suffix) {
  constexpr std::string_view kPrefix = "band";
  if (!name.starts_with(kPrefix) || !name.ends_with(suffix) || name.size() <= kPrefix.size() + suffix.size()) {
    return -1;
  }
  const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - suffix.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || number < 1 || number > kGraphBands) return -1;
  return number - 1;
}

GraphKey KeyOf(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Left: return GraphKey::kLeft;
    case Qt::Key_Right: return GraphKey::kRight;
    case Qt::Key_Up: return GraphKey::kUp;
    case Qt::Key_Down: return GraphKey::kDown;
    default: return GraphKey::kOther;
  }
}

PixelPoint PointOf(const QMouseEvent& event) {
  const QPoint point = event.position().toPoint();
  return {static_cast<double>(point.x()), static_cast<double>(point.y())};
}

}  // namespace

EqGraph::EqGraph() {
  setFocusPolicy(Qt::ClickFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void EqGraph::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "bandradius") look_.band_radius = ParseInt(name, value);
  else if (name == "gridcolor") look_.grid = GraphColor(name, value);
  else if (name == "scaletextcolor") look_.scale_text = GraphColor(name, value);
  else if (name == "tipstextcolor") look_.tips_text = GraphColor(name, value);
  else if (name == "windowbkcolor") look_.window_background = GraphColor(name, value);
  else if (name == "windowlinecolor") look_.window_line = GraphColor(name, value);
  else if (name == "curvecolor") look_.curve = GraphColor(name, value);
  else if (name == "windowlinewidth") look_.window_line_width = ParseInt(name, value);
  else if (name == "passfont") look_.pass_font = ParseInt(name, value);
  else if (name == "scalefont") look_.scale_font = ParseInt(name, value);
  else if (name == "showbandnumber") model_.SetShowBandNumber(ParseInt(name, value));
  else if (name == "bkimage") background_ = RequireSkinImage(name, value);
  else if (const int band = NumberedBand(name, "image"); band >= 0) {
    images_[static_cast<std::size_t>(band)] = RequireSkinImage(name, value);
  } else {
    if (name == "idealinecolor") GraphColor(name, value);
    Control::SetAttribute(name, value);
  }
}

void EqGraph::RepaintIfShown() {
  if (isVisible()) update();
}

void EqGraph::SetBand(int index, int frequency, int gain, int q, int type, bool on) {
  if (model_.SetBand(index, frequency, gain, q, type, on)) RepaintIfShown();
}

void EqGraph::SetHighPass(int frequency, bool on) {
  model_.SetHighPass(frequency, on);
  RepaintIfShown();
}

void EqGraph::SetLowPass(int frequency, bool on) {
  model_.SetLowPass(frequency, on);
  RepaintIfShown();
}

void EqGraph::SetBandLabel(int index, std::string_view text) {
  if (index < 0 || index >= kGraphBands) return;
  labels_[static_cast<std::size_t>(index)] = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  RepaintIfShown();
}

void EqGraph::SetBandHidden(int index, bool hidden) {
  model_.SetBandHidden(index, hidden);
  RepaintIfShown();
}

void EqGraph::SetFiltersShown(bool shown) {
  if (shown == model_.FiltersShown()) return;
  model_.SetFiltersShown(shown);
  RepaintIfShown();
}

void EqGraph::ClearBandSelection() {
  if (!model_.ClearBandSelection()) return;
  if (!model_.AnySelected()) KillTimer(kPulseTimer);
  update();
}

std::optional<QPoint> EqGraph::NamedPoint(std::string_view part) const {
  PixelRect square;
  if ((part == "high_pass" || part == "low_pass") && !model_.FiltersShown()) return std::nullopt;
  if (part == "high_pass") {
    square = model_.HighPass().hit;
  } else if (part == "low_pass") {
    square = model_.LowPass().hit;
  } else {
    const int band = NumberedBand(part, "");
    if (band < 0 || band >= static_cast<int>(model_.BandHits().size())) return std::nullopt;
    square = model_.BandHits()[static_cast<std::size_t>(band)];
  }
  return QPoint((square.left + square.right) / 2, (square.top + square.bottom) / 2);
}

void EqGraph::Notify(const std::optional<GraphNotice>& notice) {
  if (!notice) return;
  SendNotify(notice->type == GraphNotice::Type::kSelectChanged ? notify::kSelectChanged : notify::kValueChanged,
             notice->wparam, notice->lparam);
}

void EqGraph::StartPulseIfNew(bool was_selected) {
  if (!was_selected && model_.AnySelected()) {
    model_.StartPulse();
    SetTimer(kPulseTimer, kPulseMs);
    update();
  } else if (was_selected && !model_.AnySelected()) {
    KillTimer(kPulseTimer);
    update();
  }
}

void EqGraph::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool was_selected = model_.AnySelected();
  const auto notice = model_.Press(PointOf(*event));
  StartPulseIfNew(was_selected);
  Notify(notice);
}

// No repaint here: the pulse repaints the selected handle, and the host
// pushes the stored values back, which repaints.
void EqGraph::mouseMoveEvent(QMouseEvent* event) {
  Notify(model_.Move(PointOf(*event), rect().contains(event->position().toPoint())));
}

void EqGraph::mouseReleaseEvent(QMouseEvent*) { model_.Release(); }

void EqGraph::leaveEvent(QEvent* event) {
  model_.Release();
  Control::leaveEvent(event);
}

void EqGraph::keyPressEvent(QKeyEvent* event) {
  const auto notice = model_.Key(KeyOf(event->key()));
  if (!notice) {
    Control::keyPressEvent(event);
    return;
  }
  Notify(notice);
}

void EqGraph::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  const auto notice = model_.Wheel(delta > 0);
  if (notice) update();
  Notify(notice);
  event->accept();
}

void EqGraph::focusOutEvent(QFocusEvent* event) {
  ClearBandSelection();
  Control::focusOutEvent(event);
}

void EqGraph::OnTimer(std::uint32_t id) {
  if (id != kPulseTimer) return;
  model_.PulseTick();
  update();
}

}  // namespace dsp
