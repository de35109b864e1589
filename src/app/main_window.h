#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/firmware_menu.h"
#include "app/installation_menu.h"
#include "app/level_poll_runner.h"
#include "app/menu_bar.h"
#include "app/menu_commands.h"
#include "app/message_table.h"
#include "app/notify_registry.h"
#include "app/page_navigator.h"
#include "app/pages/page_set.h"
#include "app/port_change.h"
#include "app/port_keeper.h"
#include "app/port_link.h"
#include "app/preset_menu.h"
#include "app/procedure_runner.h"
#include "app/texts.h"
#include "app/timer_ids.h"
#include "app/window_context.h"
#include "dialogs/debug_dialog.h"
#include "dialogs/setting_dialog.h"
#include "model/configuration.h"
#include "model/device_list.h"
#include "platform/dialog_service.h"
#include "platform/window.h"
#include "protocol/bus_scan.h"
#include "protocol/procedure_driver.h"

namespace dsp {

struct MainWindowSetup {
  std::unique_ptr<PortLink> link;            // null: the serial link
  std::vector<std::string> preferred_ports;  // tried before the serial devices, in this order
  std::string setting_file;                  // Setting.ini, which holds the language
  std::optional<int> answer_wait_extra_ms;   // over the configuration's when given
};

// The one top-level window: the device tree, the overview and the editing
// pages. It owns the link, the device records and every procedure; its
// window timers drive the scan, the procedures, the level poll and the
// deferred parameter writes. Notifications reach its members through the
// registry; window messages through the message table.
class MainWindow : public Window, private WindowContext {
 public:
  static constexpr int kTraceMs = 200;
  using WindowContext::kWriteDelayMs;

  explicit MainWindow(MainWindowSetup setup);
  ~MainWindow() override;

  std::string SkinFile() const override { return "view/MainWindow.xml"; }
  std::string ClassName() const override { return "MainWindowClass"; }
  void Notify(Notification& notification) override;
  bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;
  std::unique_ptr<Control> CreateControl(std::string_view class_name) override;

  // A serial port came or went; handled as a posted device-change message.
  void PortChanged(const PortChange& change) { port_keeper_.Changed(change); }
  // Empties the device list and scans the bus behind a wait dialog.
  void StartScan() override;

  Language InterfaceLanguage() const override { return language_; }
  const Configuration& Config() const override { return config_; }
  const DeviceList& Devices() const { return devices_; }
  DeviceList& Devices() override { return devices_; }
  const std::vector<std::string>& Ports() const { return port_keeper_.Offered(); }
  // The port the link has open; empty when none is.
  std::string PortInUse() const { return link_->IsOpen() ? link_->PortName() : std::string(); }
  const NotifyRegistry& Registry() const { return registry_; }
  DeviceRecord* SelectedDevice() override;

 private:
  using TimerMember = void (MainWindow::*)(std::uint32_t);

  // What the pages and menus ask of the window (main_window.cpp).
  DeviceRecord* DeviceForEdit() override;
  void ShowStoredStateAgain();
  DeviceView& View(int address) override { return views_[address]; }
  void ScheduleWrite(WriteId id, int delay_ms = kWriteDelayMs) override;
  void SendWriteNow(WriteId id) override { OnParameterWriteTimer(id.Value()); }
  Window& Host() override { return *this; }
  ProcedureRunner& Procedures() override { return procedures_; }
  PortLink& Link() override { return *link_; }
  LevelPollRunner& LevelPolling() override { return level_poll_; }
  void SelectChannel(int side, int channel) override { pages_.SelectChannel(side, channel); }
  void RefreshAll() override { pages_.RefreshAll(); }

  // main_window.cpp
  void BuildTimerTable();
  void BuildMessageTable();
  void OnCloseClick(Notification&);
  bool OnCloseRequest(std::uintptr_t, std::intptr_t);
  void OnMinimizeClick(Notification&);
  void OnMaximizeClick(Notification&);
  void OnNormalClick(Notification&);
  void OnWindowSize(Notification&);
  void KeepDynamicsPanelSquare(Control& panel, bool maximized);

  // main_window_registry.cpp
  void RegisterHandlers();

  // main_window_start.cpp
  void OnWindowInit(Notification&);
  void OnTraceTimer(std::uint32_t id);

  // main_window_tools.cpp
  void OnSettingClick(Notification&);
  void ApplySettings(const PortSettings& chosen);
  void OnDebugClick(Notification&);

  // main_window_language.cpp
  void ApplyLanguage();
  void OnLanguageItem(Notification&);

  // main_window_tree.cpp
  void AddDeviceNode(const std::string& name, int position);
  void OnDeviceSelect(Notification&);
  void FitOverviewTo(DeviceRecord& record);
  void OnDeviceNameKillFocus(Notification& notification) { CommitDeviceName(notification, false); }
  void OnDeviceNameReturn(Notification& notification) { CommitDeviceName(notification, true); }
  void CommitDeviceName(Notification& notification, bool by_return);
  void OnRenameTimer(std::uint32_t id);
  void OnSyncButtonClick(Notification&);
  void OnDeleteDeviceClick(Notification&);
  void OnHideDeviceList(Notification&);
  void RemoveDeviceNodes();

  // main_window_scan.cpp
  void OnScanClick(Notification&);
  void ForgetDevices();
  void SayScanCutShort();
  void OnScanTimer(std::uint32_t id);
  void ArmScanTimer();
  bool OnChar(std::uintptr_t character, std::intptr_t);

  // main_window_procedure.cpp
  void OnProcedureTimer(std::uint32_t) { procedures_.Tick(); }
  void OnProcedureEnd(ProcedureEnd end);
  void SynchroniseFromDevice(int address);
  void OnParameterWriteTimer(std::uint32_t id);
  bool OnTimerMessage(std::uintptr_t id, std::intptr_t);

  // main_window_flush.cpp
  void SendPendingEdits();
  void SendScheduledWrites();
  void WaitForSendQueue();
  void OnFlushTimer(std::uint32_t id);

  // main_window_levels.cpp
  void ShowLevelAnswer(const LevelAnswer& answer);
  void OnLevelPollTimer(std::uint32_t) { level_poll_.Tick(); }

  // The link comes first: the procedures below keep references to it.
  std::unique_ptr<PortLink> link_;
  std::optional<int> answer_wait_extra_ms_;
  std::string setting_file_;
  Language language_ = Language::kChinese;
  Configuration config_;
  DeviceList devices_;
  DeviceRecord offline_record_;

  NotifyRegistry registry_;
  std::map<std::uint8_t, TimerMember> timer_table_;
  MessageTable messages_;

  std::map<int, DeviceView> views_;  // by address, while the processor is listed
  PageSet pages_{*this};
  PageNavigator navigator_{*this, pages_};
  int last_selected_address_ = -1;
  bool asking_for_device_ = false;
  DeviceRecord* shown_again_ = nullptr;  // what the pages show while a refused edit is undone
  std::vector<std::string> delete_buttons_;  // registered at run time, one per device node

  BusScan scan_;
  PortKeeper port_keeper_;
  bool scan_finished_ = true;
  int scan_tick_ms_ = 0;
  LevelPollRunner level_poll_{*this, *link_, devices_, [this](const LevelAnswer& answer) { ShowLevelAnswer(answer); }};
  ProcedureRunner procedures_{*this, *link_, devices_, config_, level_poll_,
                              [this](ProcedureEnd end) { OnProcedureEnd(end); }};
  MenuBar menu_bar_{*this, language_};
  MenuCommands menu_commands_{*this};
  InstallationMenu installation_menu_{*this};
  PresetMenu preset_menu_{*this};
  FirmwareMenu firmware_menu_{*this};

  std::set<std::uint32_t> scheduled_writes_;  // timer ids of the writes and renames not yet sent
  std::int64_t flush_started_ms_ = 0;
  bool flush_done_ = true;

  std::unique_ptr<DebugDialog> debug_dialog_;  // created on the first press of button_debug
};

}  // namespace dsp
