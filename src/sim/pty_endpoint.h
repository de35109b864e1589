#pragma once

// A simulated bus behind a real pseudo-terminal: the host opens the slave
// path like a serial device, and a thread of this endpoint serves the master
// side in real time (the bus clock follows the steady clock). When the bus
// hangs up (a fault), the endpoint closes the pseudo-terminal and the host
// sees the device go away.

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/line_endpoint.h"
#include "sim/sim_bus.h"

namespace dsp {

class PtyEndpoint : public LineEndpoint {
 public:
  // Opens the pseudo-terminal and starts serving. On failure returns nothing
  // and says why in `error`.
  static std::unique_ptr<PtyEndpoint> Open(std::unique_ptr<SimBus> bus, std::string& error);
  ~PtyEndpoint() override;
  PtyEndpoint(const PtyEndpoint&) = delete;
  PtyEndpoint& operator=(const PtyEndpoint&) = delete;

  const std::string& path() const override { return path_; }
  bool IsHungUp() const { return hung_up_; }

  // Runs `fn` with the bus while the serving thread keeps off it.
  template <typename Fn>
  auto WithBus(Fn&& fn) {
    std::lock_guard lock(mutex_);
    return fn(*bus_);
  }

 private:
  PtyEndpoint(std::unique_ptr<SimBus> bus, int master, int slave, std::string path);
  void Serve();
  void ServeOnce(Bytes& unsent);
  void CloseTerminal();

  std::unique_ptr<SimBus> bus_;
  int master_;
  int slave_;  // held open so the line survives the host closing and reopening it
  std::string path_;
  std::chrono::steady_clock::time_point started_;
  std::chrono::microseconds bus_started_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> hung_up_{false};
  std::thread thread_;
};

}  // namespace dsp
