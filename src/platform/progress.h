#pragma once

#include <QProgressBar>

#include "platform/control.h"

namespace dsp {

// A progress bar. Attributes: min, max, value, vertical. A text, when set,
// is shown on the bar as it stands.
class Progress : public Control {
 public:
  Progress();
  std::string_view ClassName() const override { return "Progress"; }

  int Value() const;
  void SetValue(int value);
  int Min() const;
  int Max() const;
  void SetRange(int min, int max);
  void SetText(std::string_view text) override;

  void SetAttribute(std::string_view name, std::string_view value) override;

 private:
  QProgressBar* bar_;
};

}  // namespace dsp
