#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "cli/device_output.h"
#include "cli/file_checks.h"
#include "cli/procedure_runs.h"
#include "cli/transfer_run.h"
#include "persist/effect_file.h"

namespace dsp {
namespace {

// The effect image read hands each block to the file as it arrives, so a read
// that fails keeps what came before.
class EffectFileHost : public ProcedureHost {
 public:
  EffectFileHost(Session& session, const DeviceRef& device, EffectFileWriter& writer)
      : session_(session), device_(device), writer_(writer) {}

  DeviceRecord* SelectedDevice() override { return FindDevice(session_.devices(), device_); }
  void OnEffectData(ByteView data) override {
    if (write_failure_.Ok()) write_failure_ = writer_.Append(data);
  }
  void OnEffectProgress(int percent) override { session_.console().progress().Show(percent); }
  const FileResult& WriteFailure() const { return write_failure_; }

 private:
  Session& session_;
  DeviceRef device_;
  EffectFileWriter& writer_;
  FileResult write_failure_;
};

std::uint64_t FileSize(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

Json TransferJson(const DeviceRecord& device, const std::string& path, TransferMode mode, int result) {
  return Json{{"address", device.Address()},
              {"name", device.Name()},
              {"file", path},
              {"result", TransferOutcome(mode, result)},
              {"code", result}};
}

void SendImage(Session& session, const DeviceRecord& device, const std::string& path, TransferMode mode) {
  const std::string label = mode == TransferMode::kFirmware ? "Firmware Update" : "Import Parameter";
  const int result = RunTransfer(session, path, device.Address(), mode, label);
  if (result != kTransferDone) {
    throw CliFailure(TransferOutcome(mode, result) + ": " + TransferFailureDetail(result));
  }
  session.console().Result(TransferOutcome(mode, result) + ": sent " + path + " (" + std::to_string(FileSize(path)) +
                               " bytes) to " + DeviceLabel(device) + "\n",
                           TransferJson(device, path, mode, result));
}

}  // namespace

void RunEffectsSave(Session& session, const Command& command) {
  const std::string path = WithBinExtension(command.file);
  RequireWritableFile(path);
  EffectFileWriter writer;
  EffectFileHost host(session, command.device, writer);
  ProcedureDriver driver(session.link(), host, session.devices(), session.config());
  // Asked before the scan: an unconfigured block count costs no waiting.
  if (const auto refusal = driver.StartEffectRead(session.config().effect_blocks)) throw CliFailure(*refusal);
  const DeviceRecord& device = session.ScanFor(command.device);
  if (const FileResult opened = writer.Open(path); !opened.Ok()) {
    throw CliFailure("Create file fail: " + opened.message);
  }
  session.console().progress().Begin("Reading Effects...");
  const ProcedureEnd end = DriveProcedure(session, driver, [&] { return host.WriteFailure().Ok(); });
  const FileResult closed = writer.Close();
  if (!host.WriteFailure().Ok()) throw CliFailure(host.WriteFailure().message);
  if (!closed.Ok()) throw CliFailure(closed.message);
  if (end == ProcedureEnd::kFailed) {
    throw CliFailure("Synchronize from device fail: " + DeviceLabel(device) + " stopped answering; " + path +
                     " keeps the " + std::to_string(writer.BytesWritten()) + " bytes received");
  }
  session.console().progress().Finish();
  session.console().Result("Saved " + std::to_string(writer.BytesWritten()) + " bytes of effect memory of " +
                               DeviceLabel(device) + " to " + path + "\n",
                           Json{{"address", device.Address()},
                                {"name", device.Name()},
                                {"file", path},
                                {"blocks", session.config().effect_blocks},
                                {"bytes", writer.BytesWritten()}});
}

void RunEffectsLoad(Session& session, const Command& command) {
  RequireImageFile(command.file);
  const DeviceRecord& device = session.ScanFor(command.device);
  SendImage(session, device, command.file, TransferMode::kParameters);
}

// Firmware goes only to a processor alone on the bus, and a fresh scan
// proves that it is the processor that was at the address before.
void RunFirmware(Session& session, const Command& command) {
  RequireImageFile(command.file);
  const ChipIdBytes chosen = session.ScanFor(command.device).ChipId();
  session.Scan();
  const DeviceList& devices = session.devices();
  if (devices.size() != 1) {
    const std::string advice = devices.empty() ? "Check power and cabling" : "Disconnect the others";
    throw CliFailure("Only one device can be online when upgrade: the scan found " + std::to_string(devices.size()) +
                     " processors. " + advice + " and try again.");
  }
  if (devices[0].ChipId() != chosen) {
    throw CliFailure("Is an other devie: the processor on the bus has chip ID " + ChipIdText(devices[0].ChipId()) +
                     ", the one " + RefText(command.device) + " had " + ChipIdText(chosen));
  }
  SendImage(session, devices[0], command.file, TransferMode::kFirmware);
}

}  // namespace dsp
