#pragma once

// The command line of dspserve:
//   dspserve [--port PATH | --simulate DEVICES] [--listen ADDR:PORT]
//            [--config FILE] [--scan-time MS] [--allow-origin ORIGIN]
// Anything that cannot be understood throws UsageError naming it.

#include <string>
#include <vector>

#include "cli/options.h"
#include "serve/http_server.h"

namespace dsp {

struct ServeOptions {
  bool help = false;     // nothing else is filled then
  bool version = false;  // nor then
  GlobalOptions global;
  HttpSettings http;  // the token is not on the command line
};

ServeOptions ParseServeOptions(const std::vector<std::string>& args);
std::string ServeUsage();

// Whether clients of other hosts can reach the address (then a token is
// needed): anything but 127.0.0.0/8, ::1 and "localhost".
bool ReachableFromOtherHosts(const std::string& host);

}  // namespace dsp
