#pragma once

// Copying the processor's stored effect image out, block by block. Each
// answered block is handed to the host and the next request goes out on the
// same tick; more than 150 failed ticks in a row end the read with failure.

#include "link/frame_link.h"
#include "protocol/procedure_host.h"

namespace dsp {

class EffectRead {
 public:
  static constexpr int kFailureLimit = 150;
  static constexpr int kTickMs = 20;

  enum class Progress { kRunning, kDone, kFailed };

  EffectRead(FrameLink& link, ProcedureHost& host) : link_(link), host_(host) {}

  // The block count must be at least 1; the procedure driver refuses 0.
  void Restart(int block_count);
  Progress Tick();

 private:
  enum class State { kReset, kSend, kAwait };

  bool SendBlock();

  FrameLink& link_;
  ProcedureHost& host_;
  int block_count_ = 1;
  State state_ = State::kReset;
  int block_ = 0;
  int failures_ = 0;
  int last_percent_ = 0;
};

}  // namespace dsp
