#pragma once

// Opening a port without holding up the UI thread: a network port connects
// on a thread of its own (on an unreachable host the connect takes its whole
// limit, seconds), and the window collects the outcome on its next timer
// tick. Only one open runs at a time.

#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "app/port_link.h"

namespace dsp {

class PortOpening {
 public:
  PortOpening() = default;
  // Waits for an open still running: the link must outlive its thread.
  ~PortOpening() { Abandon(); }
  PortOpening(const PortOpening&) = delete;
  PortOpening& operator=(const PortOpening&) = delete;

  // Starts `link.Open(port, baud)` on a thread; call only while not Busy().
  void Start(PortLink& link, const std::string& port, int baud);
  bool Busy() const { return thread_.joinable(); }
  const std::string& Port() const { return port_; }
  // Once the open has ended, whether it succeeded (reported once); nothing
  // while it runs or when none was started.
  std::optional<bool> TakeResult();
  // Waits for the open and drops its outcome (a port it opened stays open).
  void Abandon();

 private:
  std::thread thread_;
  std::atomic<bool> ended_{false};
  bool opened_ = false;  // written by the thread before ended_
  std::string port_;
};

}  // namespace dsp
