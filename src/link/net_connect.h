#pragma once

// Connecting a TCP socket to a device server within a bounded time.

#include <string>

namespace dsp {

// A connected, non-blocking socket, or -1 with `reason` holding the system's
// reason (the resolver's or the last address's).
int ConnectTcp(const std::string& host, int port, int limit_ms, std::string& reason);

}  // namespace dsp
