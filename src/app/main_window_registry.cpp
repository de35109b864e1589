// The notifications the main window handles, pair by pair: its own, the
// page navigation's and the pages'. The device tree adds each node's delete
// button at run time.
#include "app/main_window.h"

namespace dsp {

void MainWindow::RegisterHandlers() {
  registry_.On(notify::kWindowInit, "main_window", this, &MainWindow::OnWindowInit);
  registry_.On(notify::kWindowSize, "main_window", this, &MainWindow::OnWindowSize);

  registry_.On(notify::kClick, "button_close", this, &MainWindow::OnCloseClick);
  registry_.On(notify::kClick, "button_minimize", this, &MainWindow::OnMinimizeClick);
  registry_.On(notify::kClick, "button_maximize", this, &MainWindow::OnMaximizeClick);
  registry_.On(notify::kClick, "button_normal", this, &MainWindow::OnNormalClick);

  navigator_.Register(registry_);
  pages_.Register(registry_);
  menu_bar_.Register(registry_);
  menu_commands_.Register(registry_);
  installation_menu_.Register(registry_);
  preset_menu_.Register(registry_, messages_);
  firmware_menu_.Register(registry_);
  registry_.On(notify::kItemClick, "menu_item_option_language", this, &MainWindow::OnLanguageItem);

  registry_.On(notify::kClick, "button_scan", this, &MainWindow::OnScanClick);
  registry_.On(notify::kClick, "button_set", this, &MainWindow::OnSettingClick);
  registry_.On(notify::kClick, "button_debug", this, &MainWindow::OnDebugClick);
  registry_.On(notify::kItemSelect, "treeview_device_list", this, &MainWindow::OnDeviceSelect);
  registry_.On(notify::kKillFocus, NotifyRegistry::kDeviceNameFragment, this, &MainWindow::OnDeviceNameKillFocus);
  registry_.On(notify::kReturn, NotifyRegistry::kDeviceNameFragment, this, &MainWindow::OnDeviceNameReturn);
  registry_.On(notify::kClick, NotifyRegistry::kSyncButtonFragment, this, &MainWindow::OnSyncButtonClick);
  registry_.On(notify::kSelectChanged, "checkbox_hide_device_list", this, &MainWindow::OnHideDeviceList);
}

}  // namespace dsp
