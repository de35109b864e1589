#pragma once

// The bearer token a listener off loopback asks for: made once from the
// system's random source into the user's configuration folder, readable by
// the user alone, and kept from then on.

#include <string>

namespace dsp {

struct TokenResult {
  std::string token;    // empty when it could not be read or made
  bool created = false;  // made just now: the only time it is shown
  std::string error;
};

// "$XDG_CONFIG_HOME/dspdesk/dspserve-token".
std::string TokenFilePath();

TokenResult LoadOrCreateToken(const std::string& path);

}  // namespace dsp
