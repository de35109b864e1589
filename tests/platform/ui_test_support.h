#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "demo/demo_window.h"
#include "platform/testing/ui_harness.h"
#include "platform/toolkit.h"
#include "platform/window.h"

namespace dsp::test {

// A notification as a window received it.
struct Seen {
  std::string type;
  std::string sender;
  std::uintptr_t wparam;
  std::intptr_t lparam;
  std::int64_t timestamp_ms;
};

struct Message {
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
  bool operator==(const Message&) const = default;
  friend void PrintTo(const Message& one, std::ostream* out) {
    *out << "{" << one.message << ", " << one.wparam << ", " << one.lparam << "}";
  }
};

// A window on any skin file that records what reaches it; tests hook in
// behaviour through the std::function members.
class RecordingWindow : public Window {
 public:
  explicit RecordingWindow(std::string skin_file) : skin_file_(std::move(skin_file)) {}

  std::string SkinFile() const override { return skin_file_; }
  std::string ClassName() const override { return "RecordingWindow"; }
  void Notify(Notification& notification) override;
  bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;
  std::unique_ptr<Control> CreateControl(std::string_view class_name) override;

  // Notifications of one type (from one sender when `sender` is given).
  std::vector<Seen> Of(const std::string& type, const std::string& sender = "") const;
  void Forget() {
    seen.clear();
    messages.clear();
  }

  std::vector<Seen> seen;
  std::vector<Message> messages;
  std::function<void(Notification&)> on_notify;
  std::function<bool(std::uint32_t, std::uintptr_t, std::intptr_t)> on_message;

 private:
  std::string skin_file_;
};

// Writes skin files into a fresh folder and makes it the skin folder until
// the object goes.
class TemporarySkin {
 public:
  TemporarySkin() : previous_(Toolkit::SkinDir()) { Toolkit::SetSkinDir(dir_.path()); }
  ~TemporarySkin() { Toolkit::SetSkinDir(previous_); }
  void Write(const std::string& relative_path, const std::string& text) const;
  const std::filesystem::path& Dir() const { return dir_.path(); }

 private:
  dsp::testing::TempDir dir_;
  std::filesystem::path previous_;
};

// Base of the GUI tests: a harness whose failures fail the test.
class UiTest : public ::testing::Test {
 protected:
  UiHarness harness{[](const std::string& message) { ADD_FAILURE() << message; }};
  const UiDriver& driver = harness.Driver();

  // A created and shown window on `skin_file`.
  std::unique_ptr<RecordingWindow> Open(const std::string& skin_file);
};

// A GUI test on the demo window, created and shown.
class DemoWindowTest : public UiTest {
 protected:
  DemoWindowTest() {
    demo.Create(nullptr, "demo");
    demo.ShowWindow();
  }
  DemoWindow demo;
};

}  // namespace dsp::test
