#pragma once

// Reading every parameter block of the selected processor into its record:
// eleven steps (delays, preset names, equalisers, noise gates, input gains,
// output filters, compressors, limiters, output gains, polarities, matrix
// rows), one request per tick and its answer on a later tick. A step that
// gets 21 failed answers in a row ends the whole read with failure; what was
// stored before stays in the record.

#include <cstdint>
#include <vector>

#include "link/frame_link.h"
#include "model/configuration.h"
#include "protocol/procedure_host.h"

namespace dsp {

class ReadAll {
 public:
  static constexpr int kStepCount = 11;
  static constexpr int kFailureLimit = 21;

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
  };

 private:
  enum class SubState { kReset, kSend, kAwait };

  Progress RunStep();
  void SendCurrent(const DeviceRecord& record);
  bool StoreReply(ByteView reply, DeviceRecord& record) const;

  FrameLink& link_;
  ProcedureHost& host_;
  const Configuration& config_;
  int step_ = 0;
  SubState sub_state_ = SubState::kReset;
  std::vector<Item> items_;
  std::size_t item_ = 0;
  int failures_ = 0;
};

}  // namespace dsp
