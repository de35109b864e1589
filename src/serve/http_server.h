#pragma once

// The daemon's HTTP side: the API routes, the event stream, the token check
// and the bounds on requests and connections. No request is parsed here by
// hand: the HTTP library does that.

#include <memory>
#include <string>

#include "serve/bus_worker.h"
#include "serve/event_hub.h"

namespace httplib {
class Server;
}

namespace dsp {

struct HttpSettings {
  std::string host = "127.0.0.1";
  int port = 8780;
  std::string token;         // empty: no token asked (loopback only)
  std::string allow_origin;  // empty: no CORS headers
  std::size_t max_connections = 256;  // served at once, event streams included
};

class HttpServer {
 public:
  static constexpr std::size_t kMaxBodyBytes = 64 * 1024;
  // Of the connections served at once, event streams may hold this many,
  // so that requests always find some left.
  static constexpr std::size_t kMaxEventStreams = 96;
  static constexpr int kRetryAfterS = 1;

  HttpServer(const HttpSettings& settings, BusWorker& worker, EventHub& events);
  ~HttpServer();

  // Binds the address; false (and why) when it cannot.
  bool Bind(std::string& error);
  // The port bound (the one asked, or the one the system chose for 0).
  int Port() const { return port_; }
  // Serves until Stop().
  void Serve();
  void Stop();

 private:
  void SetUpRoutes();
  void SetUpGuards();

  HttpSettings settings_;
  BusWorker& worker_;
  EventHub& events_;
  std::unique_ptr<httplib::Server> server_;
  int port_ = 0;
  int listening_socket_ = -1;
};

// Whether the header is "Bearer " and the token, compared in a time that
// does not depend on where they differ.
bool BearerMatches(const std::string& header, const std::string& token);

}  // namespace dsp
