#pragma once

// A host with one selected record, and a responder that answers every read
// request with a well-formed reply of its command's length.

#include <map>
#include <optional>

#include "link/frame.h"
#include "model/device_record.h"
#include "protocol/procedure_host.h"

namespace dsp::testing {

class OneDeviceHost : public ProcedureHost {
 public:
  explicit OneDeviceHost(DeviceRecord record) : record(std::move(record)) {}
  DeviceRecord* SelectedDevice() override { return selected ? &record : nullptr; }
  void OnEffectData(ByteView data) override { effect.insert(effect.end(), data.begin(), data.end()); }
  void OnEffectProgress(int percent) override { percents.push_back(percent); }

  DeviceRecord record;
  bool selected = true;
  Bytes effect;
  std::vector<int> percents;
};

inline DeviceRecord MakeRecord(int inputs, int outputs, int address = 1) {
  return DeviceRecord(address, ChipIdBytes{1, 2, 3, 4, 5, 6, 7, 8}, inputs, outputs, "Test");
}

// Reply lengths of the read commands.
inline std::optional<std::size_t> ReplyLength(std::uint8_t cmd) {
  static const std::map<std::uint8_t, std::size_t> lengths = {
      {0x84, 10}, {0xA3, 10}, {0xD7, 27}, {0x81, 166}, {0xA1, 166}, {0x83, 10}, {0x80, 11},
      {0xA2, 12}, {0xA9, 17}, {0xA6, 11}, {0xA0, 25}, {0x85, 9},  {0xA4, 9},  {0x90, 25}};
  auto it = lengths.find(cmd);
  if (it == lengths.end()) return std::nullopt;
  return it->second;
}

// Answers a read with zeros but for the channel byte (and, for the output
// filter reply, its channel at byte 6; for an equaliser reply, the channel
// of every band record).
inline std::optional<Bytes> GenericAnswer(const Bytes& request) {
  const auto length = ReplyLength(request[kOffsetCommand]);
  if (!length) return std::nullopt;
  Bytes reply = BlankFrame(*length, kKindReply, request[kOffsetAddress], request[kOffsetCommand]);
  if (request.size() > 6) reply[5] = request[5];
  if (request[kOffsetCommand] == 0xA2) reply[6] = request[5];
  if (request[kOffsetCommand] == 0x81 || request[kOffsetCommand] == 0xA1) {
    for (std::size_t record = 0; record < 16; ++record) reply[5 + 10 * record] = request[5];
  }
  SealFrame(reply);
  return reply;
}

}  // namespace dsp::testing
