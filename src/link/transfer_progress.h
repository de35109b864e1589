#pragma once

// What a watcher of a firmware or parameter-image transfer reads while it
// runs, and how the outcome is worded to the user. The desktop's progress
// dialog and dspctl both watch a transfer this way.

#include <cstdint>
#include <string>

#include "link/ymodem_blocks.h"

namespace dsp {

struct TransferProgress {
  bool pending = false;  // cleared when the transfer has ended, whatever its outcome
  TransferMode mode = TransferMode::kFirmware;
  int result = 0;  // the outcome code once pending is clear
  std::uint32_t blocks_taken = 0;
  std::uint32_t size = 0;
};

// 0..100. Counted before a block goes out, so the block in flight shows;
// an empty file shows 0 until its transfer ends, as nothing of it is sent.
int TransferPercent(const TransferProgress& progress);

// "Update Success", "Update Fail", "Import Parameter Success",
// "Import Parameter Fail", or "Time out" when a wait for the processor ran
// out.
std::string TransferOutcome(TransferMode mode, int result);

}  // namespace dsp
