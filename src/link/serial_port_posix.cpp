#include "link/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

namespace dsp {
namespace {

constexpr int kWriteLimitMs = 1000;

std::string OpenFailure(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
      return path + " does not exist: check that the adapter is plugged in, or choose another port.";
    case ENXIO:
      // The device file is there; what it stands for is not.
      if (path == "/dev/tty") {
        return "/dev/tty is the controlling terminal, and this program has none: name the serial adapter's "
               "device, such as /dev/ttyUSB0.";
      }
      return path + " has no device behind it (" + std::strerror(error) +
             "): check that the adapter is plugged in, or choose another port.";
    case EACCES:
    case EPERM:
      return "Permission denied for " + path +
             ": add your user to the dialout group (sudo adduser $USER dialout), then log in again.";
    case EBUSY:
      return path + " is in use by another program: close that program and try again.";
    default:
      return "Cannot open " + path + ": " + std::strerror(error) + ".";
  }
}

std::string NotASerialPort(const std::string& path) {
  return path + " is not a serial port: choose a serial device such as /dev/ttyUSB0.";
}

// Hang-up, error or a descriptor gone bad: the device is no longer there.
constexpr short kGoneEvents = POLLERR | POLLHUP | POLLNVAL;

}  // namespace

bool CSerialPort::Open(const std::string& path, int baud) {
  std::lock_guard lock(mutex_);
  if (std::optional<std::string> refusal = RefusalBeforeOpenLocked(path, baud)) {
    error_ = *refusal;
    return false;
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error_ = OpenFailure(path, errno);
    return false;
  }
  if (!isatty(fd)) {
    ::close(fd);
    error_ = NotASerialPort(path);
    return false;
  }
  if (!saved_line_.Save(fd) || ioctl(fd, TIOCEXCL) != 0) {
    error_ = "Cannot set up " + path + ": " + std::strerror(errno) + ".";
    ::close(fd);
    return false;
  }
  std::string refused;
  if (!SetRawLine(fd, baud, refused) || !FlushLine(fd)) {
    error_ = "Cannot set " + path + " to " + std::to_string(baud) +
             " baud: " + (refused.empty() ? std::strerror(errno) : refused) + ". Choose a speed the adapter supports.";
    saved_line_.Restore(fd);
    ioctl(fd, TIOCNXCL);
    ::close(fd);
    return false;
  }
  device_ = fd;
  path_ = path;
  error_.clear();
  loss_.reset();
  return true;
}

void CSerialPort::Close() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void CSerialPort::CloseLocked() {
  if (device_ == kNoDevice) return;
  saved_line_.Restore(device_);
  // Exclusive use is a property of the device, not of our descriptor.
  ioctl(device_, TIOCNXCL);
  ::close(device_);
  device_ = kNoDevice;
  path_.clear();
}

void CSerialPort::LoseLocked(int error) {
  loss_ = PortLoss{path_, path_ + " stopped working (" + std::strerror(error) +
                              "): check that the adapter is plugged in, then try again."};
  CloseLocked();
}

std::size_t CSerialPort::Write(ByteView bytes) {
  std::lock_guard lock(mutex_);
  if (device_ == kNoDevice) return 0;
  return WriteLocked(bytes);
}

std::size_t CSerialPort::WriteLocked(ByteView bytes) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteLimitMs);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(device_, bytes.data() + written, bytes.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      LoseLocked(errno);
      break;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd waiting{device_, POLLOUT, 0};
    if (poll(&waiting, 1, static_cast<int>(left)) <= 0) break;
    if (waiting.revents & kGoneEvents) {
      LoseLocked(EIO);
      break;
    }
  }
  return written;
}

// The line is set to return at once, so a read of a hung-up device gives 0
// like an empty one: poll tells the two apart.
std::size_t CSerialPort::Read(std::span<std::uint8_t> into) {
  std::lock_guard lock(mutex_);
  if (device_ == kNoDevice || into.empty()) return 0;
  pollfd state{device_, POLLIN, 0};
  const bool gone = poll(&state, 1, 0) > 0 && (state.revents & kGoneEvents);
  for (;;) {
    const ssize_t n = ::read(device_, into.data(), into.size());
    // What arrived before a hang-up is still handed over; the next read loses the port.
    if (n > 0) return static_cast<std::size_t>(n);
    if (n < 0 && errno == EINTR) continue;
    if (gone || (n < 0 && errno != EAGAIN)) LoseLocked(n < 0 ? errno : EIO);
    return 0;
  }
}

// A port closed meanwhile makes poll return at once (the descriptor is no
// longer valid), and the next read finds the port closed.
void CSerialPort::WaitForBytes(int bound_ms, Sleeper&) {
  int fd = -1;
  {
    std::lock_guard lock(mutex_);
    fd = device_;
  }
  if (fd < 0) return;
  pollfd waiting{fd, POLLIN, 0};
  poll(&waiting, 1, bound_ms);
}

}  // namespace dsp
