// A TCP relay that holds every byte for half a given round trip in each
// direction: a device server far away on the network, for measuring how much
// added round trip the answer waits tolerate.
//
//   delay_relay LISTEN_PORT TARGET_PORT ROUND_TRIP_MS
//
// Serves one connection at a time on 127.0.0.1, forwarding to 127.0.0.1
// TARGET_PORT; prints "listening" once ready. Runs until killed.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Held {
  Clock::time_point due;
  std::vector<char> bytes;
};

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

void NoDelay(int fd) {
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
}

// Sends what is due; false once the connection is gone.
bool SendDue(int to, std::deque<Held>& held) {
  while (!held.empty() && held.front().due <= Clock::now()) {
    const std::vector<char>& bytes = held.front().bytes;
    if (send(to, bytes.data(), bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(bytes.size())) return false;
    held.pop_front();
  }
  return true;
}

int MsUntilDue(const std::deque<Held>& a, const std::deque<Held>& b) {
  int wait = 1000;
  for (const auto* held : {&a, &b}) {
    if (held->empty()) continue;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(held->front().due - Clock::now());
    wait = std::min(wait, std::max(0, static_cast<int>(left.count()) + 1));
  }
  return wait;
}

void Relay(int client, int server, std::chrono::milliseconds one_way) {
  std::deque<Held> to_server;
  std::deque<Held> to_client;
  for (;;) {
    pollfd fds[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
    poll(fds, 2, MsUntilDue(to_server, to_client));
    for (int i = 0; i < 2; ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      const ssize_t n = recv(fds[i].fd, buffer, sizeof buffer, 0);
      if (n <= 0) return;
      (i == 0 ? to_server : to_client).push_back({Clock::now() + one_way, std::vector<char>(buffer, buffer + n)});
    }
    if (!SendDue(server, to_server) || !SendDue(client, to_client)) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: delay_relay LISTEN_PORT TARGET_PORT ROUND_TRIP_MS\n");
    return 2;
  }
  const int listen_port = std::atoi(argv[1]);
  const int target_port = std::atoi(argv[2]);
  const std::chrono::milliseconds one_way(std::atoi(argv[3]) / 2);
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  const int on = 1;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
  sockaddr_in address = Loopback(listen_port);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listener, 1) != 0) {
    std::perror("delay_relay: cannot listen");
    return 1;
  }
  std::printf("listening\n");
  std::fflush(stdout);
  for (;;) {
    const int client = accept(listener, nullptr, nullptr);
    if (client < 0) continue;
    const int server = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in target = Loopback(target_port);
    if (connect(server, reinterpret_cast<sockaddr*>(&target), sizeof(target)) == 0) {
      NoDelay(client);
      NoDelay(server);
      Relay(client, server, one_way);
    }
    close(server);
    close(client);
  }
}
