#pragma once

// The 31 band frequencies a fresh equaliser starts from, and the list the
// equaliser reset falls back to. The series ends 12500, 15000, 16000: the
// processor's top band sits at 16 kHz, there is no 20000 step.

#include <array>

namespace dsp {

inline constexpr std::array<int, 31> kThirdOctaveFrequencies = {
    20,  25,   31,   40,   50,   63,   80,   100,  125,  160,  200,  250,   315,   400,   500,  630,
    800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 15000, 16000};

}  // namespace dsp
