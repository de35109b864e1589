#pragma once

// The JSON API under /api/v1/. Reads and changes are answered on the
// calling thread from the records the bus thread shows, never waiting for
// bus work; preset recalls and saves and rescans are handed to the bus
// thread. No sockets, so every route and refusal is testable in process.

#include <chrono>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/json.h"

namespace dsp {

class BusWorker;

struct ApiRequest {
  std::string method;  // "GET", "PATCH", "POST"
  std::string path;    // "/api/v1/processors/2F63F80F18BF7860"
  std::string body;
};

struct ApiResponse {
  int status = 200;
  Json body;
  std::string text = {};  // the body already as text (a kept document), when not empty
};

// `bus_timeout` bounds the wait for a procedure on the bus thread and for
// room among the changes waiting for it.
ApiResponse HandleApiRequest(const ApiRequest& request, BusWorker& worker, std::chrono::milliseconds bus_timeout);

// {"error": message}, the body of every refusal.
ApiResponse ErrorResponse(int status, const std::string& message);

}  // namespace dsp
