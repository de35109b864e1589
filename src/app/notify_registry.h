#pragma once

// Which member of the main window handles a notification: event type, then
// control name, to a handler. Names are registered one by one (no
// patterns), except that the controls the device tree creates per device
// carry a position suffix and are found through two name fragments.

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/notification.h"

namespace dsp {

using NotifyHandler = std::function<void(Notification&)>;

class NotifyRegistry {
 public:
  // The fragments, tried in this order when a name is not registered as it is.
  static constexpr std::string_view kDeviceNameFragment = "edit_device_name";
  static constexpr std::string_view kSyncButtonFragment = "button_circle";

  // Adds or replaces one pair.
  void Register(std::string_view type, std::string_view name, NotifyHandler handler);
  // Makes a member function of `object` the handler of one pair.
  template <class T>
  void On(std::string_view type, std::string_view name, std::type_identity_t<T>* object,
          void (T::*member)(Notification&)) {
    Register(type, name, [object, member](Notification& notification) { (object->*member)(notification); });
  }
  void Unregister(std::string_view type, std::string_view name);

  // The handler for `name` under `type`: the exact name, else the first
  // fragment the name contains; nullptr when neither is registered under
  // that type. Matching is exact and case-sensitive.
  const NotifyHandler* Find(std::string_view type, std::string_view name) const;

  std::vector<std::string> Types() const;
  std::vector<std::string> Names(std::string_view type) const;

 private:
  using NameMap = std::map<std::string, NotifyHandler, std::less<>>;
  std::map<std::string, NameMap, std::less<>> pairs_;
};

}  // namespace dsp
