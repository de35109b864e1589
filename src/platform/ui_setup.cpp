#include "platform/ui_setup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "platform/qt_text.h"
#include "platform/toolkit.h"

namespace dsp {
namespace {

// Debian's fonts-wqy-microhei: Latin and CJK glyphs in one face.
constexpr const char* kDefaultFamily = "WenQuanYi Micro Hei";

}  // namespace

UiOptions ParseUiOptions(int argc, const char* const* argv) {
  UiOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    std::optional<std::string>* target = nullptr;
    if (argument == "--skin-dir") target = &options.skin_dir;
    else if (argument == "--script") target = &options.script;
    else if (argument == "--screenshot") target = &options.screenshot;
    if (target == nullptr) {
      options.rest.emplace_back(argument);
      continue;
    }
    if (i + 1 >= argc) throw std::invalid_argument(std::string(argument) + " needs a value");
    *target = argv[++i];
  }
  return options;
}

std::filesystem::path ResolveSkinDir(const UiOptions& options, const std::filesystem::path& executable_dir) {
  if (options.skin_dir) return *options.skin_dir;
  if (const char* from_environment = std::getenv("DSPDESK_SKIN_DIR"); from_environment != nullptr && *from_environment != '\0') {
    return from_environment;
  }
  const std::filesystem::path beside = executable_dir / "skin";
  const std::filesystem::path installed = executable_dir.parent_path() / "share" / "dspdesk" / "skin";
  return !std::filesystem::is_directory(beside) && std::filesystem::is_directory(installed) ? installed : beside;
}

std::string SetUpToolkit(QApplication& app, const UiOptions& options) {
  if (QStyle* fusion = QStyleFactory::create("Fusion")) QApplication::setStyle(fusion);
  if (QFontDatabase::families().contains(kDefaultFamily)) {
    QFont font = QApplication::font();
    font.setFamily(kDefaultFamily);
    QApplication::setFont(font);
  }
  const std::filesystem::path skin_dir =
      ResolveSkinDir(options, ToStd(app.applicationDirPath()));
  Toolkit::SetSkinDir(skin_dir);
  if (!std::filesystem::is_directory(skin_dir)) {
    return "The skin folder " + skin_dir.string() +
           " does not exist; pass --skin-dir DIR or set DSPDESK_SKIN_DIR.";
  }
  return {};
}

}  // namespace dsp
