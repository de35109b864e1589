#include "persist/network_port_setting.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "link/port_name.h"
#include "link/utf8_path.h"
#include "persist/ini_file.h"

namespace dsp {
namespace {

constexpr const char* kSection = "Option";
constexpr const char* kKey = "NetworkPorts";

bool IsNetworkPort(const std::string& name) {
  std::string refused;
  const std::optional<PortName> parsed = ParsePortName(name, refused);
  return parsed && parsed->kind != PortKind::kLocal;
}

std::vector<std::string> SplitPorts(const std::string& text) {
  std::vector<std::string> ports;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    std::string name = text.substr(start, comma - start);
    if (IsNetworkPort(name) && std::find(ports.begin(), ports.end(), name) == ports.end()) {
      ports.push_back(std::move(name));
    }
    start = comma + 1;
  }
  return ports;
}

}  // namespace

std::vector<std::string> ReadNetworkPorts(const std::string& setting_file) {
  IniFile ini;
  if (!ReadIniFile(setting_file, ini).Ok()) return {};
  return SplitPorts(ini.Value(kSection, kKey).value_or(""));
}

FileResult RememberNetworkPort(const std::string& setting_file, const std::string& port) {
  IniFile ini;
  std::error_code error;
  if (std::filesystem::exists(Utf8Path(setting_file), error)) {
    if (FileResult read = ReadIniFile(setting_file, ini); !read.Ok()) return read;
  }
  const std::filesystem::path folder = Utf8Path(setting_file).parent_path();
  if (!folder.empty() && !std::filesystem::create_directories(folder, error) && error) {
    return FileResult::Failure(FileError::kCannotWrite, "Cannot create the folder \"" + Utf8Text(folder) +
                                                            "\": " + error.message() + ". The port was not kept.");
  }
  std::vector<std::string> ports = SplitPorts(ini.Value(kSection, kKey).value_or(""));
  std::erase(ports, port);
  ports.insert(ports.begin(), port);
  if (ports.size() > kRememberedNetworkPorts) ports.resize(kRememberedNetworkPorts);
  std::string text;
  for (const std::string& name : ports) text += (text.empty() ? "" : ",") + name;
  ini.Set(kSection, kKey, text);
  return WriteIniFile(setting_file, ini);
}

}  // namespace dsp
