#pragma once

#include <chrono>
#include <thread>

#include "link/port_io.h"

namespace dsp {

// Sleeps the calling thread: the link's threads pace the real bus with it.
class ThreadSleeper : public Sleeper {
 public:
  void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace dsp
