// The equaliser reset's frequencies from a configured list.
#include <gtest/gtest.h>

#include "model/configuration.h"

namespace dsp {
namespace {

TEST(Configuration, ResetFrequenciesComeFromTheListWithinRangeAndTheSeriesBeyondIt) {
  Configuration config;
  config.reset_frequencies[1][2] = {100, 5, 25000};
  struct Row {
    int band;
    int hz;
  };
  const Row rows[] = {{0, 100}, {1, 20}, {2, 20000}, {3, 40}, {30, 16000}};
  for (const Row& row : rows) EXPECT_EQ(config.ResetFrequency(1, 2, row.band), row.hz) << row.band;
  EXPECT_EQ(config.ResetFrequency(0, 2, 1), 25) << "other channels keep the default list";
}

}  // namespace
}  // namespace dsp
