#pragma once

// Finding the processors on the bus and giving each an address. A broadcast
// asks one unaddressed processor to identify itself; the host assigns it the
// next address; the processor confirms with its name and channel counts. When
// several answer at once the link reports a collision and the host re-asks.

#include <cstdint>
#include <optional>
#include <string>

#include "link/frame_link.h"
#include "protocol/commands.h"

namespace dsp {

struct DiscoveredDevice {
  std::uint8_t address = 0;
  ChipIdBytes chip_id{};
  std::string name;
  int inputs = 0;
  int outputs = 0;
};

// One object lives as long as its host and runs every scan. After a
// collision the host re-asks twice; a third collision in a row asks afresh
// with the broadcast, which renews the two re-asks. Clearing the count only
// on an identification would make every collision after the third repeat
// the broadcast. That was shown against the simulated processors' model of
// how unaddressed processors answer (all of them answer the broadcast, each
// answers a re-ask by chance, so only re-asks separate them): once three
// collisions came in a row, two or more unaddressed processors were never
// separated again, in this scan or the next.
class BusScan {
 public:
  static constexpr int kTickMs = 200;
  static constexpr int kSettleMs = 500;
  static constexpr int kAskSilenceMs = 1000;
  static constexpr int kReAsksBeforeNewAsk = 2;

  explicit BusScan(FrameLink& link) : link_(link) {}

  // Sends the first scan-start broadcast; the second follows on the first tick.
  void Start(int scan_time_ms);
  // Ends the scan at once (the user pressed Esc).
  void Stop() { phase_ = Phase::kFinished; }
  bool Finished() const { return phase_ == Phase::kFinished; }
  // When the host should call Tick again: the scan-start broadcasts settle for
  // 500 ms each, the scan proper ticks every 200 ms.
  int NextTickMs() const;
  int DevicesFound() const { return devices_found_; }

  // One step; returns the processor confirmed on this step, if any.
  std::optional<DiscoveredDevice> Tick();

 private:
  enum class Phase { kIdle, kSettleFirst, kSettleSecond, kScanning, kFinished };
  enum class State { kAsk, kWaitIdentity, kWaitConfirmation };

  void Ask();
  void WaitIdentity();
  std::optional<DiscoveredDevice> WaitConfirmation();
  void SendAssignment();

  FrameLink& link_;
  Phase phase_ = Phase::kIdle;
  State state_ = State::kAsk;
  int time_left_ms_ = 0;
  int ask_wait_ms_ = 0;
  int collisions_ = 0;
  bool assignment_resent_ = false;
  ChipIdBytes chip_id_{};
  std::uint8_t devices_found_ = 0;
};

}  // namespace dsp
