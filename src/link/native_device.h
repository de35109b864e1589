#pragma once

// How the operating system names an open serial device: a file descriptor on
// POSIX systems, a HANDLE on Windows. The one place the link's shared headers
// tell the two apart; each system's code lives in its own *_posix / *_win file.

namespace dsp {

#ifdef _WIN32
using NativeDevice = void*;
inline constexpr NativeDevice kNoDevice = nullptr;
#else
using NativeDevice = int;
inline constexpr NativeDevice kNoDevice = -1;
#endif

}  // namespace dsp
