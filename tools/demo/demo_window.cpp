#include "demo/demo_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "controls/knob_control.h"
#include "platform/check_box.h"
#include "platform/combo.h"
#include "demo/demo_dialog.h"
#include "demo/demo_meter.h"
#include "platform/edit.h"
#include "platform/list.h"
#include "platform/progress.h"
#include "platform/rich_edit.h"
#include "platform/slider.h"
#include "platform/toolkit.h"
#include "platform/tree_view.h"

namespace dsp {
namespace {

// The channel of a strip control: the number after the last '_'.
int ChannelOf(const std::string& name) {
  const std::size_t underscore = name.rfind('_');
  return underscore == std::string::npos ? -1 : std::atoi(name.c_str() + underscore + 1);
}

bool StartsWith(const std::string& text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

std::string Suffixed(std::string_view base, int channel) { return std::string(base) + "_" + std::to_string(channel); }

}  // namespace

std::unique_ptr<Control> DemoWindow::CreateControl(std::string_view class_name) {
  if (class_name == "Meter") return std::make_unique<DemoMeter>();
  if (class_name == "Knob") return std::make_unique<KnobControl>();
  return nullptr;
}

void DemoWindow::Notify(Notification& notification) {
  Log(notification);
  Control& sender = *notification.sender;
  const std::string& name = sender.Name();
  const std::string& type = notification.type;
  if (type == notify::kWindowInit) {
    SetStatus("Ready");
  } else if (type == notify::kClick) {
    OnClick(sender);
  } else if (type == notify::kItemClick) {
    OnItemClick(sender);
  } else if (type == notify::kSelectChanged && name == "checkbox_run") {
    if (Find<CheckBox>(name)->Check()) SetTimer(kMeterTimer, 100);
    else KillTimer(kMeterTimer);
  } else if ((type == notify::kValueChanged || type == notify::kMoveValueChanged) &&
             StartsWith(name, "slider_gain_input_")) {
    ShowGain(ChannelOf(name), Find<Slider>(name)->Value());
  } else if ((type == notify::kReturn || type == notify::kKillFocus) && StartsWith(name, "edit_gain_input_")) {
    CommitGain(ChannelOf(name));
  } else if ((type == notify::kDirection || type == notify::kScroll) && StartsWith(name, "edit_gain_input_")) {
    StepGain(ChannelOf(name), notification.wparam);
  } else if (type == notify::kValueChanged && name == "knob_volume") {
    SetStatus("Volume: " + Find<KnobControl>(name)->ValueText() + " dB");
  } else if (type == notify::kItemSelect && name == "combo_mode") {
    SetStatus("Mode: " + sender.Text());
  } else if (type == notify::kItemSelect) {
    SetStatus(name + ": " + std::to_string(notification.wparam));
  } else if (type == notify::kHeaderClick) {
    SetStatus("Header: " + name);
  }
}

bool DemoWindow::HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  if (message == kWmTimer && wparam == kMeterTimer) {
    AdvanceMeter();
    return true;
  }
  if (message == kWmChar && wparam == kCharEscape) {
    SetStatus("Esc pressed");
    return true;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

void DemoWindow::Log(const Notification& notification) {
  // Focus changes of the log itself would only fill the log.
  if (notification.sender != nullptr && notification.sender->Name() == "richedit_log") return;
  auto* log = Find<RichEdit>("richedit_log");
  if (log == nullptr) return;
  log->AppendText(notification.type + " " + (notification.sender ? notification.sender->Name() : "") + " " +
                  std::to_string(notification.wparam) + " " + std::to_string(notification.lparam) + "\n");
}

void DemoWindow::SetStatus(const std::string& text) {
  if (Control* status = FindControl("label_status")) status->SetText(text);
}

void DemoWindow::OnClick(Control& sender) {
  const std::string& name = sender.Name();
  if (name == "button_menu") {
    const QRect below = sender.ScreenRect();
    menu_ = Menu::Popup(*this, "menu/DemoMenu.xml", below.bottomLeft());
  } else if (name == "button_ask") {
    const int answer = Toolkit::Dialogs().MessageBox(this, "Proceed ?", "Question", MessageButtons::kOkCancel);
    SetStatus(answer == kIdOk ? "Answer: OK" : "Answer: Cancel");
  } else if (name == "button_open") {
    const auto path = Toolkit::Dialogs().OpenFileName(this, {"Open", {{"ini文件(*.ini)", "*.ini"}}, "./"});
    SetStatus(path ? "File: " + *path : "No file");
  } else if (name == "button_dialog") {
    DemoDialog dialog;
    dialog.Create(this, "Demo dialog");
    dialog.CenterWindow();
    SetStatus("Dialog: " + std::to_string(dialog.ShowModal()));
  } else if (name == "button_add_device") {
    AddDevice();
  } else if (StartsWith(name, "button_remove_")) {
    RemoveDevice(sender);
  }
}

void DemoWindow::OnItemClick(Control& sender) {
  const std::string& name = sender.Name();
  if (name == "menu_item_demo_reset") {
    for (int channel = 0; channel < kChannels; ++channel) {
      Find<Slider>(Suffixed("slider_gain_input", channel))->SetValue(0);
      ShowGain(channel, 0);
    }
    SetStatus("Gains reset");
  } else if (name == "menu_item_demo_clear") {
    Find<RichEdit>("richedit_log")->SetText("");
  } else if (name == "menu_item_demo_about") {
    Toolkit::Dialogs().MessageBox(this, "dspdesk toolkit demo", "Tips", MessageButtons::kOk);
  }
}

// Builds a device node the way the application's device tree does: each
// child from a style attribute list kept on the root node, renamed with
// the device's position.
void DemoWindow::AddDevice() {
  auto* root = Find<TreeNode>("treenode_root");
  const int position = devices_added_++;
  TreeNode* node = root->AddChildNode("name='treenode_device_" + std::to_string(position) + "'");
  Control* label = node->AddNew("Label", root->CustomAttribute("labelstyle").value_or(""));
  label->SetName(Suffixed(label->Name(), position));
  label->SetText(std::to_string(position + 1));
  Control* button = node->AddNew("Button", root->CustomAttribute("buttonstyle").value_or(""));
  button->SetName(Suffixed(button->Name(), position));
  node->SetText("Device " + std::to_string(position + 1));
  auto* list = Find<List>("list_devices");
  list->AddRow({std::to_string(position + 1), "Device " + std::to_string(position + 1)}, true);
}

void DemoWindow::RemoveDevice(const Control& button) {
  const int position = ChannelOf(button.Name());
  auto* root = Find<TreeNode>("treenode_root");
  if (auto* node = Find<TreeNode>(Suffixed("treenode_device", position))) root->RemoveChildNode(node);
  SetStatus("Removed device " + std::to_string(position + 1));
}

void DemoWindow::ShowGain(int channel, int tenths) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
  if (auto* edit = Find<Edit>(Suffixed("edit_gain_input", channel))) edit->SetText(text);
}

void DemoWindow::CommitGain(int channel) {
  auto* slider = Find<Slider>(Suffixed("slider_gain_input", channel));
  auto* edit = Find<Edit>(Suffixed("edit_gain_input", channel));
  if (slider == nullptr || edit == nullptr) return;
  const double typed = std::atof(edit->Text().c_str());
  slider->SetValue(std::clamp(static_cast<int>(std::lround(typed * 10)), slider->Min(), slider->Max()));
  ShowGain(channel, slider->Value());
}

void DemoWindow::StepGain(int channel, std::uintptr_t direction) {
  auto* slider = Find<Slider>(Suffixed("slider_gain_input", channel));
  if (slider == nullptr) return;
  const bool up = direction == kScrollUp || direction == kVkUp || direction == kVkRight;
  slider->SetValue(slider->Value() + (up ? slider->ChangeStep() : -slider->ChangeStep()));
  ShowGain(channel, slider->Value());
}

void DemoWindow::AdvanceMeter() {
  auto* meter = Find<Progress>("progress_meter");
  const int next = meter->Value() + 1;
  meter->SetValue(next > meter->Max() ? meter->Min() : next);
}

}  // namespace dsp
