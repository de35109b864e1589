#pragma once

#include <functional>
#include <string>

namespace dsp {

// Where the harness reports what went wrong (a test framework's failure
// macro, a scenario's error list, or stderr).
using FailureHandler = std::function<void(const std::string& message)>;

}  // namespace dsp
