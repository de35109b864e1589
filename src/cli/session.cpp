#include "cli/session.h"

#include "cli/cli_failure.h"
#include "cli/device_output.h"
#include "cli/session_setup.h"
#include "cli/tick_loop.h"
#include "cli/utf8.h"
#include "link/port_list.h"
#include "protocol/bus_scan.h"

namespace dsp {
namespace {

constexpr int kQuietPollMs = 20;

// The settling broadcasts, then the scan time, then the tick that ends it.
int ScanDurationMs(int scan_time_ms) {
  const int ticks = (scan_time_ms + BusScan::kTickMs - 1) / BusScan::kTickMs + 1;
  return 2 * BusScan::kSettleMs + ticks * BusScan::kTickMs;
}

// A name two processors share names neither: writing to the first of them
// could be writing to the wrong unit.
DeviceRecord* FindNamed(DeviceList& devices, const std::string& name) {
  std::vector<DeviceRecord*> named;
  for (DeviceRecord& device : devices) {
    if (device.Name() == name) named.push_back(&device);
  }
  if (named.size() > 1) {
    std::string addresses;
    for (const DeviceRecord* device : named) {
      addresses += (addresses.empty() ? "" : ", ") + std::to_string(device->Address());
    }
    throw CliFailure("more than one processor is named \"" + PrintableText(name) + "\" (addresses " + addresses +
                     "): name it by its chip ID instead (see 'dspctl scan')");
  }
  return named.empty() ? nullptr : named.front();
}

}  // namespace

std::string AddressList(const DeviceList& devices) {
  if (devices.empty()) return "none";
  std::string list;
  for (const DeviceRecord& device : devices) {
    if (!list.empty()) list += ", ";
    list += std::to_string(device.Address());
  }
  return list;
}

DeviceRecord* FindDevice(DeviceList& devices, const DeviceRef& ref) {
  if (!ref.name.empty()) return FindNamed(devices, ref.name);
  if (!ref.chip_id) return FindDevice(devices, ref.address);
  for (DeviceRecord& device : devices) {
    if (device.ChipId() == *ref.chip_id) return &device;
  }
  return nullptr;
}

std::string RefText(const DeviceRef& ref) {
  if (!ref.name.empty()) return "named \"" + PrintableText(ref.name) + "\"";
  return ref.chip_id ? "with chip ID " + ChipIdText(*ref.chip_id) : "at address " + std::to_string(ref.address);
}

Session::Session(const GlobalOptions& options, Console& console)
    : console_(console), config_(LoadConfiguration(options)) {
  OpenLink(options);
}

Session::~Session() = default;

void Session::OpenLink(const GlobalOptions& options) {
  const int baud = static_cast<int>(config_.baud);
  if (!options.simulate.empty()) {
    simulation_ = StartSimulation(options.simulate);
    port_ = simulation_->path();
  } else if (!options.port.empty()) {
    port_ = options.port;
  } else {
    const std::vector<std::string> ports = OpenablePorts(baud);
    if (ports.empty()) {
      throw CliFailure("no serial port opens: plug in the bus adapter, or name the device with --port PATH (or a device server with --port tcp://HOST:PORT)");
    }
    port_ = ports.front();
    console_.Note("using " + port_ + ", the first serial port that opens (choose another with --port)");
  }
  uart_ = std::make_unique<CUart>();
  uart_->SetAnswerWaitExtraMs(static_cast<int>(config_.answer_wait_extra_ms));
  if (!uart_->Open(port_, baud)) throw CliFailure(uart_->OpenError());
}

void Session::Scan() {
  devices_.clear();
  BusScan scan(*uart_);
  const int scan_time_ms = static_cast<int>(config_.scan_time_ms);
  const int duration_ms = ScanDurationMs(scan_time_ms);
  int elapsed_ms = 0;
  console_.progress().Begin("Scanning...");
  scan.Start(scan_time_ms);
  RunTicks(clock_, scan.NextTickMs(), [&]() -> std::optional<int> {
    elapsed_ms += scan.NextTickMs();
    if (std::optional<DiscoveredDevice> found = scan.Tick()) {
      devices_.emplace_back(found->address, found->chip_id, found->inputs, found->outputs, found->name);
    }
    if (scan.Finished()) return std::nullopt;
    console_.progress().Show(elapsed_ms * 100 / duration_ms);
    return scan.NextTickMs();
  });
  console_.progress().Finish();
  WaitForQuietLink();
  longer_scan_time_ms_.reset();
  if (scan.EndedWhileAnswering()) {
    longer_scan_time_ms_ = scan.LongerScanTimeMs();
    console_.Note("found " + std::to_string(devices_.size()) + (devices_.size() == 1 ? " processor" : " processors") +
                  ", but the scan time ran out while processors were still answering: try --scan-time " +
                  std::to_string(*longer_scan_time_ms_) + " to find the rest");
  }
}

DeviceRecord& Session::ScanFor(const DeviceRef& ref) {
  Scan();
  return Device(ref);
}

DeviceRecord& Session::Device(const DeviceRef& ref) {
  if (DeviceRecord* device = FindDevice(devices_, ref)) return *device;
  if (devices_.empty() && longer_scan_time_ms_) {
    throw CliFailure("no processor was found on " + port_ + " before the scan time ran out: try --scan-time " +
                     std::to_string(*longer_scan_time_ms_));
  }
  if (devices_.empty()) {
    throw CliFailure("no processor answered the scan on " + port_ +
                     ": check power and cabling, or scan longer with --scan-time");
  }
  throw CliFailure("no processor " + RefText(ref) + " (the scan found " + AddressList(devices_) +
                   "): see 'dspctl scan'");
}

void Session::PortWatchingClock::SleepUntil(Duration when) {
  session_.console_.clock().SleepUntil(when);
  if (session_.uart_) session_.CheckPort();
}

void Session::CheckPort() {
  if (const std::optional<PortLoss> loss = uart_->TakePortLoss()) throw PortLost(loss->message);
}

void Session::SendAndWait(ByteView frame, const std::string& what) {
  const std::uint64_t unsent_before = uart_->UnsentFrames();
  uart_->Send(frame);
  WaitUntil(clock_, kQuietPollMs, [this] { return uart_->IsSendQueueEmpty(); });
  RequireSent(unsent_before, what);
}

void Session::RequireSent(std::uint64_t unsent_before, const std::string& what) {
  CheckPort();
  const std::uint64_t unsent = uart_->UnsentFrames() - unsent_before;
  if (unsent == 0) return;
  throw CliFailure(std::to_string(unsent) + (unsent == 1 ? " frame" : " frames") + " of " + what +
                   " did not go out on " + port_ + ": check the adapter and the cabling, then try again");
}

// The worker holds the queue for a whole exchange, so an empty queue also
// means the last request has had its answer (or its time).
void Session::WaitForQuietLink() {
  WaitUntil(clock_, kQuietPollMs, [this] { return uart_->IsSendQueueEmpty(); });
  while (uart_->PopReply()) {
  }
}

}  // namespace dsp
