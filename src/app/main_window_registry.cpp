// The notifications the main window handles, pair by pair: its own, the
// page navigation's and the pages'. The device tree adds each node's delete
// button at run time.
#include "app/main_window.h"

namespace dsp {

void MainWindow::RegisterHandlers() {
  On(notify::kWindowInit, "main_window", &MainWindow::OnWindowInit);
  On(notify::kWindowSize, "main_window", &MainWindow::OnWindowSize);

  On(notify::kClick, "button_close", &MainWindow::OnCloseClick);
  On(notify::kClick, "button_minimize", &MainWindow::OnMinimizeClick);
  On(notify::kClick, "button_maximize", &MainWindow::OnMaximizeClick);
  On(notify::kClick, "button_normal", &MainWindow::OnNormalClick);

  navigator_.Register(registry_);
  pages_.Register(registry_);
  menu_bar_.Register(registry_);
  menu_commands_.Register(registry_);
  installation_menu_.Register(registry_);
  preset_menu_.Register(registry_, messages_);
  firmware_menu_.Register(registry_);
  On(notify::kItemClick, "menu_item_option_language", &MainWindow::OnLanguageItem);

  On(notify::kClick, "button_scan", &MainWindow::OnScanClick);
  On(notify::kClick, "button_set", &MainWindow::OnSettingClick);
  On(notify::kClick, "button_debug", &MainWindow::OnDebugClick);
  On(notify::kItemSelect, "treeview_device_list", &MainWindow::OnDeviceSelect);
  On(notify::kKillFocus, NotifyRegistry::kDeviceNameFragment, &MainWindow::OnDeviceNameKillFocus);
  On(notify::kReturn, NotifyRegistry::kDeviceNameFragment, &MainWindow::OnDeviceNameReturn);
  On(notify::kClick, NotifyRegistry::kSyncButtonFragment, &MainWindow::OnSyncButtonClick);
  On(notify::kSelectChanged, "checkbox_hide_device_list", &MainWindow::OnHideDeviceList);
}

}  // namespace dsp
