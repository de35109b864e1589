#pragma once

// How far a read-all or write-all has come, for the progress line. The
// procedures do not say; the tool counts what they send.

#include <chrono>
#include <cstdint>

#include "link/frame_link.h"
#include "model/configuration.h"
#include "model/device_record.h"

namespace dsp {

// Passes everything on and counts the frames queued.
class CountingLink : public FrameLink {
 public:
  explicit CountingLink(FrameLink& inner) : inner_(inner) {}
  void Send(ByteView frame) override;
  std::optional<Bytes> PopReply() override { return inner_.PopReply(); }
  bool IsSendQueueEmpty() override { return inner_.IsSendQueueEmpty(); }
  int Sent() const { return sent_; }

 private:
  FrameLink& inner_;
  int sent_ = 0;
};

// Requests of the eleven read-all steps: a delay, an equaliser half-pair and
// a polarity per channel, a noise gate, gain and matrix row per input, two
// filters, a compressor and a limiter per output, 17 preset names and the
// output gains.
int ReadAllRequestCount(const DeviceRecord& record);

// Frames the write-all sends for the record, counted by a dry run.
int WriteAllFrameCount(const DeviceRecord& record, const Configuration& config);

// The link sends one frame at a time and pauses 50 ms after each: how many
// of `queued` frames have left after `elapsed` at `baud`, estimated.
int EstimatedFramesOut(int queued, std::chrono::milliseconds elapsed, std::uint32_t baud);

}  // namespace dsp
