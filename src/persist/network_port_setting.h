#pragma once

// The network ports (device servers) the window has opened before, kept in
// Setting.ini beside the language (section "Option", key "NetworkPorts",
// comma-separated, the latest first) so that the settings dialog offers
// them again.

#include <string>
#include <vector>

#include "persist/file_result.h"

namespace dsp {

inline constexpr std::size_t kRememberedNetworkPorts = 8;

// The stored ports that still parse as network ports; none when the file or
// the key is missing.
std::vector<std::string> ReadNetworkPorts(const std::string& setting_file);

// Puts `port` first, keeping at most kRememberedNetworkPorts and whatever
// else the file holds.
FileResult RememberNetworkPort(const std::string& setting_file, const std::string& port);

}  // namespace dsp
