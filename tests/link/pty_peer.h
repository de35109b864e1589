#pragma once

// The far end of a pseudo-terminal for link tests: the link opens the slave by
// its path like any serial device; the test plays the bus on the master.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "link/bytes.h"

namespace dsp::test {

// A pseudo-terminal in raw mode, so no byte is echoed or held back.
class Pty {
 public:
  Pty();
  ~Pty();
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& SlavePath() const { return slave_path_; }
  int Master() const { return master_; }
  int Slave() const { return slave_; }
  // Closes the master: the device behind the slave is gone.
  void HangUp();
  void Write(ByteView bytes);

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slave_path_;
};

// Turns what arrives on the master into answers. Feed gets every batch of
// received bytes and returns the bytes to write back (possibly none).
class Responder {
 public:
  virtual ~Responder() = default;
  virtual Bytes Feed(ByteView received) = 0;
};

// A thread that reads the master of `pty` and lets `responder` answer, until
// destroyed. Everything received is kept.
class ScriptedPeer {
 public:
  ScriptedPeer(Pty& pty, Responder& responder);
  ~ScriptedPeer();
  Bytes Received();

 private:
  void Run();

  Pty& pty_;
  Responder& responder_;
  std::mutex mutex_;
  Bytes received_;
  std::atomic<bool> running_{true};
  std::thread thread_;
};

// Polls `done` every few milliseconds until it holds or `timeout` has passed.
template <typename Done>
bool WaitUntil(Done done, std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// Cuts a byte stream into frames by their length bytes.
std::vector<Bytes> SplitFrames(ByteView stream);

}  // namespace dsp::test
