#include "app/menu_commands.h"

#include <QDir>
#include <QFileInfo>

#include "app/file_texts.h"
#include "app/port_link.h"
#include "app/procedure_runner.h"
#include "dialogs/copy_dialog.h"
#include "persist/effect_file.h"
#include "persist/file_io.h"
#include "persist/parameter_file.h"
#include "platform/toolkit.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

const FileDialogRequest kParameterFiles{"", {{"ini文件(*.ini)", "*.ini"}}, "./"};
const FileDialogRequest kEffectFiles{"", {{"Bin文件(*.bin)", "*.bin"}}, "./"};

// Whether the file can be created (or replaced) before a long read starts.
bool CanWrite(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  if (file.exists()) return file.isFile() && file.isWritable();
  const QFileInfo folder(file.absolutePath());
  return folder.isDir() && folder.isWritable();
}

}  // namespace

void MenuCommands::Register(NotifyRegistry& registry) {
  registry.On(notify::kItemClick, "menu_item_file_load_from_device", this, &MenuCommands::OnLoadFromDevice);
  registry.On(notify::kItemClick, "menu_item_option_reset", this, &MenuCommands::OnReset);
  registry.On(notify::kItemClick, "menu_item_file_save_to_pc", this, &MenuCommands::OnSaveToPc);
  registry.On(notify::kItemClick, "menu_item_file_load_from_pc", this, &MenuCommands::OnLoadFromPc);
  registry.On(notify::kItemClick, "menu_item_file_save_all_to_pc", this, &MenuCommands::OnSaveAllToPc);
  registry.On(notify::kItemClick, "menu_item_option_device_copy", this, &MenuCommands::OnDeviceCopy);
}

DeviceRecord* DeviceForMenuItem(WindowContext& context) {
  if (context.Devices().empty()) {
    context.Say(text::kNoDevice, text::kTips);
    return nullptr;
  }
  DeviceRecord* record = context.SelectedDevice();
  if (record == nullptr) context.Say(text::kSelectADevice, text::kTips);
  return record;
}

DeviceRecord* MenuCommands::Target() { return DeviceForMenuItem(context_); }

void MenuCommands::OnLoadFromDevice(Notification&) {
  if (const DeviceRecord* record = Target()) {
    context_.Procedures().ReadAll(record->Address(), kSyncStartDelayMs,
                                  Pick(context_.InterfaceLanguage(), text::kSynchronising),
                                  ProcedureRunner::kMenuBarRange);
  }
}

// The processor recalls its factory preset, then is read back once it has
// had the time to do so.
void MenuCommands::OnReset(Notification&) {
  const DeviceRecord* record = Target();
  if (record == nullptr) return;
  const int address = record->Address();
  context_.Link().Send(PresetRecallFrame(static_cast<std::uint8_t>(address), 0));
  context_.Procedures().ReadAll(address, kFactoryRestoreSettleMs, Pick(context_.InterfaceLanguage(), text::kRestoring),
                                ProcedureRunner::kMenuBarRange);
}

void MenuCommands::OnSaveToPc(Notification&) {
  const DeviceRecord* record = Target();
  if (record == nullptr) return;
  const auto chosen = Toolkit::Dialogs().SaveFileName(&context_.Host(), kParameterFiles);
  if (!chosen) return;
  const std::string path = WithIniExtension(*chosen);
  if (const FileResult saved = SaveParameterFile(*record, path); !saved.Ok()) {
    context_.Say(FileProblemText(context_.InterfaceLanguage(), saved, path));
  }
}

// A file the loader refuses changes neither the record nor the processor.
void MenuCommands::OnLoadFromPc(Notification&) {
  DeviceRecord* record = Target();
  if (record == nullptr) return;
  const auto chosen = Toolkit::Dialogs().OpenFileName(&context_.Host(), kParameterFiles);
  if (!chosen) return;
  if (const FileResult loaded = LoadParameterFile(*chosen, context_.Config(), *record); !loaded.Ok()) {
    context_.Say(FileProblemText(context_.InterfaceLanguage(), loaded, *chosen));
    return;
  }
  context_.RefreshAll();
  context_.Procedures().WriteAll(record->Address(), Pick(context_.InterfaceLanguage(), text::kSynchronisingTo));
}

// The image is written only once every block has arrived, in one step: a
// read that fails leaves no file that looks like a whole image.
void MenuCommands::OnSaveAllToPc(Notification&) {
  const DeviceRecord* record = Target();
  if (record == nullptr) return;
  const auto chosen = Toolkit::Dialogs().SaveFileName(&context_.Host(), kEffectFiles);
  if (!chosen) return;
  const std::string path = WithBinExtension(*chosen);
  if (!CanWrite(path)) {
    context_.Say(text::kCreateFileFail);
    return;
  }
  const int blocks = context_.Config().effect_blocks;
  if (blocks < 1) {
    context_.Say(text::kNoEffectMemory);
    return;
  }
  const Language language = context_.InterfaceLanguage();
  Bytes image;
  if (!context_.Procedures().ReadEffects(
          record->Address(), blocks, image,
          {Pick(language, text::kReadingEffectsStart), Pick(language, text::kReadingEffects),
           Pick(language, text::kSavingEffects)})) {
    return;
  }
  const FileResult written = ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(image.data()),
                                                                image.size()));
  if (!written.Ok()) context_.Say(FileProblemText(language, written, path));
}

void MenuCommands::OnDeviceCopy(Notification&) {
  CopyDialog dialog(context_.Devices(), context_.InterfaceLanguage());
  dialog.Create(&context_.Host(), "Setting");
  dialog.CenterWindow();
  if (dialog.ShowModal() != kIdOk) return;
  const DeviceRecord* source = FindDevice(context_.Devices(), dialog.Source());
  if (source == nullptr) {
    if (!context_.Devices().empty()) context_.Say(text::kInvalidSource);
    return;
  }
  std::set<int> targets = dialog.Destinations();
  targets.erase(source->Address());
  if (targets.empty()) {
    context_.Say(text::kNoValidTarget);
    return;
  }
  if (!source->Synchronised()) {
    context_.Say(text::kSyncSourceFirst);
    return;
  }
  const DeviceRecord copied = *source;
  for (int target : targets) CopyTo(copied, target);
  context_.RefreshAll();
}

void MenuCommands::CopyTo(const DeviceRecord& source, int target) {
  DeviceRecord* record = FindDevice(context_.Devices(), target);
  if (record == nullptr) return;
  record->CopyParametersFrom(source);
  context_.Procedures().WriteAll(target, Pick(context_.InterfaceLanguage(), text::kSynchronisingTo));
}

}  // namespace dsp
