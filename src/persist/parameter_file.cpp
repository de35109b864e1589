#include "persist/parameter_file.h"

#include "persist/file_name.h"
#include "persist/ini_file.h"
#include "persist/number_text.h"
#include "persist/parameter_layout.h"

namespace dsp {
namespace {

bool HoldsAnyParameterSection(const IniFile& ini, const DeviceRecord& record) {
  bool found = false;
  layout::ForEachSection(record, [&](const std::string& section) { found = found || ini.HasSection(section); });
  return found;
}

}  // namespace

std::string WithIniExtension(const std::string& name) { return WithExtension(name, ".ini"); }

FileResult SaveParameterFile(const DeviceRecord& record, const std::string& path) {
  IniFile ini;
  layout::ForEachKey(record,
                     [&](const layout::Key& key) { ini.Set(key.section, key.name, std::to_string(key.Get(record))); });
  return WriteIniFile(path, ini);
}

FileResult LoadParameterFile(const std::string& path, DeviceRecord& record) {
  IniFile ini;
  if (FileResult read = ReadIniFile(path, ini); !read.Ok()) return read;
  if (!HoldsAnyParameterSection(ini, record)) {
    return FileResult::Failure(FileError::kNotParameterFile,
                               "\"" + path +
                                   "\" is not a parameter file: it has none of the sections \"input 0\", "
                                   "\"output 0\" or \"router\". Nothing was changed; choose a parameter file "
                                   "saved by this program.");
  }
  layout::ForEachKey(record, [&](const layout::Key& key) {
    key.Set(record, LeadingInt(ini.Value(key.section, key.name).value_or("0")));
  });
  return FileResult::Success();
}

}  // namespace dsp
