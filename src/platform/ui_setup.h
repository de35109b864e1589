#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QApplication;

namespace dsp {

// Command-line options every skinned program understands.
struct UiOptions {
  std::optional<std::string> skin_dir;    // --skin-dir DIR
  std::optional<std::string> script;      // --script FILE
  std::optional<std::string> screenshot;  // --screenshot FILE
  std::vector<std::string> rest;          // everything else, in order (no program name)
};

// Picks the options above out of argv. Throws std::invalid_argument naming
// an option given without its value.
UiOptions ParseUiOptions(int argc, const char* const* argv);

// The skin folder: --skin-dir, else $DSPDESK_SKIN_DIR, else "skin" beside
// the executable (a build folder), else "../share/dspdesk/skin" from the
// executable's folder (an installed program in bin/).
std::filesystem::path ResolveSkinDir(const UiOptions& options, const std::filesystem::path& executable_dir);

// Prepares a new QApplication for skinned windows: the Fusion style, a
// default font that has Chinese glyphs, and the skin folder. Returns an
// error text for the user (empty when all is well).
std::string SetUpToolkit(QApplication& app, const UiOptions& options);

}  // namespace dsp
