#include "platform/progress.h"

#include <algorithm>

#include "platform/attribute_values.h"
#include "platform/qt_text.h"

namespace dsp {

Progress::Progress() : bar_(new QProgressBar) {
  bar_->setTextVisible(false);
  bar_->setValue(0);
  SetContent(bar_);
  setSizePolicy(bar_->sizePolicy());
}

int Progress::Value() const { return bar_->value(); }
// QProgressBar ignores a value outside its range; the nearest end is meant.
void Progress::SetValue(int value) { bar_->setValue(std::clamp(value, Min(), Max())); }
int Progress::Min() const { return bar_->minimum(); }
int Progress::Max() const { return bar_->maximum(); }
// QProgressBar shows "no value" (minimum - 1) after a range change that
// leaves its value outside; a progress control always has one.
void Progress::SetRange(int min, int max) {
  const int value = bar_->value();
  bar_->setRange(min, max);
  bar_->setValue(std::clamp(value, min, std::max(min, max)));
}

// QProgressBar shows its format with "%p", "%v" and "%m" replaced; the
// texts given here ("45%") carry none of them and show as they are.
void Progress::SetText(std::string_view text) {
  Control::SetText(text);
  bar_->setFormat(ToQt(text));
  bar_->setTextVisible(!text.empty());
}

void Progress::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "min") SetRange(ParseInt(name, value), std::max(Max(), ParseInt(name, value)));
  else if (name == "max") SetRange(std::min(Min(), ParseInt(name, value)), ParseInt(name, value));
  else if (name == "value") SetValue(ParseInt(name, value));
  else if (name == "vertical") {
    bar_->setOrientation(ParseBool(name, value) ? Qt::Vertical : Qt::Horizontal);
    setSizePolicy(bar_->sizePolicy());
  } else {
    Control::SetAttribute(name, value);
  }
}

}  // namespace dsp
