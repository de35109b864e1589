#include "ui_test_support.h"

#include <fstream>

#include "controls/knob_control.h"
#include "controls/liner_control.h"
#include "demo/demo_meter.h"

namespace dsp::test {

void RecordingWindow::Notify(Notification& notification) {
  seen.push_back({notification.type, notification.sender != nullptr ? notification.sender->Name() : "",
                  notification.wparam, notification.lparam, notification.timestamp_ms});
  if (on_notify) on_notify(notification);
}

bool RecordingWindow::HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  messages.push_back({message, wparam, lparam});
  return on_message ? on_message(message, wparam, lparam) : false;
}

std::unique_ptr<Control> RecordingWindow::CreateControl(std::string_view class_name) {
  if (class_name == "Meter") return std::make_unique<DemoMeter>();
  if (class_name == "Knob") return std::make_unique<KnobControl>();
  if (class_name == "Liner") return std::make_unique<LinerControl>();
  return nullptr;
}

std::vector<Seen> RecordingWindow::Of(const std::string& type, const std::string& sender) const {
  std::vector<Seen> matching;
  for (const Seen& one : seen) {
    if (one.type == type && (sender.empty() || one.sender == sender)) matching.push_back(one);
  }
  return matching;
}

void TemporarySkin::Write(const std::string& relative_path, const std::string& text) const {
  const std::filesystem::path path = dir_.path() / relative_path;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

std::unique_ptr<RecordingWindow> UiTest::Open(const std::string& skin_file) {
  auto window = std::make_unique<RecordingWindow>(skin_file);
  window->Create(nullptr, "test");
  window->ShowWindow();
  return window;
}

}  // namespace dsp::test
