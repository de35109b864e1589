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

// One object lives as long as its host and runs every scan. The order of
// frames is the processors' own: a broadcast ask, a re-ask after a collision,
// the assignment to the chip ID that identified itself, the confirmation.
// These rules keep the scan moving when several unaddressed processors answer
// at once; a processor that answers as the protocol describes never sees a
// frame it would not see otherwise, since only the re-ask goes out more often.
// - Each broadcast ask starts a fresh budget of re-asks: after a third
//   collision in a row the scan asks afresh, and the re-asks are renewed. Were
//   the count cleared only by an identification, every collision after the
//   third would repeat the broadcast, which all unaddressed processors answer
//   together: they would never be separated again, in this scan or the next.
// - After a re-ask, silence is re-asked (once a tick, at most six times)
//   before the scan waits out its silence and asks afresh. The link reports a
//   collision only after a broadcast ask, so a re-ask that collides looks
//   silent, and processors that each answer a re-ask by chance need many.
// - The link queues a collision marker for each of its two attempts at one
//   ask, all at once. The copies behind the first are the same collision: they
//   are taken together, and count once.
// - The tick that takes a confirmation also sends the next ask.
class BusScan {
 public:
  static constexpr int kTickMs = 200;
  static constexpr int kSettleMs = 500;
  static constexpr int kAskSilenceMs = 1000;
  static constexpr int kReAsksBeforeNewAsk = 2;
  static constexpr int kSilentReAsks = 6;

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
  // The scan time ran out while unaddressed processors were still answering
  // (an identity or a collision since the last ask met with silence on the
  // tick after it): there are likely more than were found.
  bool EndedWhileAnswering() const { return ran_out_ && answering_; }
  // Scan time spent when the last processor was confirmed (0 for none).
  int LastFindMs() const { return last_find_ms_; }
  // A scan time likely to find the rest after EndedWhileAnswering: at the
  // pace of this scan, time for at least as many processors again as were
  // found, never less than twice this scan time.
  int LongerScanTimeMs() const;

  // One step; returns the processor confirmed on this step, if any.
  std::optional<DiscoveredDevice> Tick();

 private:
  enum class Phase { kIdle, kSettleFirst, kSettleSecond, kScanning, kFinished };
  enum class State { kAsk, kWaitIdentity, kWaitConfirmation };

  void Ask();
  void ReAsk();
  void WaitIdentity();
  void TakeIdentity(const Bytes& reply);
  void TakeCollision();
  void TakeSilence();
  std::optional<DiscoveredDevice> WaitConfirmation();
  void SendAssignment();

  FrameLink& link_;
  Phase phase_ = Phase::kIdle;
  State state_ = State::kAsk;
  int scan_time_ms_ = 0;
  int time_left_ms_ = 0;
  int ask_wait_ms_ = 0;
  int collisions_ = 0;
  int silent_re_asks_ = 0;
  bool re_asked_ = false;
  bool cycle_answered_ = false;
  bool answering_ = false;
  bool ran_out_ = false;
  int last_find_ms_ = 0;
  bool assignment_resent_ = false;
  ChipIdBytes chip_id_{};
  std::uint8_t devices_found_ = 0;
};

}  // namespace dsp
