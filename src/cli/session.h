#pragma once

// One run of dspctl against one bus: the configuration, the serial link
// (to a real port or to simulated processors behind a device of their own) and the
// processors the last scan found. Everything that fails throws CliFailure,
// and so does every wait of the session's clock once the link has lost its
// port (an adapter pulled out).

#include <memory>
#include <optional>
#include <string>

#include "cli/console.h"
#include "cli/options.h"
#include "link/uart.h"
#include "model/configuration.h"
#include "model/device_list.h"
#include "sim/line_endpoint.h"

namespace dsp {

class Session {
 public:
  // Reads the configuration and opens the link.
  Session(const GlobalOptions& options, Console& console);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Console& console() { return console_; }
  // The loop clock of everything the session runs.
  LoopClock& clock() { return clock_; }
  const Configuration& config() const { return config_; }
  CUart& link() { return *uart_; }
  DeviceList& devices() { return devices_; }
  const std::string& port() const { return port_; }

  // Forgets the processors and scans the bus afresh; devices() holds what
  // answered, in the order it answered. A scan whose time ran out while
  // processors were still answering says so on standard error.
  void Scan();
  // After such a scan, a scan time likely to find the rest.
  std::optional<int> LongerScanTimeMs() const { return longer_scan_time_ms_; }
  // Scans, then returns the processor named.
  DeviceRecord& ScanFor(const DeviceRef& ref);
  // The processor named, as the last scan found it.
  DeviceRecord& Device(const DeviceRef& ref);
  DeviceRecord& Device(int address) { return Device(DeviceRef{address, std::nullopt, ""}); }
  // Queues a frame and returns once it has gone out on the line; fails
  // naming `what` when it could not be put on the wire.
  void SendAndWait(ByteView frame, const std::string& what);
  // Fails naming `what` when frames queued since the link's unsent count
  // read `unsent_before` could not be put on the wire.
  void RequireSent(std::uint64_t unsent_before, const std::string& what);
  // Waits until nothing is queued and drops replies nobody asked for.
  void WaitForQuietLink();

 private:
  // The console's clock, checking the port after every wait.
  class PortWatchingClock : public LoopClock {
   public:
    explicit PortWatchingClock(Session& session) : session_(session) {}
    Duration Now() override { return session_.console_.clock().Now(); }
    void SleepUntil(Duration when) override;

   private:
    Session& session_;
  };

  void OpenLink(const GlobalOptions& options);
  // Throws the loss of the port, if the link has lost it.
  void CheckPort();

  Console& console_;
  PortWatchingClock clock_{*this};
  Configuration config_;
  // Declared before the link: the link closes the terminal before the
  // simulated processors behind it go away.
  std::unique_ptr<LineEndpoint> simulation_;
  std::unique_ptr<CUart> uart_;
  std::string port_;
  DeviceList devices_;
  std::optional<int> longer_scan_time_ms_;
};

// "1, 2, 3" for the processors found, or "none".
std::string AddressList(const DeviceList& devices);

// The processor named, among those found, or nullptr; throws CliFailure,
// naming their addresses, when more than one processor has the name.
DeviceRecord* FindDevice(DeviceList& devices, const DeviceRef& ref);

// "at address 7", "with chip ID 0A B1 00 FF 12 34 56 78", "named "Hall"".
std::string RefText(const DeviceRef& ref);

}  // namespace dsp
