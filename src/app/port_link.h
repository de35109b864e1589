#pragma once

// The link the main window talks to the bus through: the three frame calls
// of the device procedures, the port handling of the window (find the
// ports that open, open one, close it) and the firmware or parameter-image
// transfer with its progress. The program uses the serial link;
// tests put the simulated bus behind the same interface.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/frame_link.h"
#include "link/transfer_progress.h"

namespace dsp {

class PortLink : public FrameLink {
 public:
  // Fails when a port is already open or this one cannot be opened;
  // OpenError() then says why.
  virtual bool Open(const std::string& port, int baud) = 0;
  virtual std::string OpenError() const = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual std::string PortName() const = 0;
  // Whether opening `port` may take seconds (a connect over the network):
  // the window then opens it off the UI thread, and Open must be safe to
  // run beside the other calls.
  virtual bool OpensSlowly(const std::string&) const { return false; }
  // The serial devices that open now, in the order they are offered.
  virtual std::vector<std::string> OpenablePorts(int baud) = 0;
  // What the link traced since the last call (for the debug window).
  virtual std::string TakeTrace() = 0;
  // Whether bytes arriving from now on are traced in hexadecimal.
  virtual void SetHexTrace(bool hex) = 0;
  // Lengthens every answer wait, for a bus behind a network; a simulated
  // bus has no network to cross.
  virtual void SetAnswerWaitExtraMs(int) {}
  // The port the link closed by itself since the last call because its
  // device hung up or failed (an adapter pulled out), if it did.
  virtual std::optional<std::string> TakeLostPort() { return std::nullopt; }

  // Hands the file to the link's transfer, which owns the bus until it ends.
  // Fails, leaving nothing pending, while another transfer runs or when the
  // file cannot be opened; Progress() then reads the failure's code.
  virtual bool StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode) = 0;
  virtual TransferProgress Progress() const = 0;
};

// The serial link (CUart) with its three threads.
std::unique_ptr<PortLink> MakeSerialLink();

}  // namespace dsp
