#include "link/reconnect.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace dsp {
namespace {

using namespace std::chrono_literals;

// A TCP port on 127.0.0.1 that refuses until Listen().
class LocalServer {
 public:
  LocalServer() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    const int on = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof(address);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~LocalServer() { close(fd_); }
  void Listen() { listen(fd_, 4); }
  std::string Name() const { return "tcp://127.0.0.1:" + std::to_string(port_); }

 private:
  int fd_;
  int port_ = 0;
};

// Ticks as the window's timer does, for at most `ticks` ticks of 200 ms,
// until a port comes back.
std::optional<std::string> TickUntilBack(Reconnect& reconnect, int ticks) {
  for (int tick = 0; tick < ticks; ++tick) {
    if (std::optional<std::string> port = reconnect.Tick(200)) return port;
    std::this_thread::sleep_for(10ms);  // lets the probe's thread finish its connect
  }
  return std::nullopt;
}

TEST(Reconnect, ANetworkPortComesBackOnlyOnceItsServerAccepts) {
  LocalServer server;
  Reconnect reconnect;
  reconnect.Lost(server.Name());
  ASSERT_TRUE(reconnect.Retrying());
  EXPECT_EQ(TickUntilBack(reconnect, 60), std::nullopt) << "a bound but silent port refuses";
  EXPECT_TRUE(reconnect.Retrying());

  server.Listen();
  EXPECT_EQ(TickUntilBack(reconnect, 600), server.Name());
  EXPECT_FALSE(reconnect.Retrying());
  EXPECT_EQ(reconnect.Tick(Reconnect::kRetryMs), std::nullopt) << "handed back once";
}

TEST(Reconnect, LocalPortsAndForgottenOnesAreNotTried) {
  LocalServer server;
  server.Listen();
  Reconnect reconnect;
  reconnect.Lost("/dev/ttyUSB0");
  EXPECT_FALSE(reconnect.Retrying());
  reconnect.Lost(server.Name());
  reconnect.Forget();
  EXPECT_EQ(TickUntilBack(reconnect, 40), std::nullopt);
}

}  // namespace
}  // namespace dsp
