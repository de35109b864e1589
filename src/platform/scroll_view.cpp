#include "platform/scroll_view.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <algorithm>

#include "platform/attribute_values.h"

namespace dsp {

void FlushPendingLayouts() { QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); }

ScrollView::ScrollView() : Container(QBoxLayout::TopToBottom), area_(new QScrollArea) {
  area_->setWidgetResizable(true);
  area_->setFrameShape(QFrame::NoFrame);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* inner = new QWidget;
  inner->setAutoFillBackground(false);
  area_->viewport()->setAutoFillBackground(false);
  inner_layout_ = new QVBoxLayout(inner);
  inner_layout_->setSpacing(0);
  inner_layout_->setContentsMargins(0, 0, 0, 0);
  area_->setWidget(inner);
  layout()->addWidget(area_);
}

QPoint ScrollView::ScrollPos() const {
  FlushPendingLayouts();
  return {area_->horizontalScrollBar()->value(), area_->verticalScrollBar()->value()};
}

void ScrollView::SetScrollPos(QPoint position) {
  FlushPendingLayouts();
  area_->horizontalScrollBar()->setValue(position.x());
  area_->verticalScrollBar()->setValue(position.y());
}

QSize ScrollView::ScrollRange() const {
  FlushPendingLayouts();
  return {area_->horizontalScrollBar()->maximum(), area_->verticalScrollBar()->maximum()};
}

bool ScrollView::IsVerticalScrollBarVisible() const {
  FlushPendingLayouts();
  return area_->verticalScrollBar()->isVisible() && area_->verticalScrollBar()->maximum() > 0;
}

bool ScrollView::ScrollToChild(const Control* child) {
  FlushPendingLayouts();
  const int top = child->mapTo(area_->widget(), QPoint(0, 0)).y();
  QScrollBar* bar = area_->verticalScrollBar();
  const int visible_top = bar->value();
  const int visible_bottom = visible_top + area_->viewport()->height();
  if (top >= visible_top && top < visible_bottom) return false;
  bar->setValue(std::min(top, bar->maximum()));
  return true;
}

void ScrollView::SetAttribute(std::string_view name, std::string_view value) {
  auto policy = [&] { return ParseBool(name, value) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff; };
  if (name == "vscrollbar") area_->setVerticalScrollBarPolicy(policy());
  else if (name == "hscrollbar") area_->setHorizontalScrollBarPolicy(policy());
  else Container::SetAttribute(name, value);
}

void ScrollView::ApplyMargins() {
  layout()->setContentsMargins(Padding());
  inner_layout_->setContentsMargins(Inset());
}

}  // namespace dsp
