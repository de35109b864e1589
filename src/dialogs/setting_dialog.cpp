#include "dialogs/setting_dialog.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "dialogs/dialog_captions.h"
#include "language/common_texts.h"
#include "link/port_name.h"
#include "model/configuration.h"
#include "platform/combo.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

const DialogCaption kCaptions[] = {
    {"title_label", {"Setting", "设置"}},
    {"label_uart", {"Port:", "串口:"}},
    {"label_network_port", {"Network port:", "网络端口:"}},
    {"label_scan_time", {"Scan Time(ms):", "扫描时间(ms):"}},
    {"button_ok", {"OK", "确认"}},
    {"button_cancel", {"Отмена", "取消"}},
};

constexpr std::string_view kScanTimeEdit = "edit_scan_time";
constexpr std::string_view kNetworkPortEdit = "edit_network_port";
constexpr BilingualText kScanTimeTooLong{"The scan time can be at most 3600000 ms (an hour).",
                                         "扫描时间不能超过 3600000 ms（1 小时）。"};

}  // namespace

std::optional<std::int64_t> TypedScanTime(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  // A sign or a blank is no scan time.
  if (end == text.data() || text.front() == '-') return std::nullopt;
  if (error == std::errc::result_out_of_range) return std::numeric_limits<std::int64_t>::max();
  if (error != std::errc() || value <= 0) return std::nullopt;
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
  } else if (type == notify::kReturn && name == kNetworkPortEdit) {
    TakeTypedPort();
  } else if (type == notify::kClick && name == "button_ok") {
    if (TakeTypedPort()) Close(kIdOk);
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

// The name is read as dspctl reads --port; a refused one stays in the edit
// to be corrected.
bool SettingDialog::TakeTypedPort() {
  Control* edit = FindControl(kNetworkPortEdit);
  auto* combo = Find<Combo>("combo_uart");
  if (edit == nullptr || combo == nullptr) return true;
  const std::string text = edit->Text();
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return true;
  const std::string typed = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  std::string refused;
  if (!ParseNetworkPortName(typed, refused)) {
    Toolkit::Dialogs().MessageBox(this, refused, Pick(language_, text::kTips), MessageButtons::kOk);
    return false;
  }
  int item = 0;
  while (item < combo->ItemCount() && combo->ItemText(item) != typed) ++item;
  if (item == combo->ItemCount()) combo->AddItem(typed);
  combo->SelectItem(item);
  settings_.port = typed;
  edit->SetText("");
  return true;
}

// What was typed stays in the edit when it is no time: the user sees the
// slip and the old time is kept. A time longer than the longest scan is
// refused with a message, and the edit shows the old time again.
void SettingDialog::TakeTypedScanTime() {
  Control* edit = FindControl(kScanTimeEdit);
  if (edit == nullptr || refusing_) return;
  if (const std::optional<std::int64_t> typed = TypedScanTime(edit->Text())) {
    if (*typed > kLongestScanMs) {
      refusing_ = true;
      Toolkit::Dialogs().MessageBox(this, Pick(language_, kScanTimeTooLong), Pick(language_, text::kTips),
                                    MessageButtons::kOk);
      refusing_ = false;
    } else {
      settings_.scan_time_ms = static_cast<int>(*typed);
    }
    ShowScanTime();
  }
  SetFocus();
}

void SettingDialog::StepScanTime(const Notification& notification) {
  Control* edit = FindControl(kScanTimeEdit);
  if (edit == nullptr || !steps_.Accept(notification)) return;
  const std::int64_t typed = std::min<std::int64_t>(TypedScanTime(edit->Text()).value_or(0), kLongestScanMs);
  const std::int64_t stepped = typed + StepDirection(notification);
  if (stepped <= 0 || stepped > kLongestScanMs) return;
  settings_.scan_time_ms = static_cast<int>(stepped);
  ShowScanTime();
}

void SettingDialog::ShowScanTime() {
  if (Control* edit = FindControl(kScanTimeEdit)) edit->SetText(std::to_string(settings_.scan_time_ms));
}

}  // namespace dsp
