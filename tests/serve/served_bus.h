#pragma once

// A daemon in process: simulated processors behind a pseudo-terminal, the
// bus thread with its first scan and read done, and the HTTP side on a port
// of loopback the system chose.

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "cli/console.h"
#include "cli/session.h"
#include "serve/api.h"
#include "serve/bus_worker.h"
#include "serve/http_server.h"

namespace dsp::testing {

class ServedBus {
 public:
  static constexpr auto kCallTimeout = std::chrono::seconds(120);

  explicit ServedBus(HttpSettings http) {
    GlobalOptions options;
    options.simulate = {{"Hall", 2, 2}};
    options.scan_time_ms = 1000;
    session_ = std::make_unique<Session>(options, console_);
    worker_ = std::make_unique<BusWorker>(*session_, events_);
    worker_->WaitUntilReady();
    http.port = 0;
    server_ = std::make_unique<HttpServer>(http, *worker_, events_);
    std::string error;
    if (server_->Bind(error)) serving_ = std::thread([this] { server_->Serve(); });
  }
  ~ServedBus() {
    server_->Stop();
    if (serving_.joinable()) serving_.join();
    server_.reset();
    worker_.reset();
    session_.reset();
    std::fclose(err_);
  }

  // A request handled as the HTTP side handles it.
  ApiResponse Call(const std::string& method, const std::string& path, const std::string& body = "") {
    ApiResponse answer = HandleApiRequest({method, path, body}, *worker_, kCallTimeout);
    if (!answer.text.empty()) answer.body = Json::parse(answer.text);
    return answer;
  }
  // The first processor's identifier.
  std::string FirstId() { return Call("GET", "/api/v1/processors").body.at(0).at("id").get<std::string>(); }

  EventHub& events() { return events_; }
  BusWorker& worker() { return *worker_; }
  int port() const { return server_->Port(); }

 private:
  SteadyLoopClock clock_;
  std::FILE* err_ = std::tmpfile();
  Console console_{err_, err_, false, false, clock_, "dspserve"};
  EventHub events_{4};
  std::unique_ptr<Session> session_;
  std::unique_ptr<BusWorker> worker_;
  std::unique_ptr<HttpServer> server_;
  std::thread serving_;
};

}  // namespace dsp::testing
