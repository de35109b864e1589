#pragma once

// The text the debug window shows: every batch of bytes the link reads outside
// a matched reply, or inside one, rendered as hex lines or as plain text. Only
// the newest kTraceLimit characters are kept, so a trace nobody reads cannot
// grow without end.

#include <cstddef>
#include <mutex>
#include <string>

#include "link/bytes.h"

namespace dsp {

inline constexpr std::size_t kTraceLimit = std::size_t{1} << 20;

class TraceText {
 public:
  // Hex: "41 0D \n" for one batch. Text: the bytes up to the first NUL.
  void Append(ByteView received, bool hex);
  // Takes the text gathered so far and leaves the trace empty.
  std::string Take();

 private:
  void DropOldest();

  std::mutex mutex_;
  std::string text_;
};

}  // namespace dsp
