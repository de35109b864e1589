#pragma once

#include <filesystem>
#include <string_view>

#include "platform/skin_element.h"

namespace dsp {

// Reads `relative_path` (e.g. "view/MainWindow.xml") below `skin_dir`,
// splices in <Include source="..."/> files and expands <Repeat> blocks.
// Throws SkinError with the file, line and reason of the first problem.
SkinElement ReadSkinFile(const std::filesystem::path& skin_dir, std::string_view relative_path);

}  // namespace dsp
