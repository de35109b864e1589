#include "app/notify_registry.h"

namespace dsp {

void NotifyRegistry::Register(std::string_view type, std::string_view name, NotifyHandler handler) {
  auto by_type = pairs_.find(type);
  if (by_type == pairs_.end()) by_type = pairs_.emplace(std::string(type), NameMap{}).first;
  by_type->second.insert_or_assign(std::string(name), std::move(handler));
}

void NotifyRegistry::Unregister(std::string_view type, std::string_view name) {
  auto by_type = pairs_.find(type);
  if (by_type == pairs_.end()) return;
  auto found = by_type->second.find(name);
  if (found != by_type->second.end()) by_type->second.erase(found);
}

const NotifyHandler* NotifyRegistry::Find(std::string_view type, std::string_view name) const {
  auto by_type = pairs_.find(type);
  if (by_type == pairs_.end()) return nullptr;
  const NameMap& names = by_type->second;
  std::string_view key = name;
  if (!names.contains(key)) {
    if (name.find(kDeviceNameFragment) != std::string_view::npos) key = kDeviceNameFragment;
    else if (name.find(kSyncButtonFragment) != std::string_view::npos) key = kSyncButtonFragment;
    else return nullptr;
  }
  auto found = names.find(key);
  return found == names.end() ? nullptr : &found->second;
}

std::vector<std::string> NotifyRegistry::Types() const {
  std::vector<std::string> types;
  for (const auto& [type, names] : pairs_) types.push_back(type);
  return types;
}

std::vector<std::string> NotifyRegistry::Names(std::string_view type) const {
  std::vector<std::string> list;
  auto by_type = pairs_.find(type);
  if (by_type == pairs_.end()) return list;
  for (const auto& [name, handler] : by_type->second) list.push_back(name);
  return list;
}

}  // namespace dsp
