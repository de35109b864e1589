#pragma once

// Whether a device server takes connections again, found out on a thread of
// its own: the caller looks at the result and never waits for the connect.

#include <atomic>
#include <memory>
#include <optional>

#include "link/port_name.h"

namespace dsp {

class ServerProbe {
 public:
  // Starts connecting at once; the connection, if made, is closed again.
  // The connect is bounded by `limit_ms`.
  ServerProbe(const PortName& name, int limit_ms);
  // Does not wait: a connect still in progress ends on its own.
  ~ServerProbe() = default;
  ServerProbe(const ServerProbe&) = delete;
  ServerProbe& operator=(const ServerProbe&) = delete;

  // Nothing while still trying; then whether the server accepted.
  std::optional<bool> Result() const;

 private:
  enum State { kTrying, kAccepted, kRefused };
  // Shared with the connecting thread, which may outlive the probe.
  std::shared_ptr<std::atomic<State>> state_ = std::make_shared<std::atomic<State>>(kTrying);
};

}  // namespace dsp
