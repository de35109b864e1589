#pragma once

// The JSON API under /api/v1/ as pure functions of a request over the
// processors: no sockets, so every route and refusal is testable in process.
// Runs on the bus thread.

#include <nlohmann/json.hpp>
#include <string>

#include "cli/json.h"
#include "serve/processor_service.h"

namespace dsp {

struct ApiRequest {
  std::string method;  // "GET", "PATCH", "POST"
  std::string path;    // "/api/v1/processors/2F63F80F18BF7860"
  std::string body;
};

struct ApiResponse {
  int status = 200;
  Json body;
};

ApiResponse HandleApiRequest(const ApiRequest& request, ProcessorService& service);

// {"error": message}, the body of every refusal.
ApiResponse ErrorResponse(int status, const std::string& message);

}  // namespace dsp
