// A firmware image sent by the serial link into lrzsz's YMODEM receiver
// `rb`: rb on one pseudo-terminal, the link on another, a thread copying
// bytes between the two masters as a cable would. Prints the transfer's
// time, the time the bytes need on a 115200 bit/s line, and whether the file
// arrived byte for byte. A pseudo-terminal has no line rate of its own, so
// the time is what the waits of the sender and the receiver cost. Prints
// figures; nothing passes or fails on a time.
//
//   rb_transfer_bench [KIB]      (default 1024)

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>

#include "link/uart.h"

namespace {

using namespace dsp;
namespace fs = std::filesystem;

struct Pty {
  Pty() {
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
      std::perror("openpty");
      std::exit(1);
    }
    path = name;
  }
  ~Pty() {
    close(master);
    close(slave);
  }
  int master = -1;
  int slave = -1;
  std::string path;
};

void WriteAll(int fd, const std::uint8_t* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, size);
    if (n <= 0) return;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

// rb gives up on a block with a gap of 100 ms inside; the copy hands it each
// packet whole, as a line would deliver it without pause.
class Bridge {
 public:
  Bridge(Pty& rb, Pty& link) : rb_(rb), link_(link), thread_(&Bridge::Run, this) {}
  ~Bridge() {
    running_ = false;
    thread_.join();
  }

 private:
  static std::size_t PacketSize(const Bytes& bytes) {
    switch (bytes[0]) {
      case 0xA5: return bytes.size() > 1 ? bytes[1] : SIZE_MAX;
      case kSoh: return kHeaderBlockSize;
      case kStx: return kDataPacketSize;
      default: return 1;
    }
  }
  void Run() {
    std::uint8_t buffer[4096];
    while (running_) {
      pollfd ends[2] = {{rb_.master, POLLIN, 0}, {link_.master, POLLIN, 0}};
      if (poll(ends, 2, 5) <= 0) continue;
      if (ends[0].revents & POLLIN) {
        const ssize_t n = ::read(rb_.master, buffer, sizeof buffer);
        if (n > 0) WriteAll(link_.master, buffer, static_cast<std::size_t>(n));
      }
      if (ends[1].revents & POLLIN) {
        const ssize_t n = ::read(link_.master, buffer, sizeof buffer);
        if (n > 0) to_rb_.insert(to_rb_.end(), buffer, buffer + n);
      }
      for (std::size_t size; !to_rb_.empty() && (size = PacketSize(to_rb_)) <= to_rb_.size();) {
        WriteAll(rb_.master, to_rb_.data(), size);
        to_rb_.erase(to_rb_.begin(), to_rb_.begin() + static_cast<std::ptrdiff_t>(size));
      }
    }
  }

  Pty& rb_;
  Pty& link_;
  Bytes to_rb_;
  std::atomic<bool> running_{true};
  std::thread thread_;
};

pid_t StartRb(int tty, const fs::path& folder) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (chdir(folder.c_str()) != 0) _exit(126);
  dup2(tty, STDIN_FILENO);
  dup2(tty, STDOUT_FILENO);
  const int quiet = open("/dev/null", O_WRONLY);
  dup2(quiet, STDERR_FILENO);
  close_range(3, ~0U, 0);
  execlp("rb", "rb", "--ymodem", "--binary", nullptr);
  _exit(127);
}

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t size = static_cast<std::size_t>(argc > 1 ? std::atoi(argv[1]) : 1024) * 1024;
  const fs::path work = fs::temp_directory_path() / ("rb_bench_" + std::to_string(getpid()));
  fs::create_directories(work / "in");
  Bytes image(size);
  std::mt19937 random(1);
  for (auto& b : image) b = static_cast<std::uint8_t>(random());
  const fs::path file = work / "firmware.bin";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                              static_cast<std::streamsize>(image.size()));

  Pty rb_side;
  Pty link_side;
  Bridge bridge(rb_side, link_side);
  CUart link;
  if (!link.Open(link_side.path)) {
    std::fprintf(stderr, "%s\n", link.OpenError().c_str());
    return 1;
  }
  const pid_t rb = StartRb(rb_side.slave, work / "in");
  const auto start = std::chrono::steady_clock::now();
  if (!link.StartTransfer(file.string(), 1, TransferMode::kFirmware)) return 1;
  while (link.Progress().pending) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const int result = link.Progress().result;
  kill(rb, SIGTERM);
  waitpid(rb, nullptr, 0);

  const std::size_t blocks = (size + 1023) / 1024;
  const double line_seconds = static_cast<double>(6 + 133 + blocks * 1029 + 1) * 10 / 115200;
  const bool whole = ReadFile(work / "in" / "firmware.bin") == image;
  fs::remove_all(work);
  std::printf("%zu KiB into rb: %.2f s, result %d, %s; the bytes need %.2f s on a 115200 bit/s line (%.3f)\n",
              size / 1024, seconds, result, whole ? "byte-exact" : "DAMAGED", line_seconds, seconds / line_seconds);
  return whole && result == kTransferDone ? 0 : 1;
}
