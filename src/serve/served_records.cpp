#include "serve/served_records.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "serve/processor_json.h"

namespace dsp {

const std::string& ServedProcessor::DocumentText() const {
  std::call_once(rendered_, [this] { document_text_ = JsonText(ProcessorDocument(record, connected)); });
  return document_text_;
}

const ServedProcessor* ServedView::Find(const ChipIdBytes& chip_id) const {
  const auto found = std::find_if(processors.begin(), processors.end(),
                                  [&](const auto& processor) { return processor->record.ChipId() == chip_id; });
  return found == processors.end() ? nullptr : found->get();
}

std::shared_ptr<const ServedView> ServedRecords::View() const {
  std::lock_guard lock(mutex_);
  return view_;
}

ServedRecords::Accepted ServedRecords::Accept(const ChipIdBytes& chip_id, std::vector<ParameterChange> changes,
                                              std::chrono::milliseconds room_wait) {
  std::unique_lock lock(mutex_);
  if (!room_.wait_for(lock, room_wait, [this] { return waiting_.size() < kMaxWaitingChanges; })) {
    return {Acceptance::kBehind, nullptr};
  }
  if (!view_) return {Acceptance::kGone, nullptr};
  AcceptedChange accepted{chip_id, std::move(changes)};
  auto view = std::make_shared<ServedView>(*view_);
  std::shared_ptr<const ServedProcessor> after = ApplyTo(*view, accepted);
  if (!after) return {Acceptance::kGone, nullptr};
  waiting_.push_back(std::move(accepted));
  view_ = std::move(view);
  return {Acceptance::kTaken, std::move(after)};
}

std::vector<AcceptedChange> ServedRecords::TakeAccepted() {
  std::vector<AcceptedChange> taken;
  {
    std::lock_guard lock(mutex_);
    taken.assign(std::make_move_iterator(waiting_.begin()), std::make_move_iterator(waiting_.end()));
    waiting_.clear();
  }
  room_.notify_all();
  return taken;
}

void ServedRecords::Publish(ServedView view) {
  std::lock_guard lock(mutex_);
  for (const AcceptedChange& accepted : waiting_) ApplyTo(view, accepted);
  view_ = std::make_shared<const ServedView>(std::move(view));
}

// Only the processor changed is copied; the others are shared with the
// view before. Nothing when the processor is not in the view.
std::shared_ptr<const ServedProcessor> ServedRecords::ApplyTo(ServedView& view, const AcceptedChange& accepted) {
  for (auto& processor : view.processors) {
    if (processor->record.ChipId() != accepted.chip_id) continue;
    DeviceRecord record = processor->record;
    ApplyChanges(accepted.changes, record);
    auto changed = std::make_shared<const ServedProcessor>(record, processor->connected);
    processor = changed;
    return changed;
  }
  return nullptr;
}

}  // namespace dsp
