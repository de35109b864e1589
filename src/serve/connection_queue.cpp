#include "serve/connection_queue.h"

namespace dsp {
namespace {

thread_local bool refusing_thread = false;

}  // namespace

ConnectionQueue::ConnectionQueue(std::size_t max_connections) : max_connections_(max_connections) {
  for (std::size_t i = 0; i < max_connections; ++i) threads_.emplace_back([this] { Serve(); });
  threads_.emplace_back([this] { Refuse(); });
}

ConnectionQueue::~ConnectionQueue() {
  if (!threads_.empty()) shutdown();
}

// Called on the accepting thread, the only one that waits here.
void ConnectionQueue::enqueue(std::function<void()> connection) {
  std::unique_lock lock(mutex_);
  if (serving_ + admitted_.size() < max_connections_) {
    admitted_.push_back(std::move(connection));
    lock.unlock();
    admitted_arrived_.notify_one();
    return;
  }
  refusal_room_.wait(lock, [this] { return refused_.size() < kMaxRefusalsWaiting; });
  refused_.push_back(std::move(connection));
  lock.unlock();
  refused_arrived_.notify_one();
}

// Connections already taken are still served (and refused) to their end.
void ConnectionQueue::shutdown() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  admitted_arrived_.notify_all();
  refused_arrived_.notify_all();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

bool ConnectionQueue::OnRefusingThread() { return refusing_thread; }

void ConnectionQueue::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    admitted_arrived_.wait(lock, [this] { return stopping_ || !admitted_.empty(); });
    if (admitted_.empty()) return;
    const Connection connection = std::move(admitted_.front());
    admitted_.pop_front();
    ++serving_;
    lock.unlock();
    connection();
    lock.lock();
    --serving_;
  }
}

void ConnectionQueue::Refuse() {
  refusing_thread = true;
  std::unique_lock lock(mutex_);
  for (;;) {
    refused_arrived_.wait(lock, [this] { return stopping_ || !refused_.empty(); });
    if (refused_.empty()) return;
    const Connection connection = std::move(refused_.front());
    refused_.pop_front();
    lock.unlock();
    refusal_room_.notify_one();
    connection();
    lock.lock();
  }
}

}  // namespace dsp
