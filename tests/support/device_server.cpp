#include "device_server.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

namespace dsp::testing {
namespace {

using namespace std::chrono_literals;

// A port the kernel had free a moment ago.
int FreeTcpPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof(address);
  bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  close(fd);
  return ntohs(address.sin_port);
}

// Read from the kernel's table rather than by connecting, which would make
// the server open the device for nothing.
bool IsListening(int port) {
  char wanted[16];
  std::snprintf(wanted, sizeof wanted, ":%04X", port);
  std::ifstream table("/proc/net/tcp");
  for (std::string line; std::getline(table, line);) {
    std::istringstream columns(line);
    std::string slot, local, remote, state;
    columns >> slot >> local >> remote >> state;
    if (local.ends_with(wanted) && state == "0A") return true;  // 0A: listening
  }
  return false;
}

pid_t SpawnInOwnGroup(std::vector<std::string> argv, const std::string& log) {
  std::vector<char*> args;
  for (std::string& arg : argv) args.push_back(arg.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return pid;
}

}  // namespace

DeviceServer::DeviceServer(ServerMode mode, const std::string& device, const std::string& folder)
    : mode_(mode), device_(device), folder_(folder), tcp_port_(FreeTcpPort()) {
  Start();
}

DeviceServer::~DeviceServer() { Stop(); }

std::string DeviceServer::PortName() const {
  return std::string(mode_ == ServerMode::kRaw ? "tcp" : "rfc2217") + "://127.0.0.1:" + std::to_string(tcp_port_);
}

void DeviceServer::Start() {
  const std::string port = std::to_string(tcp_port_);
  std::vector<std::string> argv;
  if (mode_ == ServerMode::kRaw) {
    argv = {"socat", "-d", "-d", "TCP-LISTEN:" + port + ",bind=127.0.0.1,reuseaddr,fork", "FILE:" + device_ + ",raw,echo=0"};
  } else {
    const std::string config = folder_ + "/ser2net.yaml";
    std::ofstream(config) << "connection: &bus\n"
                          << "  accepter: telnet(rfc2217),tcp,127.0.0.1," << port << "\n"
                          << "  connector: serialdev," << device_ << ",115200n81,local\n"
                          << "  options:\n    kickolduser: true\n    mdns: false\n";
    argv = {"ser2net", "-n", "-d", "-c", config};
  }
  group_ = SpawnInOwnGroup(argv, folder_ + "/device-server.log");
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (group_ > 0 && !(listening_ = IsListening(tcp_port_)) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
}

int DeviceServer::ConnectionsAccepted() const {
  std::ifstream log(folder_ + "/device-server.log");
  int accepted = 0;
  for (std::string line; std::getline(log, line);) accepted += line.find(" accepting connection from ") != std::string::npos;
  return accepted;
}

void DeviceServer::Stop() {
  if (group_ <= 0) return;
  kill(-group_, SIGKILL);
  while (waitpid(group_, nullptr, 0) < 0 && errno == EINTR) {
  }
  group_ = -1;
  listening_ = false;
}

}  // namespace dsp::testing
