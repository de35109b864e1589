#include "link/send_queue.h"

#include <algorithm>
#include <array>

#include "link/frame.h"
#include "link/wire_commands.h"

namespace dsp {
namespace {

// A parameter write: its command, its length, and the bytes that together
// with the address tell its target from every other.
struct WriteLayout {
  std::uint8_t command;
  std::size_t length;
  std::array<std::size_t, 3> target_offsets;
  std::size_t target_bytes;
};

constexpr std::array kWriteLayouts{
    WriteLayout{command::kDelayWrite, 24, {5}, 1},         // delay: an input, or all outputs
    WriteLayout{command::kCompressorWrite, 18, {7}, 1},         // compressor: the output's bit
    WriteLayout{command::kEqBandWrite, 18, {5, 6, 14}, 3},  // equaliser band: side and channel, band, output bit
    WriteLayout{command::kHighPassWrite, 12, {7}, 1},         // high pass: the output
    WriteLayout{command::kLowPassWrite, 12, {7}, 1},         // low pass: the output
    WriteLayout{command::kGainWrite, 27, {5, 7}, 2},      // gain and mute (an input, or all outputs), or a matrix row
    WriteLayout{command::kLimiterWrite, 12, {7}, 1},         // limiter: the output's bit
    WriteLayout{command::kNoiseGateWrite, 11, {6}, 1},         // noise gate: the input
    WriteLayout{command::kPolarityWrite, 16, {6}, 1},         // polarity: an input, or all outputs
};

const WriteLayout* LayoutOf(ByteView frame) {
  if (frame.size() < kMinFrameLength || frame[kOffsetKind] != kKindWrite) return nullptr;
  const auto layout = std::find_if(kWriteLayouts.begin(), kWriteLayouts.end(), [&](const WriteLayout& l) {
    return l.command == frame[kOffsetCommand] && l.length == frame.size();
  });
  return layout == kWriteLayouts.end() ? nullptr : &*layout;
}

bool SameTarget(const WriteLayout& layout, ByteView waiting, ByteView newer) {
  if (LayoutOf(waiting) != &layout || waiting[kOffsetAddress] != newer[kOffsetAddress]) return false;
  return std::all_of(layout.target_offsets.begin(), layout.target_offsets.begin() + layout.target_bytes,
                     [&](std::size_t at) { return waiting[at] == newer[at]; });
}

bool IsLevelPoll(ByteView frame) {
  return frame.size() >= kMinFrameLength && frame[kOffsetKind] == kKindRequest &&
         frame[kOffsetCommand] == command::kLevelPoll;
}

// Whether a newer write may go out before this waiting frame. A preset
// recall or save, a read, a transfer's start: the processor must see the
// writes before them in their order.
bool MayBePassed(ByteView waiting) { return LayoutOf(waiting) != nullptr || IsLevelPoll(waiting); }

// The waiting write for the same target that the newer write may replace.
Bytes* WaitingWriteFor(std::deque<Bytes>& queue, const WriteLayout& layout, ByteView newer) {
  for (auto waiting = queue.rbegin(); waiting != queue.rend() && MayBePassed(*waiting); ++waiting) {
    if (SameTarget(layout, *waiting, newer)) return &*waiting;
  }
  return nullptr;
}

}  // namespace

Queued EnqueueFrame(std::deque<Bytes>& queue, ByteView frame) {
  if (frame.size() <= kOffsetLength || frame[kOffsetLength] > frame.size()) return Queued::kIgnored;
  const ByteView whole = frame.first(frame[kOffsetLength]);
  if (const WriteLayout* layout = LayoutOf(whole)) {
    // A write behind a recall or save is queued even when an identical one
    // waits before it: it must be applied after that preset action.
    Bytes* waiting = WaitingWriteFor(queue, *layout, whole);
    if (waiting == nullptr) {
      queue.emplace_back(whole.begin(), whole.end());
      return Queued::kAppended;
    }
    if (std::ranges::equal(*waiting, whole)) return Queued::kIgnored;
    waiting->assign(whole.begin(), whole.end());
    return Queued::kReplaced;
  }
  const bool waiting =
      std::any_of(queue.begin(), queue.end(), [&](const Bytes& queued) { return std::ranges::equal(queued, whole); });
  if (waiting) return Queued::kIgnored;
  queue.emplace_back(whole.begin(), whole.end());
  return Queued::kAppended;
}

}  // namespace dsp
