#include "persist/parameter_file.h"

#include "model/chip_id.h"
#include "persist/file_name.h"
#include "persist/ini_file.h"
#include "persist/number_text.h"
#include "persist/parameter_layout.h"

namespace dsp {
namespace {

constexpr const char* kOriginSection = "processor";

bool HoldsAnyParameterSection(const IniFile& ini, const DeviceRecord& record) {
  bool found = false;
  layout::ForEachSection(record, [&](const std::string& section) { found = found || ini.HasSection(section); });
  return found;
}

// A processor's name on one line of the file: control bytes would end the
// line or the value.
std::string OneLine(const std::string& name) {
  std::string line = name;
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return line;
}

FileResult OutOfRange(const std::string& path, const layout::Key& key, const std::optional<std::string>& text,
                      layout::Range range) {
  const std::string item = "[" + key.section + "] " + key.name + (text ? " = " + *text : " (missing: 0)");
  FileResult refused = FileResult::Failure(
      FileError::kValueOutOfRange, "\"" + path + "\": " + item + " is out of range: use " + std::to_string(range.min) +
                                       " to " + std::to_string(range.max) +
                                       ". Nothing was changed; correct that value or choose another file.");
  refused.item = item;
  return refused;
}

}  // namespace

std::string WithIniExtension(const std::string& name) { return WithExtension(name, ".ini"); }

FileResult SaveParameterFile(const DeviceRecord& record, const std::string& path) {
  IniFile ini;
  ini.Set(kOriginSection, "chip_id", ChipIdText(record.ChipId()));
  ini.Set(kOriginSection, "name", OneLine(record.Name()));
  layout::ForEachKey(record,
                     [&](const layout::Key& key) { ini.Set(key.section, key.name, std::to_string(key.Get(record))); });
  return WriteIniFile(path, ini);
}

FileResult LoadParameterFile(const std::string& path, const Configuration& config, DeviceRecord& record) {
  IniFile ini;
  if (FileResult read = ReadIniFile(path, ini); !read.Ok()) return read;
  if (!HoldsAnyParameterSection(ini, record)) {
    return FileResult::Failure(FileError::kNotParameterFile,
                               "\"" + path +
                                   "\" is not a parameter file: it has none of the sections \"input 0\", "
                                   "\"output 0\" or \"router\". Nothing was changed; choose a parameter file "
                                   "saved by this program.");
  }
  // The record takes the values only once every one of them has passed.
  DeviceRecord loaded = record;
  FileResult refused = FileResult::Success();
  layout::ForEachKey(record, [&](const layout::Key& key) {
    if (!refused.Ok()) return;
    const std::optional<std::string> text = ini.Value(key.section, key.name);
    const int value = LeadingInt(text.value_or("0"));
    const layout::Range range = key.Allowed(config);
    if (range.Holds(value)) {
      key.Set(loaded, value);
    } else {
      refused = OutOfRange(path, key, text, range);
    }
  });
  if (refused.Ok()) record = loaded;
  return refused;
}

FileResult ReadParameterFileOrigin(const std::string& path, std::optional<ParameterFileOrigin>& origin) {
  IniFile ini;
  if (FileResult read = ReadIniFile(path, ini); !read.Ok()) return read;
  origin.reset();
  const std::optional<ChipIdBytes> chip_id = ParseChipId(ini.Value(kOriginSection, "chip_id").value_or(""));
  if (chip_id) origin = ParameterFileOrigin{*chip_id, ini.Value(kOriginSection, "name").value_or("")};
  return FileResult::Success();
}

}  // namespace dsp
