#include "sim_port_link.h"

#include <algorithm>
#include <chrono>

#include "link/ymodem.h"

namespace dsp::test {

void SimPortLink::CatchUp() {
  const std::chrono::microseconds now = std::chrono::milliseconds(clock_.NowMs());
  if (bus_.Now() < now) bus_.Advance(now - bus_.Now());
}

// A closed link drops what it is given, as the serial link does.
void SimPortLink::Send(ByteView frame) {
  if (!open_) return;
  sent.emplace_back(frame.begin(), frame.end());
  if (port_ != kPort) return;
  CatchUp();
  link_.Send(frame);
}

std::optional<Bytes> SimPortLink::PopReply() {
  if (!open_ || port_ != kPort) return std::nullopt;
  CatchUp();
  return link_.PopReply();
}

bool SimPortLink::IsSendQueueEmpty() {
  if (on_queue_look) on_queue_look();
  if (!open_ || port_ != kPort) return true;
  if (clock_.NowMs() < queue_busy_until_ms) return false;
  CatchUp();
  return link_.IsSendQueueEmpty();
}

bool SimPortLink::Open(const std::string& port, int baud) {
  const bool exists = (port == kPort && present_) ||
                      std::find(other_ports.begin(), other_ports.end(), port) != other_ports.end();
  if (open_ || !exists) {
    error_ = open_ ? "a port is already open" : port + " does not exist";
    return false;
  }
  open_ = true;
  port_ = port;
  open_baud = baud;
  return true;
}

// As the serial link does, the transfer waits for the queued exchanges and
// then has the line to itself.
bool SimPortLink::StartTransfer(const std::string& path, std::uint8_t address, TransferMode mode) {
  progress_ = TransferProgress{};
  progress_.mode = mode;
  Ymodem sender;
  if (!sender.OpenFile(path)) {
    progress_.result = kTransferFileError;
    return false;
  }
  if (!open_ || port_ != kPort) {
    progress_.result = kTransferStartShort;
    return true;
  }
  CatchUp();
  link_.Flush();
  progress_.result = sender.Send(address, mode, bus_.host_port(), bus_.host_sleeper());
  return true;
}

std::vector<std::string> SimPortLink::OpenablePorts(int) {
  std::vector<std::string> ports;
  if (present_) ports.push_back(kPort);
  ports.insert(ports.end(), other_ports.begin(), other_ports.end());
  return ports;
}

}  // namespace dsp::test
