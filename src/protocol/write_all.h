#pragma once

// Replaying a whole record to its processor as a paced stream of writes:
// each channel's frames are queued at once and followed by a pause of about
// 900 ms, inputs first, then outputs; the write ends when the link's send
// queue has drained. Nothing is read back, so it cannot fail.

#include <cstdint>

#include "link/frame_link.h"
#include "model/configuration.h"
#include "model/device_list.h"
#include "model/write_id.h"

namespace dsp {

class WriteAll {
 public:
  static constexpr int kPauseMs = 800;
  static constexpr int kTickMs = 100;

  WriteAll(FrameLink& link, const DeviceList& devices, const Configuration& config)
      : link_(link), devices_(devices), config_(config) {}

  // The processor whose record is replayed; 0 when there is none.
  void Restart(std::uint8_t target_address);
  // Returns true when every frame has left the send queue.
  bool Tick();

 private:
  enum class State { kEmit, kPause, kDrain };

  void EmitChannel(const DeviceRecord& target);
  void EmitInput(const DeviceRecord& target, int channel);
  void EmitOutput(const DeviceRecord& target, int channel);
  void Emit(WriteId id, const DeviceRecord& target);
  void Advance(const DeviceRecord* target);

  FrameLink& link_;
  const DeviceList& devices_;
  const Configuration& config_;
  std::uint8_t target_ = 0;
  State state_ = State::kEmit;
  int side_ = 0;
  int channel_ = 0;
  int pause_ms_ = 0;
};

}  // namespace dsp
