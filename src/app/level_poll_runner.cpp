#include "app/level_poll_runner.h"

#include "app/timer_ids.h"

namespace dsp {

void LevelPollRunner::Pause() { window_.KillTimer(timer::kLevelPoll); }

void LevelPollRunner::Resume() {
  if (!devices_.empty()) window_.SetTimer(timer::kLevelPoll, LevelPoll::kTickMs);
}

void LevelPollRunner::Tick() {
  if (const auto answer = poll_.Tick(devices_, link_.IsOpen())) on_answer_(*answer);
}

}  // namespace dsp
