#include "link/net_port.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "link/net_connect.h"

namespace dsp {
namespace {

constexpr int kConnectLimitMs = 3000;
constexpr int kWriteLimitMs = 1000;

std::string ServerMode(PortKind kind) { return kind == PortKind::kRfc2217 ? "RFC 2217" : "raw TCP"; }

std::string ConnectFailure(const PortName& name, const std::string& reason) {
  return "Cannot connect to " + name.host + " port " + std::to_string(name.tcp_port) + " (" + reason +
         "): check that the device server is on and reachable, and that this port is set to " +
         ServerMode(name.kind) + " mode.";
}

}  // namespace

CNetPort::~CNetPort() { Close(); }

// The connect, which may take seconds, holds no lock: whoever asks the port
// meanwhile (IsOpen from the UI thread, the link's threads) is answered at
// once.
bool CNetPort::Open(const std::string& path, int baud) {
  std::optional<PortName> name;
  {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) {
      error_ = AlreadyOpenLocked();
      return false;
    }
    name = ParseNetworkPortName(path, error_);
    if (!name) return false;
  }
  std::string reason;
  const int fd = ConnectTcp(name->host, name->tcp_port, kConnectLimitMs, reason);
  std::lock_guard lock(mutex_);
  if (fd < 0) {
    error_ = ConnectFailure(*name, reason);
    return false;
  }
  if (fd_ >= 0) {
    ::close(fd);
    error_ = AlreadyOpenLocked();
    return false;
  }
  return TakeConnectionLocked(fd, *name, baud);
}

std::string CNetPort::AlreadyOpenLocked() const { return path_ + " is already open: close it first."; }

bool CNetPort::TakeConnectionLocked(int fd, const PortName& name, int baud) {
  fd_ = fd;
  path_ = name.path;
  telnet_.reset();
  if (name.kind == PortKind::kRfc2217) {
    const Bytes opening = TelnetCodec::Opening(baud);
    if (SendLocked(opening) != opening.size()) {
      CloseLocked();
      error_ = ConnectFailure(name, "it took no line settings");
      return false;
    }
    telnet_.emplace();
  }
  error_.clear();
  loss_.reset();
  return true;
}

void CNetPort::Close() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void CNetPort::CloseLocked() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  path_.clear();
}

bool CNetPort::IsOpen() const {
  std::lock_guard lock(mutex_);
  return fd_ >= 0;
}

std::string CNetPort::Path() const {
  std::lock_guard lock(mutex_);
  return path_;
}

std::string CNetPort::Error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

std::optional<PortLoss> CNetPort::TakeLoss() {
  std::lock_guard lock(mutex_);
  return std::exchange(loss_, std::nullopt);
}

void CNetPort::LoseLocked(const std::string& reason) {
  loss_ = PortLoss{path_, path_ + " stopped working (" + reason +
                              "): check that the device server is on and reachable, then try again."};
  CloseLocked();
}

std::size_t CNetPort::Write(ByteView bytes) {
  std::lock_guard lock(mutex_);
  if (fd_ < 0) return 0;
  if (!telnet_) return SendLocked(bytes);
  const Bytes wire = TelnetCodec::Escape(bytes);
  return TelnetCodec::DataSent(bytes, SendLocked(wire));
}

std::size_t CNetPort::SendLocked(ByteView wire) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteLimitMs);
  std::size_t sent = 0;
  while (sent < wire.size()) {
    const ssize_t n = ::send(fd_, wire.data() + sent, wire.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      LoseLocked(std::strerror(errno));
      break;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd waiting{fd_, POLLOUT, 0};
    if (poll(&waiting, 1, static_cast<int>(left)) <= 0) break;
  }
  return sent;
}

// Telnet commands in what arrived are answered and dropped, so a read may
// take bytes and still hand over none.
std::size_t CNetPort::Read(std::span<std::uint8_t> into) {
  std::lock_guard lock(mutex_);
  if (fd_ < 0 || into.empty()) return 0;
  for (;;) {
    const ssize_t n = ::recv(fd_, into.data(), into.size(), MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
    if (n <= 0) {
      LoseLocked(n == 0 ? "the server closed the connection" : std::strerror(errno));
      return 0;
    }
    if (!telnet_) return static_cast<std::size_t>(n);
    Bytes answers;
    const Bytes data = telnet_->Unescape(ByteView(into.data(), static_cast<std::size_t>(n)), answers);
    if (!answers.empty()) SendLocked(answers);
    std::copy(data.begin(), data.end(), into.begin());
    return data.size();
  }
}

// A port closed meanwhile makes poll return at once (the descriptor is no
// longer valid), and the next read finds the port closed.
void CNetPort::WaitForBytes(int bound_ms, Sleeper&) {
  int fd = -1;
  {
    std::lock_guard lock(mutex_);
    fd = fd_;
  }
  if (fd < 0) return;
  pollfd waiting{fd, POLLIN, 0};
  poll(&waiting, 1, bound_ms);
}

}  // namespace dsp
