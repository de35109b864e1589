#include <nlohmann/json.hpp>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/preset_names_read.h"
#include "cli/procedure_runs.h"
#include "cli/tick_loop.h"
#include "cli/utf8.h"
#include "protocol/commands.h"
#include "protocol/procedure_driver.h"

namespace dsp {
namespace {

// The desktop keeps its wait dialog open this long after a save: the
// processor needs the time to store the preset.
constexpr int kSaveWaitMs = 2000;
constexpr int kSaveWaitTickMs = 100;

void ReadPresetNames(Session& session, DeviceRecord& device) {
  PresetNamesRead read(session.link(), device);
  PresetNamesRead::Progress progress = PresetNamesRead::Progress::kRunning;
  session.console().progress().Begin("Reading preset names...");
  RunTicks(session.clock(), PresetNamesRead::kTickMs, [&]() -> std::optional<int> {
    progress = read.Tick();
    if (progress != PresetNamesRead::Progress::kRunning) return std::nullopt;
    session.console().progress().Show(read.NamesRead() * 100 / kPresetSlots);
    return PresetNamesRead::kTickMs;
  });
  if (progress == PresetNamesRead::Progress::kFailed) {
    throw CliFailure("Synchronize from device fail: " + DeviceLabel(device) + " did not answer for preset " +
                     std::to_string(read.NamesRead()) + ". Check the cabling and try again.");
  }
  session.console().progress().Finish();
  session.WaitForQuietLink();
}

Json PresetJson(const DeviceRecord& device, int preset) {
  return Json{{"address", device.Address()}, {"name", device.Name()}, {"preset", preset}};
}

// Returns the address the processor was found at.
int Recall(Session& session, const Command& command, int preset, const std::string& label) {
  const int address = session.ScanFor(command.device).Address();
  RecallAndReadBack(session, address, preset, label);
  return address;
}

}  // namespace

// The read-back alone would succeed without the recall having gone out,
// reporting the settings the processor already had.
void RecallAndReadBack(Session& session, int address, int preset, const std::string& label) {
  session.SendAndWait(PresetRecallFrame(static_cast<std::uint8_t>(address), preset), "the preset recall");
  RunReadAll(session, address, RecallSettleDelayMs(preset), label);
}

void RunPresetList(Session& session, const Command& command) {
  DeviceRecord& device = session.ScanFor(command.device);
  ReadPresetNames(session, device);
  std::string text;
  Json presets = Json::array();
  for (int preset = 0; preset < kPresetSlots; ++preset) {
    text += (preset < 10 ? " " : "") + std::to_string(preset) + "  " + PrintableText(device.PresetName(preset)) + "\n";
    presets.push_back(Json{{"preset", preset}, {"name", device.PresetName(preset)}});
  }
  session.console().Result(
      text, Json{{"address", device.Address()}, {"name", device.Name()}, {"presets", std::move(presets)}});
}

void RunPresetRecall(Session& session, const Command& command) {
  const DeviceRecord& device = session.Device(Recall(session, command, command.preset, "Loading effect..."));
  session.console().Result(
      "Recalled preset " + std::to_string(command.preset) + " on " + DeviceLabel(device) + " and read it back\n",
      PresetJson(device, command.preset));
}

void RunReset(Session& session, const Command& command) {
  const DeviceRecord& device = session.Device(Recall(session, command, 0, "Restoring..."));
  session.console().Result("Restored the factory preset on " + DeviceLabel(device) + " and read it back\n",
                           PresetJson(device, 0));
}

void SavePresetAndWait(Session& session, int address, int preset) {
  session.SendAndWait(PresetSaveFrame(static_cast<std::uint8_t>(address), preset), "the preset save");
  int waited_ms = 0;
  session.console().progress().Begin("Saving...");
  WaitUntil(session.clock(), kSaveWaitTickMs, [&] {
    waited_ms += kSaveWaitTickMs;
    session.console().progress().Show(waited_ms * 100 / kSaveWaitMs);
    return waited_ms >= kSaveWaitMs;
  });
  session.console().progress().Finish();
}

void RunPresetSave(Session& session, const Command& command) {
  const DeviceRecord& device = session.ScanFor(command.device);
  SavePresetAndWait(session, device.Address(), command.preset);
  session.console().Result(
      "Saved the current settings of " + DeviceLabel(device) + " as preset " + std::to_string(command.preset) + "\n",
      PresetJson(device, command.preset));
}

void RunPresetName(Session& session, const Command& command) {
  const DeviceRecord& device = session.ScanFor(command.device);
  session.SendAndWait(
      PresetNameWriteFrame(static_cast<std::uint8_t>(device.Address()), command.preset, command.preset_name),
      "the preset name");
  Json document = Json{{"address", device.Address()},
                       {"name", device.Name()},
                       {"preset", command.preset},
                       {"preset_name", command.preset_name}};
  session.console().Result("Named preset " + std::to_string(command.preset) + " of " + DeviceLabel(device) + " \"" +
                               PrintableText(command.preset_name) + "\"\n",
                           document);
}

}  // namespace dsp
