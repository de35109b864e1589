#include "serve/event_hub.h"

namespace dsp {

std::optional<ServeEvent> EventSubscription::Next(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  arrived_.wait_for(lock, timeout, [this] { return closed_ || !queue_.empty(); });
  if (queue_.empty()) return std::nullopt;
  ServeEvent event = std::move(queue_.front());
  queue_.pop_front();
  return event;
}

bool EventSubscription::Closed() {
  std::lock_guard lock(mutex_);
  return closed_;
}

void EventSubscription::Push(const ServeEvent& event) {
  {
    std::lock_guard lock(mutex_);
    if (queue_.size() >= kMaxQueued) queue_.pop_front();
    queue_.push_back(event);
  }
  arrived_.notify_one();
}

void EventSubscription::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  arrived_.notify_all();
}

std::shared_ptr<EventSubscription> EventHub::Subscribe() {
  std::lock_guard lock(mutex_);
  if (closed_ || subscriptions_.size() >= max_subscribers_) return nullptr;
  auto subscription = std::make_shared<EventSubscription>();
  subscriptions_.insert(subscription);
  return subscription;
}

void EventHub::Unsubscribe(const std::shared_ptr<EventSubscription>& subscription) {
  std::lock_guard lock(mutex_);
  subscriptions_.erase(subscription);
}

void EventHub::Publish(const ServeEvent& event) {
  std::lock_guard lock(mutex_);
  for (const auto& subscription : subscriptions_) subscription->Push(event);
}

void EventHub::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  for (const auto& subscription : subscriptions_) subscription->Close();
  subscriptions_.clear();
}

}  // namespace dsp
