#include <windows.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "link/serial_port.h"
#include "link/wide_text_win.h"

namespace dsp {
namespace {

constexpr int kHighestCom = 255;

// The COM number of "COM7" or "com7"; nothing for other names.
std::optional<long> ComNumber(const std::string& path) {
  if (path.size() < 4 || path.size() > 12 || _strnicmp(path.c_str(), "COM", 3) != 0) return {};
  for (std::size_t i = 3; i < path.size(); ++i) {
    if (path[i] < '0' || path[i] > '9') return {};
  }
  return std::stol(path.substr(3));
}

std::string OpenFailure(const std::string& path, DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return path + " does not exist: check that the adapter is plugged in, or choose another port.";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return path + " is in use by another program: close that program and try again.";
    default:
      return "Cannot open " + path + ": " + SystemErrorText(error) + ".";
  }
}

std::string NotASerialPort(const std::string& path) {
  return path + " is not a serial port: choose a serial port such as COM3.";
}

// The simulated processors of dspctl --simulate answer on a named pipe.
bool IsPipe(HANDLE device) { return GetFileType(device) == FILE_TYPE_PIPE; }

// Bytes that can be read without waiting; false when the device failed.
bool BytesWaiting(HANDLE device, DWORD& waiting) {
  if (IsPipe(device)) return PeekNamedPipe(device, nullptr, 0, nullptr, &waiting, nullptr);
  COMSTAT status{};
  DWORD errors = 0;
  if (!ClearCommError(device, &errors, &status)) return false;
  waiting = status.cbInQue;
  return true;
}

}  // namespace

bool CSerialPort::Open(const std::string& path, int baud) {
  std::lock_guard lock(mutex_);
  if (std::optional<std::string> refusal = RefusalBeforeOpenLocked(path, baud)) {
    error_ = *refusal;
    return false;
  }
  const std::optional<long> com = ComNumber(path);
  if (com && (*com < 1 || *com > kHighestCom)) {
    error_ = path + " is no serial port name: name one from COM1 to COM255.";
    return false;
  }
  // COM10 and above are reachable only through the device namespace; it serves the others as well.
  const std::string name = com ? "\\\\.\\" + path : path;
  // No sharing: a second program cannot interleave bytes on the bus.
  HANDLE device = CreateFileW(WideText(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (device == INVALID_HANDLE_VALUE) {
    error_ = OpenFailure(path, GetLastError());
    return false;
  }
  if (!IsPipe(device)) {
    if (GetFileType(device) != FILE_TYPE_CHAR || !saved_line_.Save(device)) {
      CloseHandle(device);
      error_ = NotASerialPort(path);
      return false;
    }
    std::string refused;
    if (!SetRawLine(device, baud, refused) || !FlushLine(device)) {
      error_ = "Cannot set " + path + " to " + std::to_string(baud) + " baud: " + refused +
               ". Choose a speed the adapter supports.";
      saved_line_.Restore(device);
      CloseHandle(device);
      return false;
    }
  }
  device_ = device;
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
  CloseHandle(device_);
  device_ = kNoDevice;
  path_.clear();
}

void CSerialPort::LoseLocked(int error) {
  loss_ = PortLoss{path_, path_ + " stopped working (" + SystemErrorText(static_cast<DWORD>(error)) +
                              "): check that the adapter is plugged in, then try again."};
  CloseLocked();
}

std::size_t CSerialPort::Write(ByteView bytes) {
  std::lock_guard lock(mutex_);
  if (device_ == kNoDevice) return 0;
  return WriteLocked(bytes);
}

// The line's write timeout bounds the call; a write cut short by it returns
// what went out, like the Linux port when its second is up.
std::size_t CSerialPort::WriteLocked(ByteView bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD sent = 0;
    if (!WriteFile(device_, bytes.data() + written, static_cast<DWORD>(bytes.size() - written), &sent, nullptr)) {
      LoseLocked(static_cast<int>(GetLastError()));
      break;
    }
    if (sent == 0) break;
    written += sent;
  }
  return written;
}

// A pipe is read only as far as it holds bytes, since reading it waits; a
// COM port returns at once by its timeouts, and an unplugged one fails.
std::size_t CSerialPort::Read(std::span<std::uint8_t> into) {
  std::lock_guard lock(mutex_);
  if (device_ == kNoDevice || into.empty()) return 0;
  DWORD waiting = 0;
  if (!BytesWaiting(device_, waiting)) {
    LoseLocked(static_cast<int>(GetLastError()));
    return 0;
  }
  DWORD wanted = static_cast<DWORD>(into.size());
  if (IsPipe(device_)) wanted = std::min(wanted, waiting);
  if (wanted == 0) return 0;
  DWORD got = 0;
  if (!ReadFile(device_, into.data(), wanted, &got, nullptr)) {
    LoseLocked(static_cast<int>(GetLastError()));
    return 0;
  }
  return got;
}

// Looks every millisecond, holding the port only for the look, so Close
// never waits for the whole bound.
void CSerialPort::WaitForBytes(int bound_ms, Sleeper& sleeper) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(bound_ms);
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      DWORD waiting = 0;
      if (device_ == kNoDevice || !BytesWaiting(device_, waiting) || waiting > 0) return;
    }
    if (Clock::now() >= deadline) return;
    sleeper.SleepMs(1);
  }
}

}  // namespace dsp
