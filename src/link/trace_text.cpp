#include "link/trace_text.h"

#include <algorithm>

namespace dsp {
namespace {

std::string Render(ByteView received, bool hex) {
  if (!hex) {
    const auto end = std::find(received.begin(), received.end(), std::uint8_t{0});
    return std::string(received.begin(), end);
  }
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string line;
  line.reserve(received.size() * 3 + 1);
  for (std::uint8_t byte : received) {
    line += kDigits[byte >> 4];
    line += kDigits[byte & 0x0F];
    line += ' ';
  }
  line += '\n';
  return line;
}

}  // namespace

void TraceText::Append(ByteView received, bool hex) {
  const std::string rendered = Render(received, hex);
  std::lock_guard lock(mutex_);
  text_ += rendered;
  DropOldest();
}

std::string TraceText::Take() {
  std::lock_guard lock(mutex_);
  std::string taken;
  taken.swap(text_);
  return taken;
}

void TraceText::DropOldest() {
  if (text_.size() <= kTraceLimit) return;
  std::size_t cut = text_.size() - kTraceLimit;
  // Start the kept text on a whole line when there is one to start on.
  if (text_[cut - 1] != '\n') {
    const std::size_t line_end = text_.find('\n', cut);
    if (line_end != std::string::npos && line_end + 1 < text_.size()) cut = line_end + 1;
  }
  text_.erase(0, cut);
}

}  // namespace dsp
