#pragma once

#include <memory>

#include "platform/menu.h"
#include "platform/window.h"

namespace dsp {

// The toolkit demo window (skin view/DemoWindow.xml): logs every
// notification, keeps four gain strips (slider, edit, mute) in step, adds
// and removes tree nodes built from attribute lists, opens a pop-up menu, a
// message box, a file dialog and a modal dialog, runs a meter timer, and
// shows the volume a knob is turned to.
class DemoWindow : public Window {
 public:
  static constexpr std::uint32_t kMeterTimer = 1;
  static constexpr int kChannels = 4;

  std::string SkinFile() const override { return "view/DemoWindow.xml"; }
  std::string ClassName() const override { return "DemoWindow"; }
  void Notify(Notification& notification) override;
  bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;
  std::unique_ptr<Control> CreateControl(std::string_view class_name) override;

  Menu* OpenMenu() const { return menu_.get(); }

 private:
  void Log(const Notification& notification);
  void SetStatus(const std::string& text);
  void OnClick(Control& sender);
  void OnItemClick(Control& sender);
  void AddDevice();
  void RemoveDevice(const Control& button);
  void ShowGain(int channel, int tenths);
  void CommitGain(int channel);
  void StepGain(int channel, std::uintptr_t direction);
  void AdvanceMeter();

  std::unique_ptr<Menu> menu_;
  int devices_added_ = 0;
};

}  // namespace dsp
