#pragma once

// The level poll on the main window's timer: every listed processor's
// levels in turn, one tick each period. Whatever needs the bus to itself
// (a scan, a device procedure, a preset save, a parameter image transfer)
// pauses the poll and resumes it when done; it runs only while processors
// are listed.

#include <functional>

#include "app/port_link.h"
#include "model/device_list.h"
#include "platform/window.h"
#include "protocol/level_poll.h"

namespace dsp {

class LevelPollRunner {
 public:
  // Called with each answer the poll used, after its record took it.
  using AnswerHandler = std::function<void(const LevelAnswer&)>;

  LevelPollRunner(Window& window, PortLink& link, DeviceList& devices, AnswerHandler on_answer)
      : window_(window), link_(link), devices_(devices), poll_(link), on_answer_(std::move(on_answer)) {}

  void Pause();
  void Resume();
  void Tick();

 private:
  Window& window_;
  PortLink& link_;
  DeviceList& devices_;
  LevelPoll poll_;
  AnswerHandler on_answer_;
};

}  // namespace dsp
