#include "serve/processor_service.h"

#include <nlohmann/json.hpp>

#include "cli/cli_failure.h"
#include "cli/commands.h"
#include "model/chip_id.h"
#include "cli/procedure_runs.h"
#include "model/write_builders.h"
#include "serve/processor_json.h"

namespace dsp {

ProcessorService::ProcessorService(Session& session, EventHub& events)
    : session_(session), events_(events), level_poll_(session.link()) {}

DeviceRecord* ProcessorService::Find(const ChipIdBytes& chip_id) {
  return FindDevice(session_.devices(), DeviceRef{0, chip_id, ""});
}

bool ProcessorService::Connected(const DeviceRecord& record) const {
  const auto found = connected_.find(record.ChipId());
  return bus_lost_.empty() && found != connected_.end() && found->second;
}

void ProcessorService::MarkBusLost(const std::string& message) {
  bus_lost_ = message;
  ++version_;
  events_.Publish({"bus", JsonText(Json{{"lost", true}, {"message", message}})});
}

// A processor that does not read is listed as not connected rather than
// keeping the others from being served.
void ProcessorService::ScanAndReadAll() {
  Flush();
  ++version_;
  session_.Scan();
  connected_.clear();
  for (DeviceRecord& record : session_.devices()) {
    const DeviceRecord before = record;
    try {
      RunReadAll(session_, record.Address(), kSyncStartDelayMs);
      connected_[record.ChipId()] = true;
    } catch (const PortLost&) {
      throw;
    } catch (const CliFailure& failure) {
      session_.console().Note(failure.what());
      connected_[record.ChipId()] = false;
    }
    PublishChanges(record, ChangedParameters(before, record), "read");
  }
}

// Only the keys whose values the changes move are told.
void ProcessorService::Change(const ChipIdBytes& chip_id, const std::vector<ParameterChange>& changes,
                              const std::string& source) {
  DeviceRecord* record = Find(chip_id);
  if (record == nullptr) return;
  Json sections = Json::object();
  for (const ParameterChange& change : changes) {
    const int before = change.field->get(*record, change.side, change.ch, change.index);
    change.field->set(*record, change.side, change.ch, change.index, change.value);
    const int after = change.field->get(*record, change.side, change.ch, change.index);
    if (after != before) sections[change.section][change.key] = after;
    writes_.Schedule(WriteFor(change, record->Address()), NowMs());
  }
  ++version_;
  PublishChanges(*record, sections, source);
}

void ProcessorService::Recall(const ChipIdBytes& chip_id, int preset) {
  Flush();
  const DeviceRecord before = Require(chip_id);
  RecallAndReadBack(session_, before.Address(), preset, "Loading effect...");
  const DeviceRecord& after = Require(chip_id);
  connected_[chip_id] = true;
  ++version_;
  PublishChanges(after, ChangedParameters(before, after), "preset");
}

void ProcessorService::Save(const ChipIdBytes& chip_id, int preset) {
  Flush();
  SavePresetAndWait(session_, Require(chip_id).Address(), preset);
  ++version_;
}

void ProcessorService::Tick() {
  SendWrites(writes_.TakeDue(NowMs()));
  if (NowMs() < next_poll_ms_ || session_.devices().empty()) return;
  next_poll_ms_ = NowMs() + LevelPoll::kTickMs;
  const std::optional<LevelAnswer> answer = level_poll_.Tick(session_.devices(), session_.link().IsOpen());
  if (!answer) return;
  if (const DeviceRecord* record = FindDevice(session_.devices(), answer->address)) {
    PublishLevels(*record, answer->online);
  }
}

std::int64_t ProcessorService::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(session_.clock().Now()).count();
}

void ProcessorService::SendWrites(const std::vector<WriteId>& writes) {
  for (const WriteId id : writes) {
    if (const std::optional<Bytes> frame = BuildWrite(id, session_.devices(), session_.config())) {
      session_.link().Send(*frame);
    }
  }
}

void ProcessorService::Flush() {
  SendWrites(writes_.TakeAll());
  session_.WaitForQuietLink();
}

DeviceRecord& ProcessorService::Require(const ChipIdBytes& chip_id) {
  if (DeviceRecord* record = Find(chip_id)) return *record;
  throw CliFailure("the processor with chip ID " + ChipIdText(chip_id) + " is gone from the bus: rescan");
}

void ProcessorService::PublishChanges(const DeviceRecord& record, const Json& sections, const std::string& source) {
  if (sections.empty()) return;
  events_.Publish({"parameters", JsonText(Json{{"id", ProcessorId(record)},
                                               {"source", source},
                                               {"parameters", sections}})});
}

void ProcessorService::PublishLevels(const DeviceRecord& record, bool online) {
  bool& connected = connected_[record.ChipId()];
  if (connected != online) ++version_;
  connected = online;
  Json reading{{"id", ProcessorId(record)}, {"connected", online}};
  if (online) reading.update(LevelsDb(record, session_.config()));
  events_.Publish({"levels", JsonText(reading)});
}

}  // namespace dsp
