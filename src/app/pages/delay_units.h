#pragma once

// Delays are kept in samples at 44.1 per millisecond and shown in the unit
// the user picks for a side: feet, centimetres or milliseconds (sound
// travels 34.0 cm per millisecond).

#include <optional>
#include <string>

namespace dsp {

enum class DelayUnit { kFeet = 0, kCentimetres = 1, kMilliseconds = 2 };

inline constexpr double kSamplesPerMs = 44.1;
inline constexpr double kCentimetresPerMs = 34.0;
inline constexpr double kFeetPerMs = kCentimetresPerMs * 0.0328084;

// The delay in the unit as the delay page's edit box shows it ("%.3f",
// "%.2f" for centimetres).
std::string DelayValueText(int samples, DelayUnit unit);
// The overview's text: the value with its unit ("1.020ms", "34.70cm",
// "1.138ft").
std::string DelayOverviewText(int samples, DelayUnit unit);
// A value typed in the unit, in whole samples rounded up, within min..max.
int DelaySamples(double value, DelayUnit unit, int min, int max);

}  // namespace dsp
