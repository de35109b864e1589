#pragma once

// The processors as the daemon keeps them: the session's records, kept
// current from the daemon's own writes, the read-backs and the level poll.
// Everything here runs on the one thread that owns the bus; what changes is
// told to the event hub (and shown to the HTTP threads by the bus worker). Bus work that fails throws CliFailure, and PortLost
// once the port is gone.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cli/session.h"
#include "protocol/level_poll.h"
#include "serve/event_hub.h"
#include "serve/parameter_patch.h"
#include "serve/write_schedule.h"

namespace dsp {

class ProcessorService {
 public:
  ProcessorService(Session& session, EventHub& events);

  DeviceList& Devices() { return session_.devices(); }
  const Configuration& Config() const { return session_.config(); }
  DeviceRecord* Find(const ChipIdBytes& chip_id);
  // Whether it answered its last level poll (or its read, before any poll).
  bool Connected(const DeviceRecord& record) const;
  // Empty while the bus works; once the port is gone, why.
  const std::string& BusLost() const { return bus_lost_; }
  void MarkBusLost(const std::string& message);

  // Scans the bus afresh and reads every processor found.
  void ScanAndReadAll();
  // Takes the changes into the processor's record and schedules their
  // writes; nothing when the processor is gone from the bus.
  void Change(const ChipIdBytes& chip_id, const std::vector<ParameterChange>& changes, const std::string& source);
  // Recalls the preset, waits for the processor to carry it out and reads
  // it back.
  void Recall(const ChipIdBytes& chip_id, int preset);
  // Stores the current settings as the preset and waits while the
  // processor saves it.
  void Save(const ChipIdBytes& chip_id, int preset);
  // Sends the writes that are due and, every level-poll period, polls.
  void Tick();
  // Sends every scheduled write now and waits until they are out: before a
  // procedure, which would overtake them, and before the daemon stops.
  void Flush();
  // Counts the changes of what the API shows of the processors (records,
  // connected, the bus lost), so that the bus thread knows when to show
  // them afresh.
  std::uint64_t Version() const { return version_; }

 private:
  std::int64_t NowMs();
  void SendWrites(const std::vector<WriteId>& writes);
  DeviceRecord& Require(const ChipIdBytes& chip_id);
  void PublishChanges(const DeviceRecord& record, const Json& sections, const std::string& source);
  void PublishLevels(const DeviceRecord& record, bool online);

  Session& session_;
  EventHub& events_;
  WriteSchedule writes_;
  LevelPoll level_poll_;
  std::int64_t next_poll_ms_ = 0;
  std::map<ChipIdBytes, bool> connected_;
  std::string bus_lost_;
  std::uint64_t version_ = 0;
};

}  // namespace dsp
