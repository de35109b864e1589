#include "skin_preview/preview_options.h"

#include <stdexcept>

namespace dsp {
namespace {

std::vector<std::string> SplitNames(const std::string& list) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = list.find(',', start);
    const std::string name = list.substr(start, comma - start);
    if (!name.empty()) names.push_back(name);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

int ParseCount(const std::string& text, const std::string& option) {
  std::size_t used = 0;
  int value = -1;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || value < 0) throw std::invalid_argument(option + " expects a number, not \"" + text + "\"");
  return value;
}

// "WxH" (--size) or "IxO" (--channels).
std::pair<int, int> ParsePair(const std::string& text, const std::string& option) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) throw std::invalid_argument(option + " expects AxB, not \"" + text + "\"");
  return {ParseCount(text.substr(0, x), option), ParseCount(text.substr(x + 1), option)};
}

QRect ParseRect(const std::string& text) {
  std::vector<int> numbers;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = text.find(',', start);
    numbers.push_back(ParseCount(text.substr(start, comma - start), "--zoom"));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (numbers.size() != 4) throw std::invalid_argument("--zoom expects X,Y,W,H, not \"" + text + "\"");
  return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

AttributeSetting ParseSetting(const std::string& text) {
  const std::size_t equals = text.find('=');
  const std::size_t colon = text.find(':', equals == std::string::npos ? 0 : equals);
  if (equals == std::string::npos || colon == std::string::npos || equals == 0) {
    throw std::invalid_argument("--set expects name=attribute:value, not \"" + text + "\"");
  }
  return {text.substr(0, equals), text.substr(equals + 1, colon - equals - 1), text.substr(colon + 1)};
}

}  // namespace

PreviewOptions ParsePreviewOptions(const std::vector<std::string>& args) {
  PreviewOptions options;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
      return args[++i];
    };
    if (arg == "--size") {
      const auto [width, height] = ParsePair(value(), arg);
      options.size = QSize(width, height);
    } else if (arg == "--show") {
      for (std::string& name : SplitNames(value())) options.show.push_back(std::move(name));
    } else if (arg == "--hide") {
      for (std::string& name : SplitNames(value())) options.hide.push_back(std::move(name));
    } else if (arg == "--set") {
      options.settings.push_back(ParseSetting(value()));
    } else if (arg == "--zh") {
      options.language = Language::kChinese;
    } else if (arg == "--channels") {
      const auto [inputs, outputs] = ParsePair(value(), arg);
      if (inputs > 8 || outputs > 8) throw std::invalid_argument("--channels allows at most 8x8");
      options.inputs = inputs;
      options.outputs = outputs;
    } else if (arg == "--zoom") {
      options.zoom = ParseRect(value());
    } else if (arg == "--devices") {
      options.devices = ParseCount(value(), arg);
    } else if (arg.starts_with("--")) {
      throw std::invalid_argument("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) throw std::invalid_argument("expected a view and an output file");
  options.view = positional[0];
  options.output = positional[1];
  return options;
}

}  // namespace dsp
