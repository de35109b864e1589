#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace dsp {

// How one drawn image becomes the files of its states.
enum class VariantSet {
  kSingle,  // one file, the drawing as it is
  kPage,    // the six states of a page button
  kButton,  // normal, hot and pushed
  kDanger,  // normal, hot and pushed, with a red plate under the pointer
};

// One output state: the file name suffix and how the drawing is dressed.
struct ImageState {
  std::string_view suffix;
  std::optional<uint32_t> glyph_colour;  // none keeps the drawn colours
  std::optional<uint32_t> plate_colour;  // rounded plate behind the glyph
  std::optional<uint32_t> bar_colour;    // marker line along the bottom edge
  int shift_y = 0;                       // pushed glyphs sink by a pixel
};

std::optional<VariantSet> VariantSetNamed(std::string_view name);
std::span<const ImageState> StatesOf(VariantSet set);

}  // namespace dsp
