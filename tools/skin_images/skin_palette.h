#pragma once

#include <cstdint>

// The colours of the dark control surface, as 0xAARRGGBB. The SVG sources
// use the same values; docs/architecture.md lists them for skin authors.
namespace dsp::palette {

inline constexpr uint32_t kWindow = 0xFF1E2227;
inline constexpr uint32_t kPanel = 0xFF2A2F36;
inline constexpr uint32_t kPanelRaised = 0xFF353B44;
inline constexpr uint32_t kPanelSunken = 0xFF23272D;
inline constexpr uint32_t kBorder = 0xFF3A414B;
inline constexpr uint32_t kIcon = 0xFF9AA5B1;
inline constexpr uint32_t kIconBright = 0xFFE6EDF5;
inline constexpr uint32_t kIconDim = 0xFFC2CBD5;
inline constexpr uint32_t kAccent = 0xFF3FA7D6;
inline constexpr uint32_t kAccentLight = 0xFF8FD0EE;
inline constexpr uint32_t kAccentPlate = 0xFF213D4D;
inline constexpr uint32_t kAccentPlateHot = 0xFF28495C;
inline constexpr uint32_t kAccentPlateSunken = 0xFF1B3240;
inline constexpr uint32_t kDanger = 0xFFD9534F;
inline constexpr uint32_t kDangerSunken = 0xFFB4403C;
inline constexpr uint32_t kWhite = 0xFFFFFFFF;

}  // namespace dsp::palette
