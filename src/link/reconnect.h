#pragma once

// Bringing back a network port whose connection dropped: every few seconds
// a probe tries the server, and once it accepts, the port is handed back to
// be opened. Driven by the owner's timer ticks; nothing here blocks.

#include <memory>
#include <optional>
#include <string>

#include "link/server_probe.h"

namespace dsp {

class Reconnect {
 public:
  static constexpr int kRetryMs = 3000;
  static constexpr int kConnectLimitMs = 2000;

  // Starts retrying `port` when it is a network port; a local one comes back
  // when the system reports it plugged in, so it is not tried here.
  void Lost(const std::string& port);
  // Stops retrying (another port was chosen).
  void Forget();
  bool Retrying() const { return name_.has_value(); }

  // `elapsed_ms` since the last tick. The port to open, once its server has
  // accepted a probe; retrying then ends.
  std::optional<std::string> Tick(int elapsed_ms);

 private:
  std::optional<PortName> name_;
  std::unique_ptr<ServerProbe> probe_;
  int until_next_ms_ = 0;
};

}  // namespace dsp
