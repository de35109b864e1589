#pragma once

// The document of --json: nlohmann's ordered_json, whose object members keep
// the order they were given in. Only the files that build documents include
// <nlohmann/json.hpp>: it is slow to compile.

#include <nlohmann/json_fwd.hpp>
#include <string>

namespace dsp {

using Json = nlohmann::ordered_json;

// The document as compact text. Strings are bytes from processors and files:
// invalid UTF-8 is written as U+FFFD, so the document always parses.
std::string JsonText(const Json& document);

// A number the text shows to one decimal (a level in dB), so that the
// document says the same.
double RoundedToTenths(double value);

}  // namespace dsp
