#include "protocol/level_poll.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "link/frame.h"
#include "protocol/commands.h"

namespace dsp {
namespace {

constexpr std::size_t kMinLevelReplyLength = 13;
constexpr std::size_t kFirstLevelOffset = 11;

bool AllOnes(ByteView bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; });
}

std::int32_t ReadLevel(ByteView reply, std::size_t at) {
  const std::uint32_t v = reply[at] | (reply[at + 1] << 8) | (reply[at + 2] << 16) |
                          (static_cast<std::uint32_t>(reply[at + 3]) << 24);
  return static_cast<std::int32_t>(v);
}

void StoreLevels(ByteView reply, DeviceRecord& record) {
  const int inputs = record.Inputs();
  const int outputs = record.Outputs();
  auto store = [&](int side, int channel, std::size_t at) {
    if (at + 4 <= reply.size() - 1) record.SetLevel(side, channel, ReadLevel(reply, at));
  };
  for (int i = 0; i < inputs; ++i) store(0, i, kFirstLevelOffset + 4 * static_cast<std::size_t>(i));
  for (int j = 0; j < outputs; ++j) {
    store(1, j, kFirstLevelOffset + 4 * static_cast<std::size_t>(inputs + j));
  }
}

}  // namespace

std::optional<LevelAnswer> LevelPoll::Tick(DeviceList& devices, bool port_open) {
  if (!port_open) return std::nullopt;
  if (devices.empty() || cursor_ >= devices.size()) {
    cursor_ = 0;
    return std::nullopt;
  }
  // Nothing is added while anything waits to go out: an edit's write must not
  // queue behind meters, and polls must not pile up on a busy bus. The same
  // processor's turn comes at the next tick that finds the link idle.
  if (link_.IsSendQueueEmpty()) {
    link_.Send(LevelPollFrame(static_cast<std::uint8_t>(devices[cursor_].Address())));
    if (++cursor_ >= devices.size()) cursor_ = 0;
  }

  const std::optional<Bytes> reply = link_.PopReply();
  if (!reply || reply->size() < kMinLevelReplyLength || (*reply)[kOffsetLength] != reply->size() ||
      (*reply)[kOffsetCommand] != command::kLevelPoll) {
    return std::nullopt;
  }
  DeviceRecord* record = FindDevice(devices, (*reply)[kOffsetAddress]);
  if (record == nullptr) return std::nullopt;
  const bool online = !AllOnes(ByteView(*reply).subspan(5, 4));
  StoreLevels(*reply, *record);
  record->SetStatus((*reply)[5]);
  return LevelAnswer{record->Address(), online};
}

double LevelDb(std::int64_t value, std::uint32_t full_scale, int floor_db) {
  if (value <= 0) return floor_db;
  const double db = 10.0 * std::log10(static_cast<double>(value) / std::max<std::uint32_t>(full_scale, 1));
  return std::max(db, static_cast<double>(floor_db));
}

std::string FormatLevelDb(double db) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f dBv", db);
  return text;
}

int LevelSliderPosition(double db, int slider_min, int slider_max) {
  return std::clamp(static_cast<int>(std::ceil(db * 10.0)), slider_min, slider_max);
}

}  // namespace dsp
