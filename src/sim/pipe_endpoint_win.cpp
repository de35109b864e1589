#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "link/wide_text_win.h"
#include "sim/line_endpoint.h"

namespace dsp {
namespace {

constexpr DWORD kPipeBufferBytes = 64 * 1024;
constexpr DWORD kPollMs = 1;

// The simulated bus on the server end of a named pipe that the serial port
// opens like a COM port. A bus that hangs up (a fault) closes the pipe, and
// the host's next look at it fails as at an unplugged adapter.
class PipeEndpoint : public LineEndpoint {
 public:
  PipeEndpoint(std::unique_ptr<SimBus> bus, HANDLE pipe, std::string path)
      : bus_(std::move(bus)),
        pipe_(pipe),
        path_(std::move(path)),
        started_(std::chrono::steady_clock::now()),
        bus_started_(bus_->Now()) {
    thread_ = std::thread([this] { Serve(); });
  }

  ~PipeEndpoint() override {
    stop_ = true;
    // A host that never came leaves the thread waiting for it: come as one.
    if (!connected_) CloseHandle(CreateFileW(WideText(path_).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    thread_.join();
    CloseHandle(pipe_);
  }

  const std::string& path() const override { return path_; }

 private:
  void Serve() {
    const bool came = ConnectNamedPipe(pipe_, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    connected_ = true;
    if (!came) return;
    Bytes unsent;
    while (!stop_ && ServeOnce(unsent)) Sleep(kPollMs);
    DisconnectNamedPipe(pipe_);
  }

  // False once the bus has hung up.
  bool ServeOnce(Bytes& unsent) {
    const auto elapsed = std::chrono::steady_clock::now() - started_;
    bus_->Advance(bus_started_ + std::chrono::duration_cast<std::chrono::microseconds>(elapsed) - bus_->Now());
    std::array<std::uint8_t, 4096> buffer{};
    DWORD waiting = 0;
    DWORD got = 0;
    if (PeekNamedPipe(pipe_, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
        ReadFile(pipe_, buffer.data(), std::min<DWORD>(waiting, buffer.size()), &got, nullptr)) {
      bus_->host_port().Write(ByteView(buffer.data(), got));
    }
    if (bus_->IsHungUp()) return false;
    for (std::size_t taken; (taken = bus_->host_port().Read(buffer)) > 0;) {
      unsent.insert(unsent.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(taken));
    }
    DWORD written = 0;
    if (!unsent.empty() && WriteFile(pipe_, unsent.data(), static_cast<DWORD>(unsent.size()), &written, nullptr)) {
      unsent.erase(unsent.begin(), unsent.begin() + written);
    }
    return true;
  }

  std::unique_ptr<SimBus> bus_;
  HANDLE pipe_;
  std::string path_;
  std::chrono::steady_clock::time_point started_;
  std::chrono::microseconds bus_started_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> connected_{false};
  std::thread thread_;
};

}  // namespace

std::unique_ptr<LineEndpoint> OpenLineEndpoint(std::unique_ptr<SimBus> bus, std::string& error) {
  static std::atomic<int> counter{0};
  const std::string path =
      "\\\\.\\pipe\\dspsim-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  HANDLE pipe = CreateNamedPipeW(WideText(path).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                 kPipeBufferBytes, kPipeBufferBytes, 0, nullptr);
  if (pipe == INVALID_HANDLE_VALUE) {
    error = "cannot create a named pipe: " + SystemErrorText(GetLastError());
    return nullptr;
  }
  return std::make_unique<PipeEndpoint>(std::move(bus), pipe, path);
}

}  // namespace dsp
