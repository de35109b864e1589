#include "skin_images/image_states.h"

#include "skin_images/skin_palette.h"

namespace dsp {
namespace {

using namespace palette;

constexpr ImageState kSingleStates[] = {
    {"", std::nullopt, std::nullopt, std::nullopt, 0},
};

// Selected pages wear the accent: a tinted plate, an accent glyph and a bar
// under the label, so the open page is visible from across the room.
constexpr ImageState kPageStates[] = {
    {"", kIcon, std::nullopt, std::nullopt, 0},
    {"_hot", kIconBright, kPanelRaised, std::nullopt, 0},
    {"_pushed", kIconDim, kPanelSunken, std::nullopt, 1},
    {"_selected", kAccent, kAccentPlate, kAccent, 0},
    {"_selected_hot", kAccentLight, kAccentPlateHot, kAccent, 0},
    {"_selected_pushed", kAccent, kAccentPlateSunken, kAccent, 1},
};

constexpr ImageState kButtonStates[] = {
    {"", kIcon, std::nullopt, std::nullopt, 0},
    {"_hot", kWhite, kPanelRaised, std::nullopt, 0},
    {"_pushed", kIconDim, kPanelSunken, std::nullopt, 1},
};

constexpr ImageState kDangerStates[] = {
    {"", kIcon, std::nullopt, std::nullopt, 0},
    {"_hot", kWhite, kDanger, std::nullopt, 0},
    {"_pushed", kIconBright, kDangerSunken, std::nullopt, 1},
};

}  // namespace

std::optional<VariantSet> VariantSetNamed(std::string_view name) {
  if (name == "single") return VariantSet::kSingle;
  if (name == "page") return VariantSet::kPage;
  if (name == "button") return VariantSet::kButton;
  if (name == "danger") return VariantSet::kDanger;
  return std::nullopt;
}

std::span<const ImageState> StatesOf(VariantSet set) {
  switch (set) {
    case VariantSet::kPage:
      return kPageStates;
    case VariantSet::kButton:
      return kButtonStates;
    case VariantSet::kDanger:
      return kDangerStates;
    case VariantSet::kSingle:
      break;
  }
  return kSingleStates;
}

}  // namespace dsp
