#pragma once

#include "platform/window.h"

namespace dsp {

// A small modal dialog of the demo: OK closes it with 1, Cancel with 2.
class DemoDialog : public Window {
 public:
  std::string SkinFile() const override { return "view/DemoDialog.xml"; }
  std::string ClassName() const override { return "DemoDialog"; }
  void Notify(Notification& notification) override;
};

}  // namespace dsp
