#include "sim/sim_bus.h"

#include <algorithm>

namespace dsp {

class SimBus::HostPort : public PortIo {
 public:
  explicit HostPort(SimBus& bus) : bus_(bus) {}
  std::size_t Write(ByteView bytes) override { return bus_.HostWriteBytes(bytes); }
  std::size_t Read(std::span<std::uint8_t> into) override { return bus_.HostReadBytes(into); }

 private:
  SimBus& bus_;
};

class SimBus::BusSleeper : public Sleeper {
 public:
  explicit BusSleeper(SimBus& bus) : bus_(bus) {}
  void SleepMs(int ms) override { bus_.Advance(std::chrono::milliseconds(ms)); }

 private:
  SimBus& bus_;
};

SimBus::SimBus(std::uint64_t seed, DiscoveryBehaviour discovery)
    : seed_(seed),
      discovery_(discovery),
      port_(std::make_unique<HostPort>(*this)), sleeper_(std::make_unique<BusSleeper>(*this)) {}

SimBus::~SimBus() = default;

PortIo& SimBus::host_port() { return *port_; }
Sleeper& SimBus::host_sleeper() { return *sleeper_; }

SimProcessorConfig SimBus::NextConfig(const std::string& name, int inputs, int outputs) const {
  const int position = static_cast<int>(processors_.size());
  SimProcessorConfig config;
  config.chip_id = DeriveChipId(seed_, position);
  config.name = name;
  config.inputs = inputs;
  config.outputs = outputs;
  config.seed = SplitMix64(seed_ ^ SplitMix64(static_cast<std::uint64_t>(position)));
  config.discovery = discovery_;
  return config;
}

SimProcessor& SimBus::Add(SimProcessorConfig config) {
  processors_.push_back(std::make_unique<SimProcessor>(std::move(config)));
  return *processors_.back();
}

SimProcessor& SimBus::Add(const std::string& name, int inputs, int outputs) {
  return Add(NextConfig(name, inputs, outputs));
}

SimProcessor* SimBus::FindByAddress(std::uint8_t address) {
  for (auto& p : processors_) {
    if (p->address() == address) return p.get();
  }
  return nullptr;
}

void SimBus::Advance(std::chrono::microseconds duration) {
  now_us_ += std::max<std::int64_t>(0, duration.count());
  for (auto& p : processors_) p->AdvanceTo(now_us_);
  CollectOutput();
}

// In the order of their start, so that a processor that listens before it
// talks hears the answers that began before its own.
void SimBus::CollectOutput() {
  std::vector<Transmission> output;
  for (auto& p : processors_) {
    for (Transmission& t : p->TakeOutput()) output.push_back(std::move(t));
  }
  std::stable_sort(output.begin(), output.end(),
                   [](const Transmission& a, const Transmission& b) { return a.start_us < b.start_us; });
  for (const Transmission& t : output) line_.Put(t);
}

std::size_t SimBus::HostWriteBytes(ByteView bytes) {
  if (hung_up_ || bytes.empty()) return 0;
  if (hang_up_after_ && host_write_count_ >= *hang_up_after_) {
    hung_up_ = true;
    line_.Clear();
    return 0;
  }
  ++host_write_count_;
  host_writes_.push_back({Now(), Bytes(bytes.begin(), bytes.end())});
  if (host_writes_.size() > kFrameHistoryLimit) host_writes_.pop_front();
  // Bytes written while earlier ones are still going out queue behind them.
  const std::int64_t first_us = std::max(now_us_, host_line_free_us_) + kByteUs;
  const std::int64_t last_us = first_us + static_cast<std::int64_t>(bytes.size() - 1) * kByteUs;
  host_line_free_us_ = last_us;
  for (auto& p : processors_) p->Receive(bytes, first_us, last_us);
  CollectOutput();
  return bytes.size();
}

std::size_t SimBus::HostReadBytes(std::span<std::uint8_t> into) {
  if (hung_up_) return 0;
  const Bytes arrived = line_.Take(now_us_, into.size());
  std::copy(arrived.begin(), arrived.end(), into.begin());
  return arrived.size();
}

}  // namespace dsp
