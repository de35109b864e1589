#include "app/pages/delay_units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dsp {
namespace {

double InUnit(int samples, DelayUnit unit) {
  const double ms = samples / kSamplesPerMs;
  switch (unit) {
    case DelayUnit::kFeet: return ms * kFeetPerMs;
    case DelayUnit::kCentimetres: return ms * kCentimetresPerMs;
    case DelayUnit::kMilliseconds: break;
  }
  return ms;
}

std::string Format(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string DelayValueText(int samples, DelayUnit unit) {
  return Format(unit == DelayUnit::kCentimetres ? "%.2f" : "%.3f", InUnit(samples, unit));
}

std::string DelayOverviewText(int samples, DelayUnit unit) {
  switch (unit) {
    case DelayUnit::kFeet: return Format("%.3fft", InUnit(samples, unit));
    case DelayUnit::kCentimetres: return Format("%.2fcm", InUnit(samples, unit));
    case DelayUnit::kMilliseconds: break;
  }
  return Format("%.3fms", InUnit(samples, unit));
}

// A whole number of samples that the arithmetic puts a hair above (34 cm
// is 44.1 samples exactly) must not round up to the next one: the
// tolerance is far below what any text of the edit box can say.
int DelaySamples(double value, DelayUnit unit, int min, int max) {
  double ms = value;
  if (unit == DelayUnit::kFeet) ms = value / kFeetPerMs;
  if (unit == DelayUnit::kCentimetres) ms = value / kCentimetresPerMs;
  const double samples = ms * kSamplesPerMs;
  return static_cast<int>(std::clamp(std::ceil(samples - 1e-9), static_cast<double>(min), static_cast<double>(max)));
}

}  // namespace dsp
