#pragma once

#include <string>

#include "platform/window.h"

namespace dsp {

// A bare window on any skin file: no behaviour, the application's own
// custom controls (Graph, Liner, Knob).
class PreviewWindow : public Window {
 public:
  explicit PreviewWindow(std::string skin_file) : skin_file_(std::move(skin_file)) {}

  std::string SkinFile() const override { return skin_file_; }
  std::string ClassName() const override { return "PreviewWindow"; }
  std::unique_ptr<Control> CreateControl(std::string_view class_name) override;

 private:
  std::string skin_file_;
};

}  // namespace dsp
