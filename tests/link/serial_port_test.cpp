#include "link/serial_port.h"

#include <asm/termbits.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "../support/temp_dir.h"
#include "link/port_list.h"
#include "pty_peer.h"

namespace dsp {
namespace {

using test::Pty;
using testing::TempDir;

std::size_t ReadAvailable(int fd, Bytes& into) {
  std::uint8_t buffer[256];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  if (n > 0) into.insert(into.end(), buffer, buffer + n);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

termios2 LineOf(int fd) {
  termios2 line{};
  EXPECT_EQ(ioctl(fd, TCGETS2, &line), 0);
  return line;
}

// Rates outside the named speed table are ordinary on other systems' ports
// (14400, 56000, 128000, 256000); the driver is asked for them as they are.
TEST(SerialPortOpen, AnyPositiveRateIsSetAndNonsenseIsRefused) {
  Pty pty;
  for (const int baud : {9600, 14400, 56000, 128000, 256000}) {
    CSerialPort port;
    ASSERT_TRUE(port.Open(pty.SlavePath(), baud)) << baud << ": " << port.Error();
    const termios2 line = LineOf(pty.Slave());
    EXPECT_EQ(std::make_pair(line.c_ospeed, line.c_ispeed), std::make_pair(speed_t(baud), speed_t(baud)));
  }
  CSerialPort port;
  EXPECT_FALSE(port.Open(pty.SlavePath(), 0));
  EXPECT_NE(port.Error().find("0 baud is no serial speed"), std::string::npos) << port.Error();
  EXPECT_FALSE(port.Open(""));
  EXPECT_FALSE(port.Error().empty());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Path(), "");
}

// A process without a controlling terminal (a service, a cron job) gets
// ENXIO for /dev/tty: the file exists, so "does not exist" misled.
TEST(SerialPortOpen, ControllingTerminalOfAProcessWithoutOneIsNamedAsSuch) {
  int answer[2];
  ASSERT_EQ(pipe(answer), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    setsid();  // leaves the controlling terminal behind
    CSerialPort port;
    const std::string error = port.Open("/dev/tty") ? "opened" : port.Error();
    const ssize_t ignored = write(answer[1], error.data(), error.size());
    static_cast<void>(ignored);
    _exit(0);
  }
  close(answer[1]);
  std::string error;
  char buffer[256];
  for (ssize_t n; (n = read(answer[0], buffer, sizeof buffer)) > 0;) error.append(buffer, static_cast<std::size_t>(n));
  close(answer[0]);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(error,
            "/dev/tty is the controlling terminal, and this program has none: name the serial adapter's device, such "
            "as /dev/ttyUSB0.");
}

// A probed port, or a terminal named by mistake, must not be left raw.
TEST(SerialPortOpen, SetsRaw8N1ExclusiveAndFlushedThenCloseGivesTheOldLineBack) {
  Pty pty;
  termios2 cooked = LineOf(pty.Slave());
  cooked.c_lflag |= ICANON | ECHO;
  cooked.c_cflag = (cooked.c_cflag & ~(CSIZE | CBAUD)) | CS7 | PARENB | CSTOPB | B1200;
  ASSERT_EQ(ioctl(pty.Slave(), TCSETS2, &cooked), 0);
  cooked = LineOf(pty.Slave());
  const Bytes stale{0x55, 0x66};
  pty.Write(stale);
  CSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath(), 9600)) << port.Error();
  EXPECT_EQ(port.Path(), pty.SlavePath());

  const termios2 raw = LineOf(pty.Slave());
  EXPECT_EQ(std::make_tuple(raw.c_cflag & CSIZE, raw.c_cflag & (PARENB | CSTOPB | CRTSCTS),
                            raw.c_lflag & (ICANON | ECHO), raw.c_ospeed),
            std::make_tuple(static_cast<tcflag_t>(CS8), 0u, 0u, 9600u));
  int exclusive = 0;
  ASSERT_EQ(ioctl(pty.Slave(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1);
  std::uint8_t buffer[16];
  EXPECT_EQ(port.Read(buffer), 0u) << "bytes from before the open must be flushed";

  port.Close();
  ASSERT_EQ(ioctl(pty.Slave(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0) << "a closed port is free for others";
  const termios2 after = LineOf(pty.Slave());
  EXPECT_EQ(std::make_tuple(after.c_lflag, after.c_cflag, after.c_ospeed),
            std::make_tuple(cooked.c_lflag, cooked.c_cflag, cooked.c_ospeed));
}

TEST(SerialPortIo, BytesPassBothWaysAndReadsDoNotWait) {
  Pty pty;
  CSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath()));
  std::uint8_t buffer[64];
  EXPECT_EQ(port.Read(buffer), 0u);

  const Bytes out{0xA5, 0x06, 0xF2, 0x00, 0xE1, 0xD9};
  EXPECT_EQ(port.Write(out), out.size());
  Bytes at_peer;
  while (at_peer.size() < out.size() && ReadAvailable(pty.Master(), at_peer) > 0) {
  }
  EXPECT_EQ(at_peer, out);

  pty.Write(Bytes{0x10, 0x00, 0x20});
  std::size_t got = 0;
  for (int tries = 0; tries < 100 && got == 0; ++tries) {
    got = port.Read(buffer);
    if (got == 0) usleep(1000);
  }
  EXPECT_EQ(Bytes(buffer, buffer + got), (Bytes{0x10, 0x00, 0x20}));
}

TEST(SerialPortIo, WriteToAPeerThatNeverReadsGivesUpWithAShortCount) {
  Pty pty;
  CSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath()));
  const Bytes flood(4 << 20, 0x5A);
  EXPECT_LT(port.Write(flood), flood.size());
}

// A read of a vanished device looks like an empty one; the port must notice,
// close, and say so once.
TEST(SerialPortIo, HungUpDeviceIsClosedAndItsLossReportedOnce) {
  for (const bool by_write : {false, true}) {
    Pty pty;
    CSerialPort port;
    ASSERT_TRUE(port.Open(pty.SlavePath()));
    EXPECT_FALSE(port.TakeLoss());
    pty.HangUp();
    std::uint8_t buffer[16];
    if (by_write) {
      EXPECT_LT(port.Write(Bytes{1, 2, 3}), 3u);
    } else {
      EXPECT_EQ(port.Read(buffer), 0u);
    }
    EXPECT_FALSE(port.IsOpen()) << (by_write ? "write" : "read");
    const std::optional<PortLoss> loss = port.TakeLoss();
    ASSERT_TRUE(loss);
    EXPECT_EQ(loss->path, pty.SlavePath());
    EXPECT_NE(loss->message.find(pty.SlavePath() + " stopped working"), std::string::npos) << loss->message;
    EXPECT_FALSE(port.TakeLoss());
    EXPECT_EQ(port.Write(Bytes{1}), 0u);
  }
}

TEST(PortList, FamiliesInOrderAndUnitsNumerically) {
  TempDir dev;
  for (const char* name : {"ttyS10", "rfcomm0", "ttyUSB10", "ttyAMA0", "ttyS2", "ttyACM0", "ttyUSB2", "ttyUSBx", "ttyS",
                           "sda1", "tty0", "ttyprintk"}) {
    dev.Write(name, std::string());
  }
  std::vector<std::string> names;
  for (const std::string& path : CandidatePorts(dev.path().string())) {
    names.push_back(std::filesystem::path(path).filename().string());
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS2", "ttyS10", "ttyAMA0", "rfcomm0"}));
  EXPECT_TRUE(CandidatePorts((dev.path() / "missing").string()).empty());
}

TEST(PortList, OnlyDevicesThatOpenAreOffered) {
  TempDir dev;
  Pty pty;
  std::filesystem::create_symlink(pty.SlavePath(), dev.path() / "ttyACM3");
  dev.Write("ttyUSB0", Bytes{0});
  const termios2 before = LineOf(pty.Slave());
  EXPECT_EQ(OpenablePorts(kDefaultBaud, dev.path().string()),
            (std::vector<std::string>{(dev.path() / "ttyACM3").string()}));
  EXPECT_EQ(LineOf(pty.Slave()).c_ospeed, before.c_ospeed) << "probing changed the line";
  // Probing leaves the device free for the link to open.
  CSerialPort port;
  EXPECT_TRUE(port.Open((dev.path() / "ttyACM3").string())) << port.Error();
}

}  // namespace
}  // namespace dsp
