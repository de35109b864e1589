#pragma once

// Several simulated processors on one serial line, in simulated time. The
// host's side is a PortIo (what the host writes reaches every processor one
// byte time apart; a read returns what has arrived by now) and a Sleeper that
// advances the bus clock instead of sleeping. Nothing here blocks or owns a
// thread: time moves only when the host sleeps or a test calls Advance.

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/bytes.h"
#include "link/port_io.h"
#include "sim/sim_line.h"
#include "sim/sim_processor.h"

namespace dsp {

struct HostWrite {
  std::chrono::microseconds at{};
  Bytes bytes;
};

class SimBus {
 public:
  explicit SimBus(std::uint64_t seed = 1, DiscoveryBehaviour discovery = DiscoveryBehaviour::kHalves);
  SimBus(const SimBus&) = delete;
  SimBus& operator=(const SimBus&) = delete;
  ~SimBus();

  // The configuration of the next processor: chip ID and generator seed
  // derived from the bus seed and its position, the bus's discovery
  // behaviour. Adjust it before Add.
  SimProcessorConfig NextConfig(const std::string& name, int inputs, int outputs) const;
  // Throws std::invalid_argument for a configuration CheckProcessorConfig rejects.
  SimProcessor& Add(SimProcessorConfig config);
  SimProcessor& Add(const std::string& name, int inputs, int outputs);

  std::size_t size() const { return processors_.size(); }
  SimProcessor& processor(std::size_t index) { return *processors_.at(index); }
  // The first processor with this address, if any.
  SimProcessor* FindByAddress(std::uint8_t address);

  std::chrono::microseconds Now() const { return std::chrono::microseconds(now_us_); }
  void Advance(std::chrono::microseconds duration);

  PortIo& host_port();
  Sleeper& host_sleeper();

  // The line goes dead after the host's `writes`-th write: later writes fail
  // and nothing more arrives.
  void HangUpAfter(int writes) { hang_up_after_ = writes; }
  bool IsHungUp() const { return hung_up_; }
  // What the host wrote, one entry per write, oldest first (at most
  // kFrameHistoryLimit entries).
  const std::deque<HostWrite>& host_writes() const { return host_writes_; }

 private:
  class HostPort;
  class BusSleeper;
  std::size_t HostWriteBytes(ByteView bytes);
  std::size_t HostReadBytes(std::span<std::uint8_t> into);
  void CollectOutput();

  std::uint64_t seed_;
  DiscoveryBehaviour discovery_;
  std::int64_t now_us_ = 0;
  std::int64_t host_line_free_us_ = 0;
  std::vector<std::unique_ptr<SimProcessor>> processors_;
  SimLine line_;
  std::unique_ptr<HostPort> port_;
  std::unique_ptr<BusSleeper> sleeper_;
  std::optional<int> hang_up_after_;
  int host_write_count_ = 0;
  bool hung_up_ = false;
  std::deque<HostWrite> host_writes_;
};

}  // namespace dsp
