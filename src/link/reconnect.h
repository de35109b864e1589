#pragma once

// Bringing back a network port whose connection dropped: every few seconds
// the port falls due to be opened again, and the owner opens it off the UI
// thread. The attempt is the connection itself. A test connection closed
// just before the real one would leave the device server serving two
// clients on one serial line for a moment, and the closing one would take
// the processor's first answers. Driven by the owner's timer ticks.

#include <optional>
#include <string>

namespace dsp {

class Reconnect {
 public:
  static constexpr int kRetryMs = 3000;

  // Starts retrying `port` when it is a network port, or retries again after
  // an attempt that failed; a local one comes back when the system reports
  // it plugged in, so it is not tried here.
  void Lost(const std::string& port);
  // Stops retrying (another port was chosen).
  void Forget() { port_.reset(); }
  bool Retrying() const { return port_.has_value(); }

  // `elapsed_ms` since the last tick. The port to open, once an attempt is
  // due; retrying then waits for the attempt's outcome (Lost on failure).
  std::optional<std::string> Tick(int elapsed_ms);

 private:
  std::optional<std::string> port_;
  int until_next_ms_ = 0;
};

}  // namespace dsp
