// backup and restore: every processor of the bus saved into one folder, one
// parameter file each named by chip ID, and written back to the processors
// that have those chip IDs, whatever addresses the scan gives them.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/procedure_runs.h"
#include "cli/utf8.h"
#include "model/chip_id.h"
#include "persist/installation.h"
#include "persist/parameter_file.h"
#include "protocol/procedure_driver.h"

namespace dsp {
namespace {

const char* OutcomeText(RestoreOutcome outcome) {
  switch (outcome) {
    case RestoreOutcome::kRestore: return "restored";
    case RestoreOutcome::kCountsDiffer: return "refused: other channel counts than the backup";
    case RestoreOutcome::kNotOnBus: return "not found on the bus";
    case RestoreOutcome::kNotInBackup: return "not in the backup";
  }
  return "";
}

std::string StepLine(const RestoreStep& step, const std::string& outcome) {
  const std::string where = step.address != 0 ? "address " + std::to_string(step.address) : "-";
  return ChipIdText(step.chip_id) + "  " + PrintableText(step.name) + " (" + where + "): " + outcome + "\n";
}

// While one unit of a whole-bus command is worked on, its progress lines
// begin "Unit 3 of 16, Hall: " (the chip ID for a unit without a name).
class UnitProgress {
 public:
  UnitProgress(ProgressLine& progress, int unit, int units, const std::string& name, const ChipIdBytes& chip_id)
      : progress_(progress) {
    const std::string shown = PrintableText(name);
    progress_.SetSubject("Unit " + std::to_string(unit) + " of " + std::to_string(units) + ", " +
                         (shown.empty() ? ChipIdText(chip_id) : shown) + ": ");
  }
  ~UnitProgress() { progress_.SetSubject(""); }
  UnitProgress(const UnitProgress&) = delete;
  UnitProgress& operator=(const UnitProgress&) = delete;

 private:
  ProgressLine& progress_;
};

// Writes one planned unit; what went wrong, if anything, for the report.
std::optional<std::string> Restore(Session& session, const std::string& folder, const RestoreStep& step) {
  DeviceRecord& device = session.Device(step.address);
  if (const FileResult loaded = LoadParameterFile(folder + "/" + step.file, session.config(), device); !loaded.Ok()) {
    return loaded.message;
  }
  try {
    RunWriteAll(session, step.address);
  } catch (const PortLost&) {
    throw;
  } catch (const CliFailure& failure) {
    return failure.what();
  }
  return std::nullopt;
}

}  // namespace

// The unit files go first and the manifest last: an interrupted backup
// leaves no manifest naming a file that is not there whole. A processor
// that cannot be read is left out of the manifest and fails the command; a
// lost port ends it at once.
void RunBackup(Session& session, const Command& command) {
  const std::string& folder = command.file;
  session.Scan();
  if (session.devices().empty()) {
    throw CliFailure(session.LongerScanTimeMs() ? "no processor was found before the scan time ran out; nothing was saved"
                                                : "no processor answered the scan; nothing was saved");
  }
  Installation installation{BackupDateNow(), {}};
  std::string text;
  std::vector<std::string> unread;
  Json units = Json::array();
  const DeviceList found = session.devices();
  for (std::size_t position = 0; position < found.size(); ++position) {
    const DeviceRecord& listed = found[position];
    const UnitProgress shown(session.console().progress(), static_cast<int>(position + 1),
                             static_cast<int>(found.size()), listed.Name(), listed.ChipId());
    try {
      RunReadAll(session, listed.Address(), kSyncStartDelayMs);
    } catch (const PortLost&) {
      throw;
    } catch (const CliFailure& failure) {
      unread.push_back(DeviceLabel(listed) + ": " + failure.what());
      continue;
    }
    const DeviceRecord& device = session.Device(listed.Address());
    if (const FileResult saved = BackUpUnit(folder, device, installation); !saved.Ok()) throw CliFailure(saved.message);
    text += "Saved " + DeviceLabel(device) + ", chip ID " + ChipIdText(device.ChipId()) + ", to " +
            installation.units.back().file + "\n";
    Json unit = DeviceJson(device);
    unit["file"] = installation.units.back().file;
    units.push_back(std::move(unit));
  }
  if (!installation.units.empty()) {
    if (const FileResult saved = SaveManifest(folder, installation); !saved.Ok()) throw CliFailure(saved.message);
    text += std::string(kManifestFile) + " in " + folder + " lists " + std::to_string(installation.units.size()) +
            " processor(s)\n";
  }
  session.console().Result(text, Json{{"folder", folder}, {"date", installation.date}, {"units", std::move(units)}});
  if (!unread.empty()) {
    std::string failures;
    for (const std::string& each : unread) failures += (failures.empty() ? "" : "; ") + each;
    throw CliFailure("not backed up: " + failures);
  }
}

// Fails when a unit of the backup (or of --only) could not be written back,
// at once when the port is lost.
// With --dry-run the bus is scanned and the plan shown; nothing is written.
void RunRestore(Session& session, const Command& command) {
  const std::string& folder = command.file;
  Installation installation;
  if (const FileResult loaded = LoadManifest(folder, installation); !loaded.Ok()) throw CliFailure(loaded.message);
  session.Scan();
  const std::vector<RestoreStep> plan = PlanRestore(installation, session.devices(), command.only);
  const auto units = static_cast<int>(std::count_if(
      plan.begin(), plan.end(), [](const RestoreStep& step) { return step.outcome == RestoreOutcome::kRestore; }));
  int unit = 0;
  std::string text;
  Json steps = Json::array();
  bool incomplete = false;
  for (const RestoreStep& step : plan) {
    std::string outcome = OutcomeText(step.outcome);
    bool undone = step.outcome == RestoreOutcome::kCountsDiffer || step.outcome == RestoreOutcome::kNotOnBus;
    if (step.outcome == RestoreOutcome::kRestore && command.dry_run) {
      outcome = "would be restored from " + step.file;
    } else if (step.outcome == RestoreOutcome::kRestore) {
      const UnitProgress shown(session.console().progress(), ++unit, units, step.name, step.chip_id);
      if (const auto failure = Restore(session, folder, step)) {
        outcome = "failed: " + *failure;
        undone = true;
      }
    }
    incomplete = incomplete || undone;
    text += StepLine(step, outcome);
    steps.push_back(Json{{"chip_id", ChipIdText(step.chip_id)},
                         {"name", step.name},
                         {"address", step.address},
                         {"file", step.file},
                         {"outcome", outcome}});
  }
  session.console().Result(text, Json{{"folder", folder}, {"dry_run", command.dry_run}, {"units", std::move(steps)}});
  if (incomplete) throw CliFailure("not every processor of the backup was restored; see the list above");
}

}  // namespace dsp
