#include "app/main_window.h"

#include "app/custom_controls.h"
#include "model/write_id.h"
#include "platform/toolkit.h"
#include "platform/tree_view.h"

namespace dsp {
namespace {

constexpr const char* kLastWidth = "lastwidth";

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup)
    : link_(setup.link ? std::move(setup.link) : MakeSerialLink()),
      answer_wait_extra_ms_(setup.answer_wait_extra_ms),
      setting_file_(std::move(setup.setting_file)),
      offline_record_(0, ChipIdBytes{}, kChannelsPerSide, kChannelsPerSide, "offline"),
      scan_(*link_),
      port_keeper_(*this, std::move(setup.preferred_ports), setting_file_, [this] { SendPendingEdits(); }) {
  RegisterHandlers();
  BuildTimerTable();
  BuildMessageTable();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildTimerTable() {
  for (std::uint8_t kind : timer::kParameterWriteKinds) timer_table_[kind] = &MainWindow::OnParameterWriteTimer;
  timer_table_[kWriteRename] = &MainWindow::OnRenameTimer;
  timer_table_[timer::kScan] = &MainWindow::OnScanTimer;
  timer_table_[timer::kProcedure] = &MainWindow::OnProcedureTimer;
  timer_table_[timer::kLevelPoll] = &MainWindow::OnLevelPollTimer;
  timer_table_[timer::kTrace] = &MainWindow::OnTraceTimer;
  timer_table_[timer::kFlush] = &MainWindow::OnFlushTimer;
}

void MainWindow::BuildMessageTable() {
  messages_.On(kWmTimer, this, &MainWindow::OnTimerMessage);
  messages_.On(kWmChar, this, &MainWindow::OnChar);
  messages_.On(kWmDeviceChange, &port_keeper_, &PortKeeper::OnDeviceChange);
  messages_.On(kWmClose, this, &MainWindow::OnCloseRequest);
}

// A handler may change the registry (a removed device takes its delete
// button's entry along), so the call runs on a copy.
void MainWindow::Notify(Notification& notification) {
  if (notification.sender != nullptr) {
    if (const NotifyHandler* found = registry_.Find(notification.type, notification.sender->Name())) {
      const NotifyHandler handler = *found;
      handler(notification);
    }
  }
  Window::Notify(notification);
}

bool MainWindow::HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
  return messages_.Dispatch(message, wparam, lparam) || Window::HandleMessage(message, wparam, lparam);
}

bool MainWindow::OnTimerMessage(std::uintptr_t id, std::intptr_t) {
  auto found = timer_table_.find(static_cast<std::uint8_t>(id & 0xFF));
  if (found == timer_table_.end()) return false;
  (this->*found->second)(static_cast<std::uint32_t>(id));
  return true;
}

std::unique_ptr<Control> MainWindow::CreateControl(std::string_view class_name) {
  if (auto custom = CreateCustomControl(class_name)) return custom;
  return Window::CreateControl(class_name);
}

DeviceRecord* MainWindow::SelectedDevice() {
  if (shown_again_ != nullptr) return shown_again_;
  if (devices_.empty()) return &offline_record_;
  const auto* tree = Find<TreeView>("treeview_device_list");
  if (tree == nullptr) return nullptr;
  const int position = tree->SelectedIndex() - 1;
  if (position < 0 || position >= static_cast<int>(devices_.size())) return nullptr;
  return &devices_[static_cast<std::size_t>(position)];
}

// One question at a time: a box that loses the focus to the question asks
// again otherwise. The refused edit is undone on the screen.
DeviceRecord* MainWindow::DeviceForEdit() {
  DeviceRecord* record = SelectedDevice();
  if (record == nullptr && !devices_.empty() && !asking_for_device_) {
    asking_for_device_ = true;
    Say(text::kSelectDevice, text::kComfirm);
    asking_for_device_ = false;
    ShowStoredStateAgain();
  }
  return record;
}

// The controls show the processor selected last (the offline record after
// a scan) until another is selected: a refused edit shows that again.
void MainWindow::ShowStoredStateAgain() {
  DeviceRecord* shown = FindDevice(devices_, last_selected_address_);
  shown_again_ = shown != nullptr ? shown : &offline_record_;
  RefreshAll();
  shown_again_ = nullptr;
}

void MainWindow::OnCloseClick(Notification&) {
  SendPendingEdits();
  Close(kIdOk);
}

// The window frame's close: the edits go out first, then the window closes.
bool MainWindow::OnCloseRequest(std::uintptr_t, std::intptr_t) {
  SendPendingEdits();
  return false;
}

void MainWindow::OnMinimizeClick(Notification&) { Minimize(); }

void MainWindow::OnMaximizeClick(Notification& notification) {
  if (IsMaximized()) return;
  Maximize();
  notification.sender->SetVisible(false);
  if (Control* normal = FindControl("button_normal")) normal->SetVisible(true);
}

void MainWindow::OnNormalClick(Notification& notification) {
  if (!IsMaximized()) return;
  Restore();
  notification.sender->SetVisible(false);
  if (Control* maximize = FindControl("button_maximize")) maximize->SetVisible(true);
}

// The three dynamics panels stay square while the window is maximised and
// get their own widths back when it is restored.
void MainWindow::OnWindowSize(Notification&) {
  const bool maximized = IsMaximized();
  for (const PageInfo& page : PageList()) {
    Control* panel = page.square_panel ? FindControl(page.Window()) : nullptr;
    if (panel != nullptr) KeepDynamicsPanelSquare(*panel, maximized);
  }
  if (Control* maximize = FindControl("button_maximize")) maximize->SetVisible(!maximized);
  if (Control* normal = FindControl("button_normal")) normal->SetVisible(maximized);
}

void MainWindow::KeepDynamicsPanelSquare(Control& panel, bool maximized) {
  if (maximized) {
    if (!panel.CustomAttribute(kLastWidth)) panel.SetCustomAttribute(kLastWidth, std::to_string(panel.FixedWidth()));
    if (panel.width() != panel.height()) panel.SetFixedWidth(panel.height());
    return;
  }
  if (const auto last_width = panel.CustomAttribute(kLastWidth)) {
    panel.SetFixedWidth(std::stoi(*last_width));
    panel.RemoveCustomAttribute(kLastWidth);
  }
}

}  // namespace dsp
