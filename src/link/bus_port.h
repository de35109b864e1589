#pragma once

// A port the bus hangs on, opened by name: the link neither knows nor cares
// whether the bytes go to a local serial device or to a device server over
// the network. A port that stops working is closed at once and the loss kept
// for the link's owner to collect, whatever kind it is.

#include <optional>
#include <string>

#include "link/port_io.h"

namespace dsp {

inline constexpr int kDefaultBaud = 115200;

// A port the link had open and lost.
struct PortLoss {
  std::string path;
  std::string message;  // one line for the user: what happened and what to do
};

class BusPort : public PortIo {
 public:
  // On failure the port stays closed and Error() tells the user why.
  virtual bool Open(const std::string& path, int baud = kDefaultBaud) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // The name given to the successful Open; empty while closed.
  virtual std::string Path() const = 0;
  // Why the last Open failed.
  virtual std::string Error() const = 0;
  // The loss of the port since the last call, if it was lost; reported once.
  virtual std::optional<PortLoss> TakeLoss() = 0;
};

}  // namespace dsp
