#pragma once

// Writes the images the processors receive into a folder, one file per
// transfer: "<position>-<device>-firmware-<n>.bin" or
// "<position>-<device>-parameters-<n>.bin", n counting from 1 per device and
// kind, so that nothing received is overwritten.

#include <map>
#include <string>
#include <tuple>

#include "sim/sim_processor.h"

namespace dsp {

class ImageDump {
 public:
  explicit ImageDump(std::string dir) : dir_(std::move(dir)) {}

  // Writes the image; returns the path written, or an empty path with the
  // reason in `error`.
  std::string Write(int position, const std::string& device, ImageKind kind, const ReceivedImage& image,
                    std::string& error);

 private:
  std::string dir_;
  std::map<std::tuple<int, ImageKind>, int> written_;
};

}  // namespace dsp
