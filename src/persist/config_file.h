#pragma once

// Configuration values kept in memory or read from a plain text file, for
// front ends that have no skin to carry them (the command-line tool).
//
// File format, one value per line; blank lines and lines starting with "#"
// or ";" are ignored; blanks around names and "=" do not matter:
//   config_baud = 9600                         (attribute "value")
//   config_effects.max = 128                   (control.attribute)
//   config_reset_frequency_input_0.frequency = 20,25,31
// Names are the skin's control and attribute names, matched exactly; the
// values are converted as the skin's are (configuration_reader.h). A later
// line for the same name wins.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "persist/configuration_reader.h"
#include "persist/file_result.h"

namespace dsp {

class AttributeMap : public AttributeSource {
 public:
  void Set(const std::string& control, const std::string& attribute, std::string text);
  std::optional<std::string> Attribute(const std::string& control, const std::string& attribute) const override;

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

// Adds the file's values to `attributes`. A missing or unreadable file, or a
// line that is not "name = value", is reported and adds nothing.
FileResult ReadConfigFile(const std::string& path, AttributeMap& attributes);
// The same for text already read; `path` only names it in messages.
FileResult ParseConfigText(std::string_view contents, const std::string& path, AttributeMap& attributes);

}  // namespace dsp
