#include "link/transfer_progress.h"

#include <algorithm>

#include "link/ymodem.h"

namespace dsp {

int TransferPercent(const TransferProgress& progress) {
  if (progress.size == 0) return 0;
  const std::uint64_t percent = std::uint64_t{progress.blocks_taken} * kDataBlockSize * 100 / progress.size;
  return static_cast<int>(std::min<std::uint64_t>(percent, 100));
}

std::string TransferOutcome(TransferMode mode, int result) {
  const bool firmware = mode == TransferMode::kFirmware;
  if (result == kTransferDone) return firmware ? "Update Success" : "Import Parameter Success";
  if (result == kTransferNoCrcRequest || result == kTransferNoAck) return "Time out";
  return firmware ? "Update Fail" : "Import Parameter Fail";
}

}  // namespace dsp
