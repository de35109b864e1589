// What an HTTP client sends the daemon, fed any bytes: the processor ID of
// the path, the bearer header and a PATCH body checked against a record.
// The first line is the path segment and the header, the rest the body.

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string_view>

#include "serve/http_server.h"
#include "serve/parameter_patch.h"
#include "serve/processor_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dsp;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t line_end = std::min(input.find('\n'), input.size());
  const std::string first_line(input.substr(0, line_end));
  const std::string body(input.substr(std::min(line_end + 1, input.size())));

  ParseProcessorId(first_line);
  BearerMatches(first_line, "0123456789abcdef");

  const Json parsed = Json::parse(body, nullptr, false);
  DeviceRecord record(1, ChipIdBytes{}, 2, 2, "Fuzz");
  const Configuration config;
  const CheckedPatch patch = CheckPatch(parsed, record, config);
  if (!patch.Ok()) return 0;
  // What was accepted is in range and reads back as sent.
  ApplyChanges(patch.changes, record);
  for (const ParameterChange& change : patch.changes) {
    if (!change.field->range(change.side, config).Holds(change.value)) __builtin_trap();
    WriteFor(change, record.Address());
  }
  const Json sections = ParameterSections(record);
  for (const auto& [section, values] : parsed.items()) {
    for (const auto& [key, value] : values.items()) {
      const int stored = sections.at(section).at(key).get<int>();
      // A flag stores "not 0"; a key given twice keeps its last value.
      if (stored != value.get<int>() && !(stored == 1 && value.get<int>() != 0)) __builtin_trap();
    }
  }
  return 0;
}
