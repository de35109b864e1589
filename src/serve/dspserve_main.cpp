// dspserve: the processors on one serial bus served as a JSON API, an event
// stream and a web remote.

#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_failure.h"
#include "cli/console.h"
#include "cli/session.h"
#include "serve/access_token.h"
#include "serve/bus_worker.h"
#include "serve/http_server.h"
#include "serve/serve_options.h"

namespace {

constexpr std::size_t kMaxEventStreams = dsp::HttpServer::kMaxEventStreams;

// Off loopback every request needs the token; it is shown the one time it
// is made, so that it never lands in a log again.
bool SetUpToken(dsp::HttpSettings& http) {
  if (!dsp::ReachableFromOtherHosts(http.host)) return true;
  const std::string path = dsp::TokenFilePath();
  const dsp::TokenResult token = dsp::LoadOrCreateToken(path);
  if (token.token.empty()) {
    std::fprintf(stderr, "dspserve: %s\n", token.error.c_str());
    return false;
  }
  if (token.created) {
    std::fprintf(stderr,
                 "dspserve: listening on %s asks for this access token (shown only now, kept in %s):\n%s\n",
                 http.host.c_str(), path.c_str(), token.token.c_str());
  }
  http.token = token.token;
  return true;
}

int Serve(dsp::ServeOptions& options) {
  if (!SetUpToken(options.http)) return dsp::kExitFailure;
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);  // every thread started from here on inherits it

  dsp::SteadyLoopClock clock;
  dsp::Console console(stdout, stderr, false, false, clock, "dspserve");
  dsp::Session session(options.global, console);
  dsp::EventHub events(kMaxEventStreams);
  dsp::BusWorker worker(session, events);
  dsp::HttpServer server(options.http, worker, events);
  std::string error;
  if (!server.Bind(error)) throw dsp::CliFailure(error);
  std::thread http([&server] { server.Serve(); });
  console.Note("listening on http://" + options.http.host + ":" + std::to_string(server.Port()) + "/");
  int signal = 0;
  sigwait(&stop_signals, &signal);
  server.Stop();
  http.join();
  return dsp::kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  dsp::ServeOptions options;
  try {
    options = dsp::ParseServeOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const dsp::UsageError& error) {
    std::fprintf(stderr, "dspserve: %s\nTry 'dspserve --help'.\n", error.what());
    return dsp::kExitUsage;
  }
  if (options.help) {
    std::fputs(dsp::ServeUsage().c_str(), stdout);
    return dsp::kExitSuccess;
  }
  if (options.version) {
    std::printf("dspserve %s\n", DSP_VERSION);
    return dsp::kExitSuccess;
  }
  try {
    return Serve(options);
  } catch (const dsp::CliFailure& failure) {
    std::fprintf(stderr, "dspserve: %s\n", failure.what());
    return dsp::kExitFailure;
  }
}
