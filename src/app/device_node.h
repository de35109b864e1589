#pragma once

// The device tree's node of one processor, built from the style attribute
// lists the skin puts on the root node (treenode_device): the address, the
// name edit, the status and sync indicator labels, the connection box and
// the sync and delete buttons, each named with "_" + the position.

#include <optional>
#include <string>

#include "language/language.h"

namespace dsp {

class Window;

inline constexpr const char* kDeviceTree = "treeview_device_list";
inline constexpr const char* kDeviceRootNode = "treenode_device";
inline constexpr const char* kHideDeviceListSwitch = "checkbox_hide_device_list";

// Adds the node of the processor at `position` (address position + 1),
// hidden while the device list is; gives the name of its delete button, or
// nothing when the skin has no device tree.
std::optional<std::string> AddDeviceNode(const Window& window, const std::string& name, int position,
                                         Language language);

}  // namespace dsp
