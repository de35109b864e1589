// eq-import: a measurement program's filter list into one channel's
// equaliser.
#include <nlohmann/json.hpp>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/file_checks.h"
#include "cli/procedure_runs.h"
#include "model/write_builders.h"
#include "persist/eq_filter_export.h"
#include "protocol/procedure_driver.h"

namespace dsp {

// The file is read before the bus is scanned, so a file it refuses costs no
// waiting. The processor is read first: the bands the import switches off
// keep the values they had.
void RunEqImport(Session& session, const Command& command) {
  RequireReadableFile(command.file);
  std::vector<ImportedBand> bands;
  if (const FileResult read = ReadEqFilterExport(command.file, kEqBands, bands); !read.Ok()) {
    throw CliFailure(read.message);
  }
  const int address = session.ScanFor(command.device).Address();
  RunReadAll(session, address, kSyncStartDelayMs);
  DeviceRecord& device = session.Device(address);
  ApplyImportedBands(device, command.side, command.channel, bands);
  const std::uint64_t unsent_before = session.link().UnsentFrames();
  for (int band = 0; band < device.EqBandCount(command.side); ++band) {
    const WriteId id = WriteId::EqBand(command.side, command.channel, band, address);
    if (const auto frame = BuildWrite(id, device, session.config())) session.link().Send(*frame);
  }
  session.WaitForQuietLink();
  session.RequireSent(unsent_before, "the equaliser of " + DeviceLabel(device));
  const std::string channel = std::string(command.side == kInputSide ? "IN " : "OUT ") +
                              static_cast<char>('A' + command.channel);
  session.console().Result("Imported " + std::to_string(bands.size()) + " filter(s) from " + command.file + " into " +
                               channel + " of " + DeviceLabel(device) + "\n",
                           Json{{"address", address},
                                {"name", device.Name()},
                                {"channel", channel},
                                {"file", command.file},
                                {"filters", bands.size()}});
}

}  // namespace dsp
