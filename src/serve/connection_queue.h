#pragma once

// The HTTP library hands every accepted connection to a task queue whose
// own queue has no bound. This one serves at most a fixed number of
// connections at once, each on a thread of its own; a connection beyond
// that is handed to one answering thread instead, where the request is
// read and refused (OnRefusingThread() tells the handlers so), and while
// too many refusals are waiting the accepting thread waits too, leaving
// further connections in the system's backlog.

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace dsp {

class ConnectionQueue : public httplib::TaskQueue {
 public:
  static constexpr std::size_t kMaxRefusalsWaiting = 64;

  explicit ConnectionQueue(std::size_t max_connections);
  ~ConnectionQueue() override;

  void enqueue(std::function<void()> connection) override;
  void shutdown() override;

  // Whether the calling thread is the one answering connections beyond the
  // limit.
  static bool OnRefusingThread();

 private:
  using Connection = std::function<void()>;
  void Serve();
  void Refuse();

  std::size_t max_connections_;
  std::mutex mutex_;
  std::condition_variable admitted_arrived_;
  std::condition_variable refused_arrived_;
  std::condition_variable refusal_room_;
  std::deque<Connection> admitted_;
  std::deque<Connection> refused_;
  std::size_t serving_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace dsp
