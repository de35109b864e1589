#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skin_images/image_states.h"

namespace dsp {

// One line of the image manifest: render `source` (an SVG beside the
// manifest) at width x height into "<output><suffix>.png" for every state of
// its variant set.
struct ImageEntry {
  std::string source;
  std::string output;
  int width = 0;
  int height = 0;
  VariantSet variants = VariantSet::kSingle;
  int line = 0;
};

struct ManifestError {
  int line = 0;
  std::string message;
};

struct Manifest {
  std::vector<ImageEntry> entries;
  std::optional<ManifestError> error;  // the first bad line; entries then empty
};

// Lines hold "source output width height variants" separated by blanks;
// blank lines and lines starting with '#' are ignored.
Manifest ParseManifest(std::string_view text);

}  // namespace dsp
