#pragma once

// Which handler takes a window message sent or posted to the main window,
// one per message number. A handler says whether it took the message; one
// it did not take goes on to the toolkit.

#include <cstdint>
#include <functional>
#include <map>

namespace dsp {

class MessageTable {
 public:
  using Handler = std::function<bool(std::uintptr_t wparam, std::intptr_t lparam)>;

  // Makes a member function of `object` the handler of `message`.
  template <class T>
  void On(std::uint32_t message, T* object, bool (T::*member)(std::uintptr_t, std::intptr_t)) {
    handlers_[message] = [object, member](std::uintptr_t wparam, std::intptr_t lparam) {
      return (object->*member)(wparam, lparam);
    };
  }

  // False when no handler is registered or it did not take the message.
  bool Dispatch(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) const {
    auto found = handlers_.find(message);
    return found != handlers_.end() && found->second(wparam, lparam);
  }

 private:
  std::map<std::uint32_t, Handler> handlers_;
};

}  // namespace dsp
