#include "link/frame.h"

#include <algorithm>

namespace dsp {

std::uint8_t FrameChecksum(ByteView frame) {
  if (frame.size() < 2 || frame[0] != kFrameHeader) return 0;
  const std::size_t length = std::min<std::size_t>(frame[kOffsetLength], frame.size());
  unsigned sum = 0;
  for (std::size_t i = 1; i + 1 < length; ++i) sum += frame[i];
  return static_cast<std::uint8_t>(sum);
}

void SealFrame(Bytes& frame) {
  if (frame.empty()) return;
  frame.back() = FrameChecksum(frame);
}

Bytes BlankFrame(std::size_t length, std::uint8_t kind, std::uint8_t address, std::uint8_t command) {
  Bytes frame(length, 0);
  frame[0] = kFrameHeader;
  frame[kOffsetLength] = static_cast<std::uint8_t>(length);
  frame[kOffsetKind] = kind;
  frame[kOffsetAddress] = address;
  frame[kOffsetCommand] = command;
  return frame;
}

Bytes BuildFrame(std::uint8_t kind, std::uint8_t address, std::uint8_t command, ByteView payload) {
  Bytes frame = BlankFrame(kMinFrameLength + payload.size(), kind, address, command);
  std::copy(payload.begin(), payload.end(), frame.begin() + kOffsetPayload);
  SealFrame(frame);
  return frame;
}

bool IsValidFrame(ByteView frame) {
  return frame.size() >= kMinFrameLength && frame[0] == kFrameHeader && frame[kOffsetLength] == frame.size() &&
         FrameChecksum(frame) == frame.back();
}

std::optional<ByteView> FindReplyFrame(ByteView received) {
  const std::size_t n = received.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (received[i] != kFrameHeader || i + 2 >= n) continue;
    const std::uint8_t kind = received[i + kOffsetKind];
    if (kind != kKindReply && kind != kKindDiscovery) continue;
    const std::size_t length = received[i + kOffsetLength];
    const std::size_t left = n - i;
    if (length > left) continue;
    // The first candidate decides: a bad one is not followed by a search further on.
    if (left < 4 || length < 2) return std::nullopt;
    ByteView candidate = received.subspan(i, length);
    if (FrameChecksum(candidate) != candidate[length - 1]) return std::nullopt;
    return candidate;
  }
  return std::nullopt;
}

bool ReplyMatches(ByteView request, ByteView reply) {
  if (request.size() < kMinFrameLength - 1 || reply.size() < kMinFrameLength - 1) return false;
  if (reply[kOffsetKind] == kKindDiscovery) {
    return request[kOffsetAddress] == static_cast<std::uint8_t>(~reply[kOffsetAddress]);
  }
  return reply[kOffsetKind] == kKindReply && reply[kOffsetCommand] == request[kOffsetCommand] &&
         reply[kOffsetAddress] == request[kOffsetAddress];
}

}  // namespace dsp
