#pragma once

// A whole installation saved at once: one parameter file per processor,
// named by its chip ID (addresses change with every scan; the chip ID does
// not), and a manifest, installation.json, that lists them. The unit files
// are written first and the manifest last, each in one step, so an
// interrupted backup never leaves a manifest naming a missing or
// half-written file. Restoring matches the processors on the bus to the
// files by chip ID and refuses a unit whose channel counts differ.

#include <string>
#include <vector>

#include "model/device_list.h"
#include "persist/file_result.h"

namespace dsp {

inline constexpr const char* kManifestFile = "installation.json";

struct InstallationUnit {
  ChipIdBytes chip_id{};
  std::string name;
  int inputs = 0;
  int outputs = 0;
  std::string file;  // in the backup's folder
};

struct Installation {
  std::string date;  // when the backup was taken, ISO 8601 UTC
  std::vector<InstallationUnit> units;
};

// Now, as an installation's date: "2026-12-07T03:14:00Z".
std::string BackupDateNow();

// "unit-2F63F80F18BF7860.ini".
std::string UnitFileName(const ChipIdBytes& chip_id);

// Saves the record's parameters into `folder` (created when missing) and
// lists the unit in `installation`.
FileResult BackUpUnit(const std::string& folder, const DeviceRecord& record, Installation& installation);
FileResult SaveManifest(const std::string& folder, const Installation& installation);
// Refuses a manifest that is not one, or that names a file outside the
// folder.
FileResult LoadManifest(const std::string& folder, Installation& installation);

enum class RestoreOutcome {
  kRestore,       // on the bus with the file's counts
  kCountsDiffer,  // on the bus, but with other channel counts than the file
  kNotOnBus,      // in the backup, not found by the scan
  kNotInBackup,   // found by the scan, not in the backup
};

struct RestoreStep {
  ChipIdBytes chip_id{};
  std::string name;
  int address = 0;  // on the bus; 0 when not found there
  std::string file;
  RestoreOutcome outcome = RestoreOutcome::kRestore;
};

// One step per unit of the backup and per processor on the bus, backup
// order first; with `only` not empty, just the units with those chip IDs.
std::vector<RestoreStep> PlanRestore(const Installation& installation, const DeviceList& bus,
                                     const std::vector<ChipIdBytes>& only);

}  // namespace dsp
