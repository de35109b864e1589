#include "link/line_settings.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace dsp {
namespace {

static_assert(sizeof(termios2) <= 64, "SavedLine's storage is too small for termios2");

constexpr std::pair<int, unsigned> kNamedSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

// The named speed of `baud`, or BOTHER with the rate in c_ispeed/c_ospeed.
unsigned SpeedBits(int baud) {
  for (const auto& [rate, bits] : kNamedSpeeds) {
    if (rate == baud) return bits;
  }
  return BOTHER;
}

}  // namespace

bool SavedLine::Save(NativeDevice fd) {
  termios2 line{};
  saved_ = ioctl(fd, TCGETS2, &line) == 0;
  if (saved_) std::memcpy(storage_.data(), &line, sizeof line);
  return saved_;
}

void SavedLine::Restore(NativeDevice fd) const {
  if (!saved_) return;
  termios2 line{};
  std::memcpy(&line, storage_.data(), sizeof line);
  // After the output has drained: bytes still queued would otherwise go out
  // under the restored settings (another speed, output processing on).
  ioctl(fd, TCSETSW2, &line);
}

bool SetRawLine(NativeDevice fd, int baud, std::string& reason) {
  termios2 line{};
  if (ioctl(fd, TCGETS2, &line) != 0) {
    reason = std::strerror(errno);
    return false;
  }
  line.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
  line.c_oflag &= ~OPOST;
  line.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  line.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS | CBAUD | (CBAUD << IBSHIFT));
  const unsigned speed = SpeedBits(baud);
  line.c_cflag |= CS8 | CLOCAL | CREAD | speed | (speed << IBSHIFT);
  line.c_ispeed = static_cast<speed_t>(baud);
  line.c_ospeed = static_cast<speed_t>(baud);
  line.c_cc[VMIN] = 0;
  line.c_cc[VTIME] = 0;
  if (ioctl(fd, TCSETS2, &line) != 0) {
    reason = std::strerror(errno);
    return false;
  }
  return true;
}

bool FlushLine(NativeDevice fd) { return ioctl(fd, TCFLSH, TCIOFLUSH) == 0; }

}  // namespace dsp
