#pragma once

// The processors as the HTTP threads see them: a copy of the records that
// the bus thread replaces whenever its records change, so that reads never wait
// for bus work, and the changes accepted from clients that the bus thread
// has yet to take. An accepted change goes into the copy and into the queue
// in one step, so a read after it shows it, and the bus thread takes the
// changes in the order they were accepted.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/device_record.h"
#include "serve/parameter_patch.h"

namespace dsp {

struct ServedProcessor {
  ServedProcessor(const DeviceRecord& record, bool connected) : record(record), connected(connected) {}

  // The whole document as the API shows it, made by the first reader that
  // asks and kept for the others: fifty readers of one record make it once.
  const std::string& DocumentText() const;

  const DeviceRecord record;
  const bool connected;

 private:
  mutable std::once_flag rendered_;
  mutable std::string document_text_;
};

struct ServedView {
  std::vector<std::shared_ptr<const ServedProcessor>> processors;  // in the order the scan found them
  std::string bus_lost;  // empty while the bus works

  const ServedProcessor* Find(const ChipIdBytes& chip_id) const;
};

struct AcceptedChange {
  ChipIdBytes chip_id;
  std::vector<ParameterChange> changes;
};

class ServedRecords {
 public:
  static constexpr std::size_t kMaxWaitingChanges = 1024;

  explicit ServedRecords(const Configuration& config) : config_(config) {}

  const Configuration& Config() const { return config_; }
  // Nothing until the bus thread has published the records of its first
  // scan.
  std::shared_ptr<const ServedView> View() const;

  enum class Acceptance { kTaken, kGone, kBehind };
  struct Accepted {
    Acceptance acceptance;
    std::shared_ptr<const ServedProcessor> after;  // the processor with the changes, when taken
  };
  // Takes changes already checked against the processor's record. While as
  // many changes wait as the bus thread takes, waits up to `room_wait` for
  // it to take them (kBehind when it has not).
  Accepted Accept(const ChipIdBytes& chip_id, std::vector<ParameterChange> changes,
                  std::chrono::milliseconds room_wait);

  // The bus thread's side: the accepted changes not taken yet, oldest
  // first, and its records after a change of its own. Changes accepted
  // while it built them are applied to them before they are shown.
  std::vector<AcceptedChange> TakeAccepted();
  void Publish(ServedView view);

 private:
  static std::shared_ptr<const ServedProcessor> ApplyTo(ServedView& view, const AcceptedChange& accepted);

  const Configuration config_;
  mutable std::mutex mutex_;
  std::condition_variable room_;
  std::shared_ptr<const ServedView> view_;
  std::deque<AcceptedChange> waiting_;
};

}  // namespace dsp
