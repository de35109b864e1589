#include "persist/installation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "link/utf8_path.h"
#include "model/chip_id.h"
#include "persist/file_io.h"
#include "persist/parameter_file.h"

namespace dsp {
namespace {

constexpr std::size_t kMaxManifestBytes = 1 << 20;
constexpr int kFormat = 1;

std::string InFolder(const std::string& folder, const std::string& file) {
  return Utf8Text(Utf8Path(folder) / Utf8Path(file));
}

std::string Compact(const std::string& chip_text) {
  std::string compact = chip_text;
  compact.erase(std::remove(compact.begin(), compact.end(), ' '), compact.end());
  return compact;
}

bool Listed(const std::vector<ChipIdBytes>& only, const ChipIdBytes& chip_id) {
  return only.empty() || std::find(only.begin(), only.end(), chip_id) != only.end();
}

FileResult NotAManifest(const std::string& path, const std::string& why) {
  return FileResult::Failure(FileError::kNotParameterFile,
                             path + " is not an installation backup (" + why + "); choose the folder `dspctl backup` "
                                                                              "wrote");
}

}  // namespace

std::string BackupDateNow() {
  using namespace std::chrono;
  const auto now = floor<seconds>(system_clock::now());
  const auto today = floor<days>(now);
  const year_month_day date{today};
  const hh_mm_ss time{now - today};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::string UnitFileName(const ChipIdBytes& chip_id) { return "unit-" + Compact(ChipIdText(chip_id)) + ".ini"; }

FileResult BackUpUnit(const std::string& folder, const DeviceRecord& record, Installation& installation) {
  std::error_code error;
  std::filesystem::create_directories(Utf8Path(folder), error);
  if (error) {
    return FileResult::Failure(FileError::kCannotWrite,
                               "cannot create the folder " + folder + ": " + error.message());
  }
  const std::string file = UnitFileName(record.ChipId());
  if (FileResult saved = SaveParameterFile(record, InFolder(folder, file)); !saved.Ok()) return saved;
  installation.units.push_back({record.ChipId(), record.Name(), record.Inputs(), record.Outputs(), file});
  return FileResult::Success();
}

FileResult SaveManifest(const std::string& folder, const Installation& installation) {
  nlohmann::ordered_json units = nlohmann::ordered_json::array();
  for (const InstallationUnit& unit : installation.units) {
    units.push_back({{"chip_id", ChipIdText(unit.chip_id)},
                     {"name", unit.name},
                     {"inputs", unit.inputs},
                     {"outputs", unit.outputs},
                     {"file", unit.file}});
  }
  const nlohmann::ordered_json manifest = {{"format", kFormat}, {"date", installation.date}, {"units", units}};
  return ReplaceFile(InFolder(folder, kManifestFile),
                     manifest.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n");
}

FileResult LoadManifest(const std::string& folder, Installation& installation) {
  const std::string path = InFolder(folder, kManifestFile);
  std::string text;
  if (FileResult read = ReadWholeFile(path, kMaxManifestBytes, text); !read.Ok()) return read;
  const nlohmann::json manifest = nlohmann::json::parse(text, nullptr, false);
  if (manifest.is_discarded() || !manifest.is_object()) return NotAManifest(path, "not a JSON object");
  if (manifest.value("format", 0) != kFormat) return NotAManifest(path, "unknown format");
  Installation loaded;
  try {
    loaded.date = manifest.value("date", "");
    if (!manifest.contains("units") || !manifest["units"].is_array()) return NotAManifest(path, "no unit list");
    for (const nlohmann::json& unit : manifest["units"]) {
      if (!unit.is_object()) return NotAManifest(path, "a unit that is not an object");
      const auto chip_id = ParseChipId(unit.value("chip_id", ""));
      const std::string file = unit.value("file", "");
      if (!chip_id) return NotAManifest(path, "a unit without a chip ID");
      if (file.empty() || Utf8Path(file).filename() != Utf8Path(file)) {
        return NotAManifest(path, "a unit file outside the folder");
      }
      loaded.units.push_back(
          {*chip_id, unit.value("name", ""), unit.value("inputs", 0), unit.value("outputs", 0), file});
    }
  } catch (const nlohmann::json::exception& error) {
    return NotAManifest(path, error.what());
  }
  installation = std::move(loaded);
  return FileResult::Success();
}

std::vector<RestoreStep> PlanRestore(const Installation& installation, const DeviceList& bus,
                                     const std::vector<ChipIdBytes>& only) {
  std::vector<RestoreStep> steps;
  for (const InstallationUnit& unit : installation.units) {
    if (!Listed(only, unit.chip_id)) continue;
    RestoreStep step{unit.chip_id, unit.name, 0, unit.file, RestoreOutcome::kNotOnBus};
    for (const DeviceRecord& device : bus) {
      if (device.ChipId() != unit.chip_id) continue;
      step.address = device.Address();
      const bool same_counts = device.Inputs() == unit.inputs && device.Outputs() == unit.outputs;
      step.outcome = same_counts ? RestoreOutcome::kRestore : RestoreOutcome::kCountsDiffer;
    }
    steps.push_back(step);
  }
  for (const DeviceRecord& device : bus) {
    const bool backed_up = std::any_of(installation.units.begin(), installation.units.end(),
                                       [&](const InstallationUnit& unit) { return unit.chip_id == device.ChipId(); });
    if (!backed_up && Listed(only, device.ChipId())) {
      steps.push_back({device.ChipId(), device.Name(), device.Address(), "", RestoreOutcome::kNotInBackup});
    }
  }
  return steps;
}

}  // namespace dsp
