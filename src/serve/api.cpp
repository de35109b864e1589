#include "serve/api.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/cli_failure.h"
#include "serve/processor_json.h"

namespace dsp {
namespace {

constexpr int kLastPreset = kPresetSlots - 1;

std::vector<std::string> Segments(const std::string& path) {
  std::vector<std::string> segments;
  std::size_t start = 1;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    segments.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return segments;
}

std::optional<int> PresetNumber(const std::string& text) {
  int preset = -1;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), preset);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || preset < 0 || preset > kLastPreset) {
    return std::nullopt;
  }
  return preset;
}

ApiResponse NotFound(const ApiRequest& request) {
  return ErrorResponse(404, "no such resource: " + request.path + " (see /api/v1/openapi.json)");
}

ApiResponse WrongMethod(const ApiRequest& request, const std::string& allowed) {
  return ErrorResponse(405, request.method + " is not served at " + request.path + ": use " + allowed);
}

ApiResponse ListProcessors(ProcessorService& service) {
  Json list = Json::array();
  for (const DeviceRecord& record : service.Devices()) list.push_back(ProcessorSummary(record, service.Connected(record)));
  return {200, std::move(list)};
}

ApiResponse PatchProcessor(const ApiRequest& request, ProcessorService& service, DeviceRecord& record) {
  const Json body = Json::parse(request.body, nullptr, false);
  if (body.is_discarded()) return ErrorResponse(400, "the body is not JSON: send an object of sections");
  const CheckedPatch patch = CheckPatch(body, record, service.Config());
  if (!patch.Ok()) {
    ApiResponse refused = ErrorResponse(400, patch.refused_key + ": " + patch.reason + ". Nothing was changed.");
    refused.body["key"] = patch.refused_key;
    refused.body["reason"] = patch.reason;
    return refused;
  }
  service.Change(record, patch.changes, "api");
  return {200, ProcessorDocument(record, service.Connected(record))};
}

ApiResponse PresetList(const DeviceRecord& record) {
  Json presets = Json::array();
  for (int preset = 0; preset < kPresetSlots; ++preset) {
    presets.push_back(Json{{"preset", preset}, {"name", record.PresetName(preset)}});
  }
  return {200, std::move(presets)};
}

// /processors/{id}/presets[/{n}/recall|save]
ApiResponse PresetRoute(const ApiRequest& request, const std::vector<std::string>& s, ProcessorService& service,
                        DeviceRecord& record) {
  if (s.size() == 5) return request.method == "GET" ? PresetList(record) : WrongMethod(request, "GET");
  const std::optional<int> preset = PresetNumber(s[5]);
  if (s.size() != 7 || (s[6] != "recall" && s[6] != "save")) return NotFound(request);
  if (request.method != "POST") return WrongMethod(request, "POST");
  if (!preset) return ErrorResponse(400, "the preset must be a number from 0 to " + std::to_string(kLastPreset));
  const ChipIdBytes chip_id = record.ChipId();
  if (s[6] == "recall") {
    service.Recall(chip_id, *preset);
  } else {
    service.Save(chip_id, *preset);
  }
  DeviceRecord* after = service.Find(chip_id);
  return {200, Json{{"id", ProcessorId(*after)}, {"preset", *preset}, {"done", s[6]}}};
}

ApiResponse ProcessorRoute(const ApiRequest& request, const std::vector<std::string>& s, ProcessorService& service) {
  const std::optional<ChipIdBytes> chip_id = ParseProcessorId(s[3]);
  if (!chip_id) {
    return ErrorResponse(400, "\"" + s[3] + "\" is not a processor ID: use the 16 hexadecimal digits of its chip ID");
  }
  DeviceRecord* record = service.Find(*chip_id);
  if (record == nullptr) return ErrorResponse(404, "no processor " + s[3] + " on the bus: see /api/v1/processors");
  if (s.size() >= 5 && s[4] == "presets") return PresetRoute(request, s, service, *record);
  if (s.size() != 4) return NotFound(request);
  if (request.method == "GET") return {200, ProcessorDocument(*record, service.Connected(*record))};
  if (request.method == "PATCH") return PatchProcessor(request, service, *record);
  return WrongMethod(request, "GET or PATCH");
}

ApiResponse Route(const ApiRequest& request, ProcessorService& service) {
  const std::vector<std::string> s = Segments(request.path);
  if (s.size() < 3 || s[0] != "api" || s[1] != "v1") return NotFound(request);
  if (s[2] == "rescan" && s.size() == 3) {
    if (request.method != "POST") return WrongMethod(request, "POST");
    service.ScanAndReadAll();
    return ListProcessors(service);
  }
  if (s[2] != "processors") return NotFound(request);
  if (s.size() == 3) return request.method == "GET" ? ListProcessors(service) : WrongMethod(request, "GET");
  return ProcessorRoute(request, s, service);
}

bool ChangesTheBus(const ApiRequest& request) { return request.method != "GET"; }

}  // namespace

ApiResponse ErrorResponse(int status, const std::string& message) { return {status, Json{{"error", message}}}; }

// Bus work that fails is a gateway's failure: the request was sound, the
// processors did not carry it out.
ApiResponse HandleApiRequest(const ApiRequest& request, ProcessorService& service) {
  if (!service.BusLost().empty() && ChangesTheBus(request)) {
    return ErrorResponse(503, "the bus is lost (" + service.BusLost() + "): reconnect the adapter and restart dspserve");
  }
  try {
    return Route(request, service);
  } catch (const PortLost& lost) {
    service.MarkBusLost(lost.what());
    return ErrorResponse(503, std::string("the bus is lost (") + lost.what() +
                                  "): reconnect the adapter and restart dspserve");
  } catch (const CliFailure& failure) {
    return ErrorResponse(502, failure.what());
  }
}

}  // namespace dsp
