#include "cli/transfer_run.h"

#include "cli/cli_failure.h"
#include "cli/tick_loop.h"
#include "link/ymodem.h"

namespace dsp {
namespace {

// The desktop's progress dialog looks this often.
constexpr int kWatchPeriodMs = 200;

}  // namespace

int RunTransfer(Session& session, const std::string& path, int address, TransferMode mode, const std::string& label) {
  CUart& link = session.link();
  if (!link.StartTransfer(path, static_cast<std::uint8_t>(address), mode)) {
    throw CliFailure("cannot send " + path + ": it could not be opened for reading");
  }
  ProgressLine& progress = session.console().progress();
  progress.Begin(label);
  int result = kTransferDone;
  WaitUntil(session.clock(), kWatchPeriodMs, [&] {
    const TransferProgress now = link.Progress();
    if (now.pending) {
      progress.Show(TransferPercent(now));
      return false;
    }
    result = now.result;
    return true;
  });
  if (result == kTransferDone) progress.Finish();
  return result;
}

std::string TransferFailureDetail(int result) {
  switch (result) {
    case kTransferDone:
      return "";
    case kTransferStartShort:
      return "the start frame could not be written; check the port";
    case kTransferFileError:
      return "the file could not be read to the end; check it and try again";
    case kTransferNoCrcRequest:
      return "the processor's loader did not ask for the data; power it again and retry";
    case kTransferBlockShort:
      return "a block could not be written; check the port";
    case kTransferNoAck:
      return "the processor did not acknowledge a block; power it again and retry";
    case kTransferEotShort:
      return "the end of the transfer could not be written; check the port";
    default:
      return "the transfer ended with code " + std::to_string(result);
  }
}

}  // namespace dsp
