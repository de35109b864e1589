#pragma once

// A firmware or parameter image sent with YMODEM by the link's transfer
// thread, watched by dspctl as the desktop's progress dialog watches it.

#include <string>

#include "cli/session.h"
#include "link/ymodem_blocks.h"

namespace dsp {

// Sends the file to the processor at `address` and waits for the outcome
// code (0 when the last block and the end were acknowledged). Progress goes
// under `label`.
int RunTransfer(Session& session, const std::string& path, int address, TransferMode mode, const std::string& label);

// The outcome as the desktop words it: "Update Success", "Update Fail",
// "Import Parameter Success", "Import Parameter Fail", or "Time out" when a
// wait for the processor ran out.
std::string TransferOutcome(TransferMode mode, int result);

// What went wrong, for the failure line; empty for success.
std::string TransferFailureDetail(int result);

}  // namespace dsp
