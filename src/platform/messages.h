#pragma once

#include <cstdint>

namespace dsp {

// Window message numbers. The values are the classic Windows ones because
// the application code (timer kinds, WM_USER + n messages posted between
// dialogs) is written in those terms.
inline constexpr std::uint32_t kWmClose = 0x0010;
inline constexpr std::uint32_t kWmChar = 0x0102;
inline constexpr std::uint32_t kWmTimer = 0x0113;
// Serial ports came or went (posted by whoever watches the devices); the
// wParam says which: a port arrived, or its removal completed.
inline constexpr std::uint32_t kWmDeviceChange = 0x0219;
inline constexpr std::uintptr_t kPortArrival = 0x8000;
inline constexpr std::uintptr_t kPortRemoval = 0x8004;
inline constexpr std::uint32_t kWmUser = 0x0400;

// Virtual key codes carried in the wParam of "direction" notifications.
inline constexpr std::uintptr_t kVkLeft = 37;
inline constexpr std::uintptr_t kVkUp = 38;
inline constexpr std::uintptr_t kVkRight = 39;
inline constexpr std::uintptr_t kVkDown = 40;

// Character codes delivered with kWmChar.
inline constexpr std::uintptr_t kCharEscape = 27;
inline constexpr std::uintptr_t kCharReturn = 13;

// Result codes of modal dialogs and message boxes.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
// ShowModal gave up because the manual test clock ran out of work or time.
inline constexpr int kModalAborted = -1;

}  // namespace dsp
