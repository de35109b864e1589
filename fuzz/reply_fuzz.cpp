// Reply framing and every reader of a processor's replies, fed the bytes of
// one read: the frame search, the match against each kind of request, the
// parameter readers into a full-size record, and the scan's reading of
// discovery answers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "link/frame.h"
#include "link/frame_link.h"
#include "model/configuration.h"
#include "model/device_record.h"
#include "protocol/bus_scan.h"
#include "protocol/replies.h"

namespace {

using namespace dsp;

// Hands the scan whatever frames the test puts in.
class QueueLink : public FrameLink {
 public:
  std::deque<Bytes> replies;
  void Send(ByteView) override {}
  std::optional<Bytes> PopReply() override {
    if (replies.empty()) return std::nullopt;
    Bytes front = std::move(replies.front());
    replies.pop_front();
    return front;
  }
  bool IsSendQueueEmpty() override { return true; }
};

// The offsets within what the configuration reader lets through.
Configuration ConfigFrom(ByteView head) {
  Configuration config;
  if (head.size() >= 4) {
    config.drc_offset = (head[0] | head[1] << 8) % (kMaxDrcOffset + 1);
    config.limit_offset = head[2];
    config.noisegate_offset = head[3];
  }
  return config;
}

void ReadEverything(ByteView reply, const Configuration& config) {
  DeviceRecord record(1, ChipIdBytes{}, 8, 8, "Fuzz");
  for (int side = 0; side < 2; ++side) {
    StoreDelayReply(reply, side, record);
    StorePolarityReply(reply, side, record);
    StoreEqReply(reply, side, 0, record);
    StoreEqReply(reply, side, 16, record);
  }
  for (int preset = 0; preset < 17; ++preset) StorePresetNameReply(reply, preset, record);
  StoreNoiseGateReply(reply, record, config);
  StoreInputGainReply(reply, record);
  StoreFilterReply(reply, 0, record);
  StoreFilterReply(reply, 1, record);
  StoreCompressorReply(reply, record, config);
  StoreLimiterReply(reply, record, config);
  StoreOutputGainsReply(reply, record);
  StoreMatrixRowReply(reply, record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteView input(data, size);
  const Configuration config = ConfigFrom(input);
  if (const auto reply = FindReplyFrame(input)) {
    if (reply->size() < kMinFrameLength || reply->size() != (*reply)[kOffsetLength]) __builtin_trap();
    const Bytes request = BuildFrame(kKindRequest, (*reply)[kOffsetAddress], (*reply)[kOffsetCommand]);
    ReplyMatches(request, *reply);
    ReplyMatches(BuildFrame(kKindDiscovery, 0, 0xE1), *reply);
    ReadEverything(*reply, config);
  }
  ReadEverything(input, config);

  QueueLink link;
  BusScan scan(link);
  scan.Start(1000);
  for (std::size_t at = 0; at < size;) {
    const std::size_t length = std::min<std::size_t>(data[at] % 40 + 1, size - at);
    link.replies.emplace_back(data + at, data + at + length);
    at += length;
  }
  while (!scan.Finished()) scan.Tick();
  return 0;
}
