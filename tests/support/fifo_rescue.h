#pragma once

// Checks that code refuses a FIFO instead of blocking on it. Should the code
// block opening it, the other end is opened after two seconds, so that the
// test fails instead of hanging.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace dsp::test {

template <typename Call>
bool ReturnsWithoutBlocking(const std::string& fifo, Call call) {
  std::mutex mutex;
  std::condition_variable returned;
  bool done = false;
  bool rescued = false;
  std::thread rescuer([&] {
    std::unique_lock lock(mutex);
    if (returned.wait_for(lock, std::chrono::seconds(2), [&] { return done; })) return;
    rescued = true;
    // Opening both ends at once never blocks, and lets a blocked open go on.
    const int fd = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (fd >= 0) ::close(fd);
  });
  call();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  returned.notify_one();
  rescuer.join();
  return !rescued;
}

inline std::string MakeFifo(const std::string& path) {
  ::mkfifo(path.c_str(), 0600);
  return path;
}

}  // namespace dsp::test
