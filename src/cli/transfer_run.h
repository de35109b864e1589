#pragma once

// A firmware or parameter image sent with YMODEM by the link's transfer
// thread, watched by dspctl as the desktop's progress dialog watches it.

#include <string>

#include "cli/session.h"
#include "link/transfer_progress.h"

namespace dsp {

// Sends the file to the processor at `address` and waits for the outcome
// code (0 when the last block and the end were acknowledged). Progress goes
// under `label`.
int RunTransfer(Session& session, const std::string& path, int address, TransferMode mode, const std::string& label);

// What went wrong, for the failure line; empty for success.
std::string TransferFailureDetail(int result);

}  // namespace dsp
