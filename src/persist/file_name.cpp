#include "persist/file_name.h"

#include "persist/text.h"

namespace dsp {

std::string WithExtension(const std::string& name, std::string_view extension) {
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && text::EqualsNoCase(std::string_view(name).substr(dot), extension)) return name;
  return name + std::string(extension);
}

}  // namespace dsp
