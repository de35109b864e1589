#include "cli/json.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace dsp {

std::string JsonText(const Json& document) { return document.dump(-1, ' ', false, Json::error_handler_t::replace); }

double RoundedToTenths(double value) { return std::round(value * 10) / 10; }

}  // namespace dsp
