#pragma once

#include <QRect>
#include <QSize>
#include <string>
#include <vector>

#include "language/language.h"

namespace dsp {

// One "--set name=attribute:value" of the command line.
struct AttributeSetting {
  std::string control;
  std::string attribute;
  std::string value;
};

struct PreviewOptions {
  std::string view;  // below the skin folder, e.g. view/MainWindow.xml
  std::string output;
  QSize size{1366, 768};
  std::vector<std::string> show;
  std::vector<std::string> hide;
  std::vector<AttributeSetting> settings;
  Language language = Language::kEnglish;  // --zh: Chinese
  // Fits the main window to a processor of this many inputs and outputs.
  int inputs = -1;
  int outputs = -1;
  int devices = 0;  // device nodes added to the main window's tree
  // Saves only this part of the window, twice as large, for a closer look.
  QRect zoom;
};

inline constexpr const char* kPreviewUsage =
    "usage: skin_preview VIEW.xml OUT.png [--size WxH] [--show a,b] [--hide a,b]\n"
    "                    [--set name=attribute:value]... [--zh] [--channels IxO]\n"
    "                    [--devices N] [--zoom X,Y,W,H] [--skin-dir DIR]";

// Reads the arguments left after the toolkit's own options. Throws
// std::invalid_argument with a message for the user.
PreviewOptions ParsePreviewOptions(const std::vector<std::string>& args);

}  // namespace dsp
