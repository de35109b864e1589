#include "link/line_settings.h"

#include <windows.h>

#include <cstring>

#include "link/wide_text_win.h"

namespace dsp {
namespace {

// What a COM port is found with, and given back on close.
struct WinLine {
  DCB dcb;
  COMMTIMEOUTS timeouts;
};
static_assert(sizeof(WinLine) <= 64, "SavedLine's storage is too small for the DCB and timeouts");

// The serial port bounds a write to about a second, as on Linux.
constexpr DWORD kWriteLimitMs = 1000;

std::string LastError() { return SystemErrorText(GetLastError()); }

}  // namespace

bool SavedLine::Save(NativeDevice device) {
  WinLine line{};
  line.dcb.DCBlength = sizeof line.dcb;
  saved_ = GetCommState(device, &line.dcb) && GetCommTimeouts(device, &line.timeouts);
  if (saved_) std::memcpy(storage_.data(), &line, sizeof line);
  return saved_;
}

void SavedLine::Restore(NativeDevice device) const {
  if (!saved_) return;
  WinLine line{};
  std::memcpy(&line, storage_.data(), sizeof line);
  // After the output has drained, as on Linux: queued bytes must go out at the speed they were written for.
  FlushFileBuffers(device);
  SetCommState(device, &line.dcb);
  SetCommTimeouts(device, &line.timeouts);
}

bool SetRawLine(NativeDevice device, int baud, std::string& reason) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(device, &dcb)) {
    reason = LastError();
    return false;
  }
  dcb.BaudRate = static_cast<DWORD>(baud);
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.Parity = NOPARITY;
  dcb.ByteSize = 8;
  dcb.StopBits = ONESTOPBIT;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  // A read returns at once with what is buffered; a write gives up after the limit.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.WriteTotalTimeoutConstant = kWriteLimitMs;
  if (!SetCommState(device, &dcb) || !SetCommTimeouts(device, &timeouts)) {
    reason = LastError();
    return false;
  }
  return true;
}

bool FlushLine(NativeDevice device) {
  return PurgeComm(device, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
}

}  // namespace dsp
