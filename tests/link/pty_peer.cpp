#include "pty_peer.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace dsp::test {

Pty::Pty() {
  termios raw{};
  cfmakeraw(&raw);
  char name[256] = {};
  if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) throw std::runtime_error("openpty failed");
  slave_path_ = name;
}

Pty::~Pty() {
  HangUp();
  if (slave_ >= 0) ::close(slave_);
}

void Pty::HangUp() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

void Pty::Write(ByteView bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) throw std::runtime_error("write to the pty master failed");
    done += static_cast<std::size_t>(n);
  }
}

ScriptedPeer::ScriptedPeer(Pty& pty, Responder& responder)
    : pty_(pty), responder_(responder), thread_(&ScriptedPeer::Run, this) {}

ScriptedPeer::~ScriptedPeer() {
  running_ = false;
  thread_.join();
}

void ScriptedPeer::Run() {
  std::uint8_t buffer[4096];
  while (running_) {
    pollfd waiting{pty_.Master(), POLLIN, 0};
    if (poll(&waiting, 1, 5) <= 0 || !(waiting.revents & POLLIN)) continue;
    const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
    if (n <= 0) continue;
    const ByteView got(buffer, static_cast<std::size_t>(n));
    {
      std::lock_guard lock(mutex_);
      received_.insert(received_.end(), got.begin(), got.end());
    }
    const Bytes answer = responder_.Feed(got);
    if (!answer.empty()) pty_.Write(answer);
  }
}

Bytes ScriptedPeer::Received() {
  std::lock_guard lock(mutex_);
  return received_;
}

std::vector<Bytes> SplitFrames(ByteView stream) {
  std::vector<Bytes> frames;
  std::size_t at = 0;
  while (at + 1 < stream.size()) {
    const std::size_t length = stream[at + 1];
    if (length < 2 || at + length > stream.size()) break;
    frames.emplace_back(stream.begin() + at, stream.begin() + at + length);
    at += length;
  }
  return frames;
}

}  // namespace dsp::test
