#include "sim/sim_line.h"

#include "link/frame.h"

namespace dsp {

void SimLine::Put(const Transmission& t) {
  if (t.bytes.empty()) return;
  const std::int64_t first = (t.start_us + kByteUs - 1) / kByteUs;
  if (HeardBefore(t, first)) return;
  bool collided = false;
  for (std::size_t i = 0; i < t.bytes.size(); ++i) {
    auto [slot, inserted] = slots_.try_emplace(first + static_cast<std::int64_t>(i), t.bytes[i]);
    if (!inserted) {
      slot->second &= t.bytes[i];
      collided = true;
    }
  }
  if (collided) SpoilCollidedFrame(first, first + static_cast<std::int64_t>(t.bytes.size()) - 1);
}

bool SimLine::HeardBefore(const Transmission& t, std::int64_t first_slot) const {
  if (!t.listens_from_us) return false;
  const std::int64_t listening_slot = (*t.listens_from_us + kByteUs - 1) / kByteUs;
  const auto heard = slots_.lower_bound(listening_slot);
  return heard != slots_.end() && heard->first < first_slot;
}

// The AND of equal answers keeps their header; should the merged bytes still
// add up, one more bit is lost so that the host never takes them for an
// answer (a real line shows framing errors there).
void SimLine::SpoilCollidedFrame(std::int64_t first_slot, std::int64_t last_slot) {
  const auto begin = slots_.lower_bound(first_slot);
  const auto end = slots_.upper_bound(last_slot);
  Bytes merged;
  for (auto it = begin; it != end; ++it) merged.push_back(it->second);
  const auto reply = FindReplyFrame(merged);
  if (!reply) return;
  const auto checksum_at = (reply->data() - merged.data()) + static_cast<std::ptrdiff_t>(reply->size()) - 1;
  std::next(begin, checksum_at)->second ^= 0x01;
}

Bytes SimLine::Take(std::int64_t now_us, std::size_t max) {
  Bytes out;
  auto it = slots_.begin();
  while (it != slots_.end() && out.size() < max && (it->first + 1) * kByteUs <= now_us) {
    out.push_back(it->second);
    it = slots_.erase(it);
  }
  return out;
}

}  // namespace dsp
