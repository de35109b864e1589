#include "sim/pty_endpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace dsp {
namespace {

constexpr int kPollMs = 1;

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::unique_ptr<PtyEndpoint> PtyEndpoint::Open(std::unique_ptr<SimBus> bus, std::string& error) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (master < 0) {
    error = SystemError("cannot open a pseudo-terminal");
    return nullptr;
  }
  std::array<char, 128> name{};
  if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name.data(), name.size()) != 0) {
    error = SystemError("cannot prepare the pseudo-terminal");
    close(master);
    return nullptr;
  }
  const int slave = open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  if (slave < 0 || tcgetattr(slave, &raw) != 0) {
    error = SystemError("cannot open the pseudo-terminal's device");
    if (slave >= 0) close(slave);
    close(master);
    return nullptr;
  }
  // Bytes must pass unchanged: no echo, no line editing, no CR/LF mapping.
  cfmakeraw(&raw);
  tcsetattr(slave, TCSANOW, &raw);
  return std::unique_ptr<PtyEndpoint>(new PtyEndpoint(std::move(bus), master, slave, name.data()));
}

PtyEndpoint::PtyEndpoint(std::unique_ptr<SimBus> bus, int master, int slave, std::string path)
    : bus_(std::move(bus)),
      master_(master),
      slave_(slave),
      path_(std::move(path)),
      started_(std::chrono::steady_clock::now()),
      bus_started_(bus_->Now()) {
  thread_ = std::thread([this] { Serve(); });
}

PtyEndpoint::~PtyEndpoint() {
  stop_ = true;
  thread_.join();
  CloseTerminal();
}

void PtyEndpoint::CloseTerminal() {
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
  master_ = slave_ = -1;
}

void PtyEndpoint::Serve() {
  Bytes unsent;
  while (!stop_ && !hung_up_) ServeOnce(unsent);
}

void PtyEndpoint::ServeOnce(Bytes& unsent) {
  pollfd ready{master_, POLLIN, 0};
  poll(&ready, 1, kPollMs);
  std::lock_guard lock(mutex_);
  const auto elapsed = std::chrono::steady_clock::now() - started_;
  bus_->Advance(bus_started_ + std::chrono::duration_cast<std::chrono::microseconds>(elapsed) - bus_->Now());
  std::array<std::uint8_t, 4096> buffer{};
  if (ready.revents & POLLIN) {
    const ssize_t got = read(master_, buffer.data(), buffer.size());
    if (got > 0) bus_->host_port().Write(ByteView(buffer.data(), static_cast<std::size_t>(got)));
  }
  if (bus_->IsHungUp()) {
    CloseTerminal();
    hung_up_ = true;
    return;
  }
  for (std::size_t got; (got = bus_->host_port().Read(buffer)) > 0;) {
    unsent.insert(unsent.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
  }
  if (unsent.empty()) return;
  const ssize_t written = write(master_, unsent.data(), unsent.size());
  if (written > 0) unsent.erase(unsent.begin(), unsent.begin() + written);
}

}  // namespace dsp
