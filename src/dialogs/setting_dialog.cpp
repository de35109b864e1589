#include "dialogs/setting_dialog.h"

#include <charconv>
#include <limits>

#include "dialogs/dialog_captions.h"
#include "platform/combo.h"

namespace dsp {
namespace {

const DialogCaption kCaptions[] = {
    {"title_label", {"设置", "Setting"}},
    {"label_uart", {"串口:", "Port:"}},
    {"label_scan_time", {"扫描时间(ms):", "Scan Time(ms):"}},
    {"button_ok", {"确认", "OK"}},
    {"button_cancel", {"取消", "Отмена"}},
};

constexpr std::string_view kScanTimeEdit = "edit_scan_time";

}  // namespace

std::optional<int> TypedScanTime(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  // A sign, a blank or a number too long for a time is no scan time.
  if (error != std::errc() || end == text.data() || text.front() == '-' || value <= 0) return std::nullopt;
  return value;
}

void SettingDialog::Notify(Notification& notification) {
  const std::string& name = notification.sender != nullptr ? notification.sender->Name() : "";
  const std::string_view type = notification.type;
  if (type == notify::kWindowInit) {
    OnInit();
  } else if (type == notify::kItemSelect && name == "combo_uart") {
    if (const auto* combo = Find<Combo>("combo_uart"); combo != nullptr && combo->CurSel() >= 0) {
      settings_.port = combo->ItemText(combo->CurSel());
    }
  } else if ((type == notify::kReturn || type == notify::kKillFocus) && name == kScanTimeEdit) {
    TakeTypedScanTime();
  } else if ((type == notify::kScroll || type == notify::kDirection) && name == kScanTimeEdit) {
    StepScanTime(notification);
  } else if (type == notify::kClick && name == "button_ok") {
    Close(kIdOk);
  } else if (type == notify::kClick && (name == "button_cancel" || name == "button_close")) {
    Close(kIdCancel);
  }
  Window::Notify(notification);
}

void SettingDialog::OnInit() {
  if (auto* combo = Find<Combo>("combo_uart")) {
    for (const std::string& port : ports_) {
      const int item = combo->AddItem(port);
      if (port == settings_.port) combo->SelectItem(item);
    }
  }
  ShowScanTime();
  ShowCaptions(*this, kCaptions, language_);
}

// What was typed stays in the edit when it is no time: the user sees the
// slip and the old time is kept.
void SettingDialog::TakeTypedScanTime() {
  Control* edit = FindControl(kScanTimeEdit);
  if (edit == nullptr) return;
  if (const std::optional<int> typed = TypedScanTime(edit->Text())) {
    settings_.scan_time_ms = *typed;
    ShowScanTime();
  }
  SetFocus();
}

void SettingDialog::StepScanTime(const Notification& notification) {
  Control* edit = FindControl(kScanTimeEdit);
  if (edit == nullptr || !steps_.Accept(notification)) return;
  const long long stepped = TypedScanTime(edit->Text()).value_or(0) + static_cast<long long>(StepDirection(notification));
  if (stepped <= 0 || stepped > std::numeric_limits<int>::max()) return;
  settings_.scan_time_ms = static_cast<int>(stepped);
  ShowScanTime();
}

void SettingDialog::ShowScanTime() {
  if (Control* edit = FindControl(kScanTimeEdit)) edit->SetText(std::to_string(settings_.scan_time_ms));
}

}  // namespace dsp
