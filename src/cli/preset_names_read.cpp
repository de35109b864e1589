#include "cli/preset_names_read.h"

#include "protocol/commands.h"
#include "protocol/replies.h"

namespace dsp {

PresetNamesRead::Progress PresetNamesRead::Tick() {
  if (preset_ >= kPresetSlots) return Progress::kDone;
  if (!awaiting_) {
    link_.Send(ReadPresetNameFrame(static_cast<std::uint8_t>(record_.Address()), preset_));
    awaiting_ = true;
    failures_ = 0;
    return Progress::kRunning;
  }
  const std::optional<Bytes> reply = link_.PopReply();
  if (!reply || !StorePresetNameReply(*reply, preset_, record_)) {
    return ++failures_ >= kFailureLimit ? Progress::kFailed : Progress::kRunning;
  }
  awaiting_ = false;
  return ++preset_ >= kPresetSlots ? Progress::kDone : Progress::kRunning;
}

}  // namespace dsp
