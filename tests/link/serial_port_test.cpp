#include "link/serial_port.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>

#include "link/port_list.h"
#include "pty_peer.h"
#include "temp_dir.h"

namespace dsp {
namespace {

using test::Pty;
using test::TempDir;

std::size_t ReadAvailable(int fd, Bytes& into) {
  std::uint8_t buffer[256];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  if (n > 0) into.insert(into.end(), buffer, buffer + n);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

// Missing devices and plain files are refused through the link's own tests.
TEST(SerialPortOpen, OddSpeedAndNoPathAreRefused) {
  CSerialPort port;
  Pty pty;
  EXPECT_FALSE(port.Open(pty.SlavePath(), 115201));
  EXPECT_NE(port.Error().find("115201 baud is not a standard serial speed"), std::string::npos) << port.Error();

  EXPECT_FALSE(port.Open(""));
  EXPECT_FALSE(port.Error().empty());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Path(), "");
}

TEST(SerialPortOpen, SetsRaw8N1AtTheSpeedAndFlushesOldBytes) {
  Pty pty;
  termios cooked{};
  ASSERT_EQ(tcgetattr(pty.Slave(), &cooked), 0);
  cooked.c_lflag |= ICANON | ECHO;
  cooked.c_cflag = (cooked.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB;
  cfsetspeed(&cooked, B1200);
  ASSERT_EQ(tcsetattr(pty.Slave(), TCSANOW, &cooked), 0);
  const Bytes stale{0x55, 0x66};
  pty.Write(stale);
  CSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath(), 9600)) << port.Error();
  EXPECT_EQ(port.Path(), pty.SlavePath());

  termios tio{};
  ASSERT_EQ(tcgetattr(pty.Slave(), &tio), 0);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));

  int exclusive = 0;
  ASSERT_EQ(ioctl(pty.Slave(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1);

  std::uint8_t buffer[16];
  EXPECT_EQ(port.Read(buffer), 0u) << "bytes from before the open must be flushed";

  port.Close();
  ASSERT_EQ(ioctl(pty.Slave(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0) << "a closed port is free for others";
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

TEST(SerialPortIo, HungUpDeviceReadsAndWritesNothing) {
  Pty pty;
  CSerialPort port;
  ASSERT_TRUE(port.Open(pty.SlavePath()));
  pty.HangUp();
  std::uint8_t buffer[16];
  EXPECT_EQ(port.Read(buffer), 0u);
  EXPECT_LT(port.Write(Bytes{1, 2, 3}), 3u);
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Write(Bytes{1}), 0u);
}

TEST(PortList, FamiliesInOrderAndUnitsNumerically) {
  TempDir dev;
  for (const char* name : {"ttyS10", "rfcomm0", "ttyUSB10", "ttyAMA0", "ttyS2", "ttyACM0", "ttyUSB2", "ttyUSBx",
                           "ttyS", "sda1", "tty0", "ttyprintk"}) {
    dev.WriteFile(name, {});
  }
  std::vector<std::string> names;
  for (const std::string& path : CandidatePorts(dev.Path().string())) {
    names.push_back(std::filesystem::path(path).filename().string());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS2", "ttyS10", "ttyAMA0",
                                             "rfcomm0"}));
  EXPECT_TRUE(CandidatePorts((dev.Path() / "missing").string()).empty());
}

TEST(PortList, OnlyDevicesThatOpenAreOffered) {
  TempDir dev;
  Pty pty;
  std::filesystem::create_symlink(pty.SlavePath(), dev.Path() / "ttyACM3");
  dev.WriteFile("ttyUSB0", Bytes{0});
  EXPECT_EQ(OpenablePorts(kDefaultBaud, dev.Path().string()),
            (std::vector<std::string>{(dev.Path() / "ttyACM3").string()}));
  // Probing leaves the device free for the link to open.
  CSerialPort port;
  EXPECT_TRUE(port.Open((dev.Path() / "ttyACM3").string())) << port.Error();
}

}  // namespace
}  // namespace dsp
