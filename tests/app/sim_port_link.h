#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/port_link.h"
#include "platform/testing/manual_clock.h"
#include "sim/sim_bus.h"
#include "sim/sim_link.h"

namespace dsp::test {

// The simulated bus behind the main window's link: frames go through
// SimLink (the serial link's queue, exchange, waits and markers, in
// simulated time), and before every call the bus clock is brought up to the
// harness's manual clock, so the processors live in the test's time (an
// exchange's waits may put the bus ahead; it then waits for the test).
class SimPortLink : public PortLink {
 public:
  static constexpr const char* kPort = "/dev/ttySIM0";

  SimPortLink(SimBus& bus, const ManualClock& clock) : bus_(bus), clock_(clock), link_(bus) {}

  void Send(ByteView frame) override;
  std::optional<Bytes> PopReply() override;
  bool IsSendQueueEmpty() override;

  bool Open(const std::string& port, int baud) override;
  std::string OpenError() const override { return error_; }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  std::string PortName() const override { return open_ ? port_ : ""; }
  std::vector<std::string> OpenablePorts(int baud) override;
  std::string TakeTrace() override { return std::exchange(trace, ""); }
  void SetHexTrace(bool hex) override { hex_trace = hex; }
  // The transfer runs to its end at once, in the bus's time: the window
  // finds it over at its first look.
  bool StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode) override;
  TransferProgress Progress() const override { return progress_; }

  // Whether the simulated port exists (it can be "unplugged").
  void SetPresent(bool present) { present_ = present; }
  // Other ports that open (they lead nowhere).
  std::vector<std::string> other_ports;
  // What TakeTrace hands out next.
  std::string trace;
  bool hex_trace = false;
  // Every frame sent while a port was open, oldest first.
  std::vector<Bytes> sent;
  int open_baud = 0;
  // The send queue reads as not empty until this time (a slow serial line);
  // `on_queue_look` runs at every look at it.
  std::int64_t queue_busy_until_ms = 0;
  std::function<void()> on_queue_look;

 private:
  void CatchUp();

  SimBus& bus_;
  const ManualClock& clock_;
  SimLink link_;
  bool present_ = true;
  bool open_ = false;
  std::string port_;
  std::string error_;
  TransferProgress progress_;
};

// Hands a window the test's link while the test keeps it (the window owns
// its link; a test restarts windows on one bus and one link).
class SharedLink : public PortLink {
 public:
  explicit SharedLink(PortLink& link) : link_(link) {}
  void Send(ByteView frame) override { link_.Send(frame); }
  std::optional<Bytes> PopReply() override { return link_.PopReply(); }
  bool IsSendQueueEmpty() override { return link_.IsSendQueueEmpty(); }
  bool Open(const std::string& port, int baud) override { return link_.Open(port, baud); }
  std::string OpenError() const override { return link_.OpenError(); }
  void Close() override { link_.Close(); }
  bool IsOpen() const override { return link_.IsOpen(); }
  std::string PortName() const override { return link_.PortName(); }
  std::vector<std::string> OpenablePorts(int baud) override { return link_.OpenablePorts(baud); }
  std::string TakeTrace() override { return link_.TakeTrace(); }
  void SetHexTrace(bool hex) override { link_.SetHexTrace(hex); }
  bool StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode) override {
    return link_.StartTransfer(path, address, mode);
  }
  TransferProgress Progress() const override { return link_.Progress(); }

 private:
  PortLink& link_;
};

}  // namespace dsp::test
