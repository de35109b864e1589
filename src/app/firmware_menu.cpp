#include "app/firmware_menu.h"

#include "app/level_poll_runner.h"
#include "app/menu_commands.h"
#include "dialogs/firmware_update_dialog.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

const FileDialogRequest kImageFiles{"", {{"bin文件(*.bin)", "*.bin"}, {"所有文件(*.*)", "*.*"}}, "./"};

constexpr BilingualText kOnlyOneDevice{"Only one device can be online when upgrade", "升级时只能连接一个设备"};
constexpr BilingualText kOtherDevice{"Is an other devie", "当前设备不是原来选中的设备"};

}  // namespace

void FirmwareMenu::Register(NotifyRegistry& registry) {
  registry.On(notify::kItemClick, "menu_item_option_firmware_update", this, &FirmwareMenu::OnFirmwareUpdate);
  registry.On(notify::kItemClick, "menu_item_file_load_all_from_pc", this, &FirmwareMenu::OnParameterImport);
}

// A loader takes the start frame from whichever processor has that
// address, so the bus must hold the selected processor and no other; the
// selection itself does not survive the rescan, only its chip ID is kept.
void FirmwareMenu::OnFirmwareUpdate(Notification&) {
  const DeviceRecord* selected = DeviceForMenuItem(context_);
  if (selected == nullptr) return;
  const ChipIdBytes chip_id = selected->ChipId();
  const auto path = ChooseFile();
  if (!path) return;
  context_.StartScan();
  const DeviceList& devices = context_.Devices();
  if (devices.size() != 1) {
    context_.Say(kOnlyOneDevice, text::kTips);
    return;
  }
  if (devices.front().ChipId() != chip_id) {
    context_.Say(kOtherDevice, text::kTips);
    return;
  }
  Transfer(*path, devices.front().Address(), TransferMode::kFirmware, "Firmware Update");
}

// The level poll would only queue up behind the transfer, which has the
// bus to itself until it ends.
void FirmwareMenu::OnParameterImport(Notification&) {
  const DeviceRecord* selected = DeviceForMenuItem(context_);
  if (selected == nullptr) return;
  const int address = selected->Address();
  const auto path = ChooseFile();
  if (!path) return;
  context_.LevelPolling().Pause();
  Transfer(*path, address, TransferMode::kParameters, "Parameter Improt");
  context_.LevelPolling().Resume();
}

std::optional<std::string> FirmwareMenu::ChooseFile() {
  auto chosen = Toolkit::Dialogs().OpenFileName(&context_.Host(), kImageFiles);
  if (chosen && chosen->empty()) return std::nullopt;
  return chosen;
}

// A file that cannot be opened leaves nothing pending: the dialog's first
// look finds the failure and reports it, and nothing reaches the bus.
void FirmwareMenu::Transfer(const std::string& path, int address, TransferMode mode, const std::string& caption) {
  context_.Link().StartTransfer(path, static_cast<std::uint8_t>(address), mode);
  FirmwareUpdateDialog dialog(context_.InterfaceLanguage(), mode, [this] { return context_.Link().Progress(); });
  dialog.Create(&context_.Host(), caption);
  dialog.CenterWindow();
  dialog.ShowModal();
}

}  // namespace dsp
