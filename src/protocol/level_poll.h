#pragma once

// Polling every processor's signal levels in turn while no procedure runs.
// Polls and answers are pipelined one tick apart: each tick sends the next
// poll and consumes the answer to an earlier one. A silent processor shows up
// as the link's offline marker. A tick that finds the link busy (writes
// waiting) sends no poll: meters pause during a drag and resume after it.

#include <cstdint>
#include <optional>
#include <string>

#include "link/frame_link.h"
#include "model/device_list.h"

namespace dsp {

struct LevelAnswer {
  int address = 0;
  bool online = false;
};

class LevelPoll {
 public:
  static constexpr int kTickMs = 200;

  explicit LevelPoll(FrameLink& link) : link_(link) {}

  // One tick: sends the poll for the next processor unless the link is busy,
  // and stores the answer it pops into the processor's record. Returns what
  // was popped and used.
  std::optional<LevelAnswer> Tick(DeviceList& devices, bool port_open);
  std::size_t Cursor() const { return cursor_; }

 private:
  FrameLink& link_;
  std::size_t cursor_ = 0;
};

// dB of a level value against the full-scale value, never below the floor.
double LevelDb(std::int64_t value, std::uint32_t full_scale, int floor_db);
// "%.1f dBv".
std::string FormatLevelDb(double db);
// The meter slider's position: dB x 10 rounded up, clamped to its range.
int LevelSliderPosition(double db, int slider_min, int slider_max);

}  // namespace dsp
