#pragma once

#include <QPlainTextEdit>

#include "platform/control.h"

namespace dsp {

// A multi-line text area, used for traces. Attributes: readonly.
class RichEdit : public Control {
 public:
  RichEdit();
  std::string_view ClassName() const override { return "RichEdit"; }
  std::string Text() const override;
  void SetText(std::string_view text) override;
  // Adds `text` at the end (no line break is added) and scrolls to it.
  void AppendText(std::string_view text);
  void SetAttribute(std::string_view name, std::string_view value) override;

 private:
  QPlainTextEdit* edit_;
};

}  // namespace dsp
