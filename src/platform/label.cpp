#include "platform/label.h"

#include "platform/attribute_values.h"
#include "platform/qt_text.h"

namespace dsp {

Label::Label() : label_(new QLabel) {
  label_->setTextFormat(Qt::PlainText);
  SetContent(label_);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void Label::SetText(std::string_view text) {
  Control::SetText(text);
  label_->setText(ToQt(text));
}

void Label::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "align") label_->setAlignment(ParseAlignment(name, value));
  else if (name == "wordwrap") label_->setWordWrap(ParseBool(name, value));
  else Control::SetAttribute(name, value);
}

}  // namespace dsp
