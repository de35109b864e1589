#pragma once

// The main window's timers. The window dispatches a timer on the low byte
// of its id alone: a write id (model/write_id.h) carries its kind there and
// what to write in the bits above, the window's own timers are that byte
// and nothing else. The checks below keep the two sets apart, so a new
// write kind cannot take over one of the window's timers unnoticed.

#include <cstdint>

#include "model/write_id.h"

namespace dsp::timer {

inline constexpr std::uint32_t kScan = 140;
inline constexpr std::uint32_t kProcedure = 141;
inline constexpr std::uint32_t kLevelPoll = 142;
inline constexpr std::uint32_t kTrace = 143;
// Watches the send queue while the last edits go out before a close.
inline constexpr std::uint32_t kFlush = 144;

// The kinds the window sends as parameter writes; the rename has its own handler.
inline constexpr WriteKind kParameterWriteKinds[] = {kWriteDelay,    kWriteCompressor, kWriteEqBand,  kWritePinkNoise,
                                                     kWriteFilter,   kWriteGainMute,   kWriteLimiter, kWriteNoiseGate,
                                                     kWritePolarity, kWriteMatrixRow};

namespace check {

inline constexpr std::uint32_t kWindowTimers[] = {kScan, kProcedure, kLevelPoll, kTrace, kFlush};
inline constexpr std::uint32_t kDispatchSpace = 0x100;

constexpr bool AllDistinct() {
  for (std::uint32_t a : kWindowTimers) {
    int same = 0;
    for (std::uint32_t b : kWindowTimers) same += a == b ? 1 : 0;
    if (same != 1) return false;
  }
  return true;
}

constexpr bool AllAbove(std::uint32_t floor) {
  for (std::uint32_t id : kWindowTimers) {
    if (id < floor || id >= kDispatchSpace) return false;
  }
  return true;
}

}  // namespace check

static_assert(kWriteKindsEnd <= check::kDispatchSpace, "a write kind must fit the dispatch byte");
static_assert(check::AllAbove(kWriteKindsEnd), "the window's timers lie above the write kinds, within the byte");
static_assert(check::AllDistinct(), "every window timer has its own id");

}  // namespace dsp::timer
