#include "serve/api.h"

#include <charconv>
#include <functional>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/cli_failure.h"
#include "serve/bus_worker.h"
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

ApiResponse BusLost(const std::string& why) {
  return ErrorResponse(503, "the bus is lost (" + why + "): reconnect the adapter and restart dspserve");
}

ApiResponse ListProcessors(const ServedView& view) {
  Json list = Json::array();
  for (const auto& processor : view.processors) list.push_back(ProcessorSummary(processor->record, processor->connected));
  return {200, std::move(list)};
}

// The work is done on the bus thread. Bus work that fails is a gateway's
// failure: the request was sound, the processors did not carry it out.
ApiResponse OnBus(BusWorker& worker, std::chrono::milliseconds timeout,
                  const std::function<void(ProcessorService&)>& work) {
  return worker.Call(
      [work](ProcessorService& service) {
        if (!service.BusLost().empty()) return BusLost(service.BusLost());
        try {
          work(service);
          return ApiResponse{200, nullptr};
        } catch (const PortLost& lost) {
          service.MarkBusLost(lost.what());
          return BusLost(lost.what());
        } catch (const CliFailure& failure) {
          return ErrorResponse(502, failure.what());
        }
      },
      timeout);
}

ApiResponse PatchProcessor(const ApiRequest& request, BusWorker& worker, std::chrono::milliseconds timeout,
                           const ServedView& view, const ServedProcessor& processor) {
  if (!view.bus_lost.empty()) return BusLost(view.bus_lost);
  const Json body = Json::parse(request.body, nullptr, false);
  if (body.is_discarded()) return ErrorResponse(400, "the body is not JSON: send an object of sections");
  CheckedPatch patch = CheckPatch(body, processor.record, worker.Records().Config());
  if (!patch.Ok()) {
    ApiResponse refused = ErrorResponse(400, patch.refused_key + ": " + patch.reason + ". Nothing was changed.");
    refused.body["key"] = patch.refused_key;
    refused.body["reason"] = patch.reason;
    return refused;
  }
  const ChipIdBytes chip_id = processor.record.ChipId();
  const ServedRecords::Accepted accepted = worker.Records().Accept(chip_id, std::move(patch.changes), timeout);
  switch (accepted.acceptance) {
    case ServedRecords::Acceptance::kTaken:
      return {200, nullptr, accepted.after->DocumentText()};
    case ServedRecords::Acceptance::kGone:
      return ErrorResponse(404, "the processor " + ProcessorId(processor.record) + " is gone from the bus: rescan");
    case ServedRecords::Acceptance::kBehind:
      break;
  }
  return ErrorResponse(503, "the bus is behind with the changes already accepted: try again in a moment");
}

ApiResponse PresetList(const DeviceRecord& record) {
  Json presets = Json::array();
  for (int preset = 0; preset < kPresetSlots; ++preset) {
    presets.push_back(Json{{"preset", preset}, {"name", record.PresetName(preset)}});
  }
  return {200, std::move(presets)};
}

// /processors/{id}/presets[/{n}/recall|save]
ApiResponse PresetRoute(const ApiRequest& request, const std::vector<std::string>& s, BusWorker& worker,
                        std::chrono::milliseconds timeout, const DeviceRecord& record) {
  if (s.size() == 5) return request.method == "GET" ? PresetList(record) : WrongMethod(request, "GET");
  const std::optional<int> preset = PresetNumber(s[5]);
  if (s.size() != 7 || (s[6] != "recall" && s[6] != "save")) return NotFound(request);
  if (request.method != "POST") return WrongMethod(request, "POST");
  if (!preset) return ErrorResponse(400, "the preset must be a number from 0 to " + std::to_string(kLastPreset));
  const ChipIdBytes chip_id = record.ChipId();
  const bool recall = s[6] == "recall";
  // By value: after a timeout the work goes on without this request.
  const ApiResponse done = OnBus(worker, timeout, [chip_id, preset = *preset, recall](ProcessorService& service) {
    if (recall) {
      service.Recall(chip_id, preset);
    } else {
      service.Save(chip_id, preset);
    }
  });
  if (done.status != 200) return done;
  return {200, Json{{"id", ProcessorId(record)}, {"preset", *preset}, {"done", s[6]}}};
}

ApiResponse ProcessorRoute(const ApiRequest& request, const std::vector<std::string>& s, BusWorker& worker,
                           std::chrono::milliseconds timeout, const ServedView& view) {
  const std::optional<ChipIdBytes> chip_id = ParseProcessorId(s[3]);
  if (!chip_id) {
    return ErrorResponse(400, "\"" + s[3] + "\" is not a processor ID: use the 16 hexadecimal digits of its chip ID");
  }
  const ServedProcessor* processor = view.Find(*chip_id);
  if (processor == nullptr) return ErrorResponse(404, "no processor " + s[3] + " on the bus: see /api/v1/processors");
  if (s.size() >= 5 && s[4] == "presets") return PresetRoute(request, s, worker, timeout, processor->record);
  if (s.size() != 4) return NotFound(request);
  if (request.method == "GET") return {200, nullptr, processor->DocumentText()};
  if (request.method == "PATCH") return PatchProcessor(request, worker, timeout, view, *processor);
  return WrongMethod(request, "GET or PATCH");
}

}  // namespace

ApiResponse ErrorResponse(int status, const std::string& message) { return {status, Json{{"error", message}}}; }

ApiResponse HandleApiRequest(const ApiRequest& request, BusWorker& worker, std::chrono::milliseconds bus_timeout) {
  const std::vector<std::string> s = Segments(request.path);
  if (s.size() < 3 || s[0] != "api" || s[1] != "v1") return NotFound(request);
  if (s[2] == "rescan" && s.size() == 3) {
    if (request.method != "POST") return WrongMethod(request, "POST");
    const ApiResponse done = OnBus(worker, bus_timeout, [](ProcessorService& service) { service.ScanAndReadAll(); });
    if (done.status != 200) return done;
  } else if (s[2] != "processors") {
    return NotFound(request);
  }
  const std::shared_ptr<const ServedView> view = worker.Records().View();
  if (!view) return ErrorResponse(503, "dspserve is still scanning and reading the processors: try again shortly");
  if (s.size() == 3) {
    return request.method == "GET" || s[2] == "rescan" ? ListProcessors(*view) : WrongMethod(request, "GET");
  }
  return ProcessorRoute(request, s, worker, bus_timeout, *view);
}

}  // namespace dsp
