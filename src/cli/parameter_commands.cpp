#include <nlohmann/json.hpp>
#include <set>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/file_checks.h"
#include "cli/procedure_runs.h"
#include "cli/utf8.h"
#include "model/chip_id.h"
#include "persist/parameter_file.h"
#include "protocol/procedure_driver.h"

namespace dsp {
namespace {

Json FileJson(const DeviceRecord& device, const std::string& path) {
  return Json{{"address", device.Address()}, {"name", device.Name()}, {"file", path}};
}

// The copy's checks, in the desktop's order and words: the source first,
// then that a destination other than the source is left. A destination that
// did not answer the scan is refused before anything is written.
std::set<int> CheckedTargets(Session& session, const Command& command) {
  // With nothing on the bus the session says so.
  if (session.devices().empty()) session.Device(command.device);
  const DeviceRecord* source = FindDevice(session.devices(), command.device);
  if (source == nullptr) {
    throw CliFailure("Invalid Source: no processor " + RefText(command.device) + " (the scan found " +
                     AddressList(session.devices()) + ")");
  }
  std::set<int> targets;
  for (const DeviceRef& target : command.targets) targets.insert(session.Device(target).Address());
  targets.erase(source->Address());
  if (targets.empty()) {
    throw CliFailure("Have None valid Target: name at least one destination besides the source");
  }
  return targets;
}

}  // namespace

void RunRead(Session& session, const Command& command) {
  const std::string path = WithIniExtension(command.file);
  RequireWritableFile(path);
  const int address = session.ScanFor(command.device).Address();
  RunReadAll(session, address, kSyncStartDelayMs);
  const DeviceRecord& device = session.Device(address);
  if (const FileResult saved = SaveParameterFile(device, path); !saved.Ok()) throw CliFailure(saved.message);
  session.console().Result("Saved the parameters of " + DeviceLabel(device) + " to " + path + "\n",
                           FileJson(device, path));
}

// A file read from one processor is not written into another by mistake
// (addresses change from scan to scan); files without their origin load as
// they always did.
void RunWrite(Session& session, const Command& command) {
  RequireReadableFile(command.file);
  std::optional<ParameterFileOrigin> origin;
  if (const FileResult read = ReadParameterFileOrigin(command.file, origin); !read.Ok()) throw CliFailure(read.message);
  DeviceRecord& device = session.ScanFor(command.device);
  if (origin && origin->chip_id != device.ChipId() && !command.force) {
    throw CliFailure(command.file + " was read from " + PrintableText(origin->name) + ", chip ID " +
                     ChipIdText(origin->chip_id) + ", not from " + DeviceLabel(device) + ", chip ID " +
                     ChipIdText(device.ChipId()) + ": nothing was written. Add --force to write it all the same.");
  }
  if (const FileResult loaded = LoadParameterFile(command.file, session.config(), device); !loaded.Ok()) {
    throw CliFailure(loaded.message);
  }
  RunWriteAll(session, device.Address());
  session.console().Result("Wrote " + command.file + " to " + DeviceLabel(device) + "\n",
                           FileJson(device, command.file));
}

void RunCopy(Session& session, const Command& command) {
  session.Scan();
  const std::set<int> targets = CheckedTargets(session, command);
  const int source_address = session.Device(command.device).Address();
  RunReadAll(session, source_address, kSyncStartDelayMs);
  std::string written;
  Json written_json = Json::array();
  for (int target : targets) {
    DeviceRecord& device = session.Device(target);
    device.CopyParametersFrom(session.Device(source_address));
    RunWriteAll(session, target);
    written += (written.empty() ? "" : ", ") + DeviceLabel(device);
    written_json.push_back(DeviceJson(device));
  }
  const DeviceRecord& source = session.Device(source_address);
  session.console().Result("Copied the parameters of " + DeviceLabel(source) + " to " + written + "\n",
                           Json{{"source", DeviceJson(source)}, {"targets", std::move(written_json)}});
}

}  // namespace dsp
