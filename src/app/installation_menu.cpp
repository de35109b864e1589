#include "app/installation_menu.h"

#include <cstdio>

#include "app/file_texts.h"
#include "app/procedure_runner.h"
#include "persist/installation.h"
#include "persist/parameter_file.h"
#include "platform/toolkit.h"
#include "protocol/procedure_driver.h"

namespace dsp {
namespace {

// "%s (%d of %d)" and the like, in the interface's language.
std::string Format(Language language, const BilingualText& format, const std::string& name, int first, int second) {
  char text[512];
  std::snprintf(text, sizeof text, Pick(language, format).c_str(), name.c_str(), first, second);
  return text;
}

const BilingualText& OutcomeText(RestoreOutcome outcome) {
  switch (outcome) {
    case RestoreOutcome::kRestore: return text::kUnitRestored;
    case RestoreOutcome::kCountsDiffer: return text::kUnitCountsDiffer;
    case RestoreOutcome::kNotOnBus: return text::kUnitNotOnBus;
    case RestoreOutcome::kNotInBackup: break;
  }
  return text::kUnitNotInBackup;
}

}  // namespace

void InstallationMenu::Register(NotifyRegistry& registry) {
  registry.On(notify::kItemClick, "menu_item_file_backup", this, &InstallationMenu::OnBackup);
  registry.On(notify::kItemClick, "menu_item_file_restore", this, &InstallationMenu::OnRestore);
}

std::optional<std::string> InstallationMenu::Folder(const BilingualText& title) {
  if (context_.Devices().empty()) {
    context_.Say(text::kNoDevice, text::kTips);
    return std::nullopt;
  }
  return Toolkit::Dialogs().ChooseFolder(&context_.Host(), Pick(context_.InterfaceLanguage(), title));
}

// The unit files go first and the manifest last, so a backup cut short
// never lists a file that is not there whole. A processor that cannot be
// read is left out (its failure has been said) and named in the summary.
void InstallationMenu::OnBackup(Notification&) {
  const auto folder = Folder(text::kBackupFolder);
  if (!folder) return;
  const Language language = context_.InterfaceLanguage();
  const int count = static_cast<int>(context_.Devices().size());
  Installation installation{BackupDateNow(), {}};
  std::string unread;
  for (int i = 0; i < count; ++i) {
    const DeviceRecord& listed = context_.Devices()[static_cast<std::size_t>(i)];
    const std::string status = Format(language, text::kBackingUp, listed.Name(), i + 1, count);
    if (!context_.Procedures().ReadAll(listed.Address(), kSyncStartDelayMs, status)) {
      unread += "\n" + listed.Name();
      continue;
    }
    if (const FileResult saved = BackUpUnit(*folder, listed, installation); !saved.Ok()) {
      context_.Say(FileProblemText(language, saved, *folder));
      return;
    }
  }
  if (!installation.units.empty()) {
    if (const FileResult saved = SaveManifest(*folder, installation); !saved.Ok()) {
      context_.Say(FileProblemText(language, saved, *folder));
      return;
    }
  }
  const int saved = static_cast<int>(installation.units.size());
  context_.Say(Format(language, text::kBackupSummary, *folder, saved, count) +
               (unread.empty() ? "" : Pick(language, text::kNotBackedUp) + unread));
}

void InstallationMenu::OnRestore(Notification&) {
  const auto folder = Folder(text::kRestoreFolder);
  if (!folder) return;
  const Language language = context_.InterfaceLanguage();
  Installation installation;
  if (const FileResult loaded = LoadManifest(*folder, installation); !loaded.Ok()) {
    context_.Say(FileProblemText(language, loaded, *folder));
    return;
  }
  const std::vector<RestoreStep> plan = PlanRestore(installation, context_.Devices(), {});
  std::string summary;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const RestoreStep& step = plan[i];
    std::string outcome = Pick(language, OutcomeText(step.outcome));
    DeviceRecord* record = FindDevice(context_.Devices(), step.address);
    if (step.outcome == RestoreOutcome::kRestore && record != nullptr) {
      DeviceRecord loaded = *record;
      const FileResult read = LoadParameterFile(*folder + "/" + step.file, context_.Config(), loaded);
      if (read.Ok()) {
        record->CopyParametersFrom(loaded);
        context_.Procedures().WriteAll(step.address, Format(language, text::kRestoringUnit, step.name,
                                                            static_cast<int>(i) + 1, static_cast<int>(plan.size())));
      } else {
        outcome = FileProblemText(language, read, step.file);
      }
    }
    summary += "\n" + step.name + ": " + outcome;
  }
  context_.RefreshAll();
  context_.Say(Pick(language, text::kRestoreSummary) + summary);
}

}  // namespace dsp
