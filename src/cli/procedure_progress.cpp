#include "cli/procedure_progress.h"

#include <algorithm>

#include "protocol/write_all.h"

namespace dsp {
namespace {

constexpr int kPresetNameRequests = kPresetSlots;
constexpr int kOutputGainsRequests = 1;
constexpr int kLinkPauseMs = 50;
// An equaliser band write, the commonest frame of a write-all, in bytes.
constexpr int kTypicalWriteBytes = 18;
constexpr int kBitsPerByte = 10;  // 8N1

// Takes frames and is always drained: the write-all runs through at once.
class NullLink : public FrameLink {
 public:
  void Send(ByteView) override {}
  std::optional<Bytes> PopReply() override { return std::nullopt; }
  bool IsSendQueueEmpty() override { return true; }
};

}  // namespace

void CountingLink::Send(ByteView frame) {
  ++sent_;
  inner_.Send(frame);
}

int ReadAllRequestCount(const DeviceRecord& record) {
  const int inputs = record.Inputs();
  const int outputs = record.Outputs();
  const int per_channel = 1 + 2 + 1;  // delay, two equaliser halves, polarity
  const int per_input = 1 + 1 + 1;    // noise gate, gain, matrix row
  const int per_output = 2 + 1 + 1;   // two filters, compressor, limiter
  return kPresetNameRequests + kOutputGainsRequests + per_channel * (inputs + outputs) + per_input * inputs +
         per_output * outputs;
}

int WriteAllFrameCount(const DeviceRecord& record, const Configuration& config) {
  const DeviceList devices{record};
  NullLink null_link;
  CountingLink counting(null_link);
  WriteAll write_all(counting, devices, config);
  write_all.Restart(static_cast<std::uint8_t>(record.Address()));
  while (!write_all.Tick()) {
  }
  return counting.Sent();
}

int EstimatedFramesOut(int queued, std::chrono::milliseconds elapsed, std::uint32_t baud) {
  const double frame_ms = kLinkPauseMs + 1000.0 * kTypicalWriteBytes * kBitsPerByte / std::max<std::uint32_t>(baud, 1);
  return std::min(queued, static_cast<int>(static_cast<double>(elapsed.count()) / frame_ms));
}

}  // namespace dsp
