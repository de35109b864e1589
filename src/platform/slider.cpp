#include "platform/slider.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

#include "platform/attribute_values.h"
#include "platform/notification.h"

namespace dsp {
namespace {

// A level meter: a bar filled from the minimum up to the value, with no
// handle to suggest it can be dragged.
constexpr const char* kMeterStyle =
    "QSlider::groove { background: #1B1F24; border: 1px solid #353B44; border-radius: 3px; }"
    "QSlider::groove:vertical { width: 12px; }"
    "QSlider::groove:horizontal { height: 12px; }"
    "QSlider::handle { background: transparent; border: none; width: 0px; height: 0px; margin: 0px; }"
    "QSlider::add-page:vertical, QSlider::sub-page:horizontal { background: #3FA7D6; border-radius: 3px; }"
    "QSlider::sub-page:vertical, QSlider::add-page:horizontal { background: transparent; }";

}  // namespace

Slider::Slider() : slider_(new QSlider(Qt::Horizontal)) {
  SetContent(slider_);
  setSizePolicy(slider_->sizePolicy());
  QObject::connect(slider_, &QSlider::sliderReleased, this,
                   [this] { SendNotify(notify::kValueChanged); });
  // A drag moves the slider's position before its value: the notice waits
  // for the value, so that whoever reads Value() on it gets the new one.
  QObject::connect(slider_, &QSlider::valueChanged, this, [this] {
    if (setting_from_code_) return;
    SendNotify(slider_->isSliderDown() ? notify::kMoveValueChanged : notify::kValueChanged);
  });
}

void Slider::SetValue(int value, bool notify) {
  setting_from_code_ = true;
  slider_->setValue(value);
  setting_from_code_ = false;
  if (notify) SendNotify(notify::kValueChanged);
}

void Slider::SetRange(int min, int max) {
  setting_from_code_ = true;
  slider_->setRange(min, max);
  setting_from_code_ = false;
}

void Slider::SetChangeStep(int step) {
  slider_->setSingleStep(step);
  slider_->setPageStep(step);
}

void Slider::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "min") SetRange(ParseInt(name, value), std::max(Max(), ParseInt(name, value)));
  else if (name == "max") SetRange(std::min(Min(), ParseInt(name, value)), ParseInt(name, value));
  else if (name == "value") SetValue(ParseInt(name, value));
  else if (name == "step") SetChangeStep(ParseInt(name, value));
  else if (name == "meter") slider_->setStyleSheet(ParseBool(name, value) ? kMeterStyle : "");
  else if (name == "vertical") {
    slider_->setOrientation(ParseBool(name, value) ? Qt::Vertical : Qt::Horizontal);
    setSizePolicy(slider_->sizePolicy());
  } else {
    Control::SetAttribute(name, value);
  }
}

std::optional<QPoint> Slider::NamedPoint(std::string_view part) const {
  if (part != "handle") return std::nullopt;
  QStyleOptionSlider option;
  option.initFrom(slider_);
  option.subControls = QStyle::SC_All;
  option.orientation = slider_->orientation();
  option.minimum = slider_->minimum();
  option.maximum = slider_->maximum();
  option.sliderPosition = slider_->sliderPosition();
  option.sliderValue = slider_->value();
  option.tickPosition = slider_->tickPosition();
  option.upsideDown = slider_->orientation() == Qt::Horizontal
                          ? slider_->invertedAppearance() != (option.direction == Qt::RightToLeft)
                          : !slider_->invertedAppearance();
  return slider_->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider_).center();
}

}  // namespace dsp
