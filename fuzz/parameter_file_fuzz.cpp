// The INI reader and the parameter file's key walk, fed any text: what a
// user may pick as a parameter file or Setting.ini.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persist/ini_file.h"
#include "persist/language_setting.h"
#include "persist/number_text.h"
#include "persist/parameter_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dsp;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const IniFile ini = IniFile::Parse(input);
  // One channel a side walks every kind of key.
  DeviceRecord record(1, ChipIdBytes{}, 1, 1, "Fuzz");
  layout::ForEachKey(record, [&](const layout::Key& key) {
    key.Set(record, LeadingInt(ini.Value(key.section, key.name).value_or("0")));
  });
  // What was read must write out and read back the same. Left out: values
  // with a carriage return or quotes (the format has no way to write a line
  // break inside a value, or blanks kept inside quotes) and a second byte
  // order mark, which a key may begin with but which reads back as the mark.
  const std::string text = ini.Serialize();
  if (input.find_first_of("\r\"\xEF") == std::string_view::npos && IniFile::Parse(text).Serialize() != text) {
    __builtin_trap();
  }
  return 0;
}
