#pragma once

// The events the daemon tells its listeners (level readings, parameter
// changes, the bus lost), handed from the bus thread to every open event
// stream. A listener that falls behind loses its oldest events rather than
// holding memory: the next reading or record makes up for them.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

namespace dsp {

struct ServeEvent {
  std::string type;  // "levels", "parameters", "bus"
  std::string data;  // one JSON document
};

class EventHub;

class EventSubscription {
 public:
  static constexpr std::size_t kMaxQueued = 256;

  // The next event, or nothing when none came within `timeout` or the hub
  // closed.
  std::optional<ServeEvent> Next(std::chrono::milliseconds timeout);
  bool Closed();

 private:
  friend class EventHub;
  void Push(const ServeEvent& event);
  void Close();

  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<ServeEvent> queue_;
  bool closed_ = false;
};

class EventHub {
 public:
  explicit EventHub(std::size_t max_subscribers) : max_subscribers_(max_subscribers) {}
  ~EventHub() { Close(); }

  // Nothing when the hub has as many listeners as it takes, or is closed.
  std::shared_ptr<EventSubscription> Subscribe();
  void Unsubscribe(const std::shared_ptr<EventSubscription>& subscription);
  void Publish(const ServeEvent& event);
  // Ends every stream (the daemon stopping).
  void Close();

 private:
  std::mutex mutex_;
  std::set<std::shared_ptr<EventSubscription>> subscriptions_;
  std::size_t max_subscribers_;
  bool closed_ = false;
};

}  // namespace dsp
