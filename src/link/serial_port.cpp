#include "link/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <utility>

namespace dsp {
namespace {

constexpr int kWriteLimitMs = 1000;

constexpr std::pair<int, speed_t> kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

std::optional<speed_t> SpeedOf(int baud) {
  for (const auto& [rate, speed] : kSpeeds) {
    if (rate == baud) return speed;
  }
  return std::nullopt;
}

std::string OpenFailure(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return path + " does not exist: check that the adapter is plugged in, or choose another port.";
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

// Raw bytes, 8 data bits, no parity, one stop bit, no flow control, and reads
// that return at once with whatever has arrived.
bool ConfigureLine(int fd, speed_t speed) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0) return false;
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

bool IsStandardBaud(int baud) { return SpeedOf(baud).has_value(); }

CSerialPort::~CSerialPort() { Close(); }

bool CSerialPort::Open(const std::string& path, int baud) {
  std::lock_guard lock(mutex_);
  if (fd_ >= 0) {
    error_ = path_ + " is already open: close it first.";
    return false;
  }
  if (path.empty()) {
    error_ = "No port chosen: choose a serial port.";
    return false;
  }
  const std::optional<speed_t> speed = SpeedOf(baud);
  if (!speed) {
    error_ = std::to_string(baud) +
             " baud is not a standard serial speed: choose one such as 9600, 19200, 38400, 57600 or 115200.";
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
  if (ioctl(fd, TIOCEXCL) != 0 || !ConfigureLine(fd, *speed) || tcflush(fd, TCIOFLUSH) != 0) {
    error_ = "Cannot set up " + path + ": " + std::strerror(errno) + ".";
    ::close(fd);
    return false;
  }
  fd_ = fd;
  path_ = path;
  error_.clear();
  return true;
}

void CSerialPort::Close() {
  std::lock_guard lock(mutex_);
  CloseLocked();
}

void CSerialPort::CloseLocked() {
  if (fd_ < 0) return;
  // Exclusive use is a property of the device, not of our descriptor.
  ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
  path_.clear();
}

bool CSerialPort::IsOpen() const {
  std::lock_guard lock(mutex_);
  return fd_ >= 0;
}

std::string CSerialPort::Path() const {
  std::lock_guard lock(mutex_);
  return path_;
}

std::string CSerialPort::Error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

std::size_t CSerialPort::Write(ByteView bytes) {
  std::lock_guard lock(mutex_);
  if (fd_ < 0) return 0;
  return WriteLocked(bytes);
}

std::size_t CSerialPort::WriteLocked(ByteView bytes) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteLimitMs);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) break;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd waiting{fd_, POLLOUT, 0};
    if (poll(&waiting, 1, static_cast<int>(left)) <= 0 || (waiting.revents & (POLLERR | POLLHUP | POLLNVAL))) break;
  }
  return written;
}

std::size_t CSerialPort::Read(std::span<std::uint8_t> into) {
  std::lock_guard lock(mutex_);
  if (fd_ < 0 || into.empty()) return 0;
  for (;;) {
    const ssize_t n = ::read(fd_, into.data(), into.size());
    if (n > 0) return static_cast<std::size_t>(n);
    // Nothing buffered (EAGAIN), or the device went away (EIO): nothing read.
    if (n < 0 && errno == EINTR) continue;
    return 0;
  }
}

}  // namespace dsp
