// The Windows build has no network ports yet (its sockets are not the POSIX
// ones net_port.cpp uses): a tcp:// or rfc2217:// name is refused at open
// with what to name instead, and the port, never open, takes every call as a
// closed port does.
#include "link/net_port.h"

namespace dsp {

CNetPort::~CNetPort() = default;

bool CNetPort::Open(const std::string& path, int) {
  std::lock_guard lock(mutex_);
  error_ = "Cannot open " + path +
           ": this Windows build has no network ports yet. Name a local port (COM1 to COM255) instead.";
  return false;
}

void CNetPort::Close() {}

bool CNetPort::IsOpen() const { return false; }

std::string CNetPort::Path() const { return {}; }

std::string CNetPort::Error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

std::optional<PortLoss> CNetPort::TakeLoss() { return std::nullopt; }

std::size_t CNetPort::Write(ByteView) { return 0; }

std::size_t CNetPort::Read(std::span<std::uint8_t>) { return 0; }

void CNetPort::WaitForBytes(int bound_ms, Sleeper& sleeper) { sleeper.SleepMs(bound_ms); }

}  // namespace dsp
