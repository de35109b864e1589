#include "link/net_connect.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace dsp {
namespace {

using AddressList = std::unique_ptr<addrinfo, decltype(&freeaddrinfo)>;

// The socket once connected, or the system's error.
int ConnectOne(const addrinfo& address, int limit_ms, int& error) {
  const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0 && errno != EINPROGRESS) {
    error = errno;
    ::close(fd);
    return -1;
  }
  pollfd waiting{fd, POLLOUT, 0};
  socklen_t size = sizeof(error);
  if (poll(&waiting, 1, limit_ms) <= 0) {
    error = ETIMEDOUT;
  } else if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::close(fd);
    return -1;
  }
  // Frames are small and each waits for its answer: send them at once.
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
  return fd;
}

}  // namespace

int ConnectTcp(const std::string& host, int port, int limit_ms, std::string& reason) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (const int failed = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found); failed != 0) {
    reason = gai_strerror(failed);
    return -1;
  }
  const AddressList addresses(found, freeaddrinfo);
  int error = 0;
  for (const addrinfo* address = addresses.get(); address; address = address->ai_next) {
    const int fd = ConnectOne(*address, limit_ms, error);
    if (fd >= 0) return fd;
  }
  reason = std::strerror(error);
  return -1;
}

}  // namespace dsp
