#include "platform/rich_edit.h"

#include <QScrollBar>
#include <QTextCursor>

#include "platform/attribute_values.h"
#include "platform/qt_text.h"

namespace dsp {

RichEdit::RichEdit() : edit_(new QPlainTextEdit) {
  SetContent(edit_);
  setSizePolicy(edit_->sizePolicy());
}

std::string RichEdit::Text() const { return ToStd(edit_->toPlainText()); }

void RichEdit::SetText(std::string_view text) {
  Control::SetText(text);
  edit_->setPlainText(ToQt(text));
}

void RichEdit::AppendText(std::string_view text) {
  QTextCursor cursor(edit_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToQt(text));
  edit_->verticalScrollBar()->setValue(edit_->verticalScrollBar()->maximum());
}

void RichEdit::SetAttribute(std::string_view name, std::string_view value) {
  if (name == "readonly") edit_->setReadOnly(ParseBool(name, value));
  else Control::SetAttribute(name, value);
}

}  // namespace dsp
