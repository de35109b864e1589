#pragma once

// Reading every parameter block of the selected processor into its record:
// eleven steps (delays, preset names, equalisers, noise gates, input gains,
// output filters, compressors, limiters, output gains, polarities, matrix
// rows), one request per tick and its answer on a later tick. A reply is
// taken only when it answers the item asked for (ReplyNamesRequestedItem).
// Reading changes nothing in the processor, so an item still unanswered after
// a few failed ticks is asked for again, at most twice. A step that gets 21
// failed answers in a row ends the whole read with failure; what was stored
// before stays in the record.

#include <cstdint>
#include <vector>

#include "link/exchange.h"
#include "link/frame_link.h"
#include "model/configuration.h"
#include "protocol/procedure_host.h"

namespace dsp {

class ReadAll {
 public:
  static constexpr int kStepCount = 11;
  static constexpr int kFailureLimit = 21;
  // Long enough for the link to have run both attempts of the request
  // (about 330 ms at worst), so that a repeat is not queued behind it.
  static constexpr int kFailuresBeforeRepeat = 4;
  static constexpr int kRepeatsPerItem = 2;
  // Ticks after a request within which an answer to it may still come: the
  // link may take 100 ms to pick it up, writes its second attempt up to
  // 145 ms after the first, and an attempt may be answered kLateAnswerMs
  // after it was written.
  static constexpr int kLateAnswerTicks = (100 + 120 + kRetryPauseMs + kLateAnswerMs + 99) / 100;

  enum class Progress { kRunning, kDone, kFailed };

  ReadAll(FrameLink& link, ProcedureHost& host, const Configuration& config)
      : link_(link), host_(host), config_(config) {}

  void Restart();
  Progress Tick();
  // 1 to 11 while running.
  int Step() const { return step_; }

  // One request of a step and what its answer fills in.
  struct Item {
    int side = 0;
    int channel = 0;
    int sub = 0;  // first band (equalisers) or filter (output filters)
    // No later item of the step would take an answer to this one for its
    // own: its command differs, or its reply names another channel.
    bool told_apart = true;
  };

 private:
  enum class SubState { kReset, kSend, kAwait };

  Progress RunStep();
  void SendCurrent(const DeviceRecord& record);
  Progress Await(DeviceRecord& record);
  void RepeatWhenDue();
  bool StoreReply(ByteView reply, DeviceRecord& record) const;

  FrameLink& link_;
  ProcedureHost& host_;
  const Configuration& config_;
  int step_ = 0;
  SubState sub_state_ = SubState::kReset;
  std::vector<Item> items_;
  std::size_t item_ = 0;
  Bytes request_;
  int failures_ = 0;
  int item_failures_ = 0;
  int repeats_ = 0;
  int ticks_since_request_ = 0;
  int quiet_ticks_ = 0;
};

}  // namespace dsp
