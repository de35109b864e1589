#pragma once

// One request/answer exchange on the half-duplex bus: bytes still waiting
// from earlier exchanges are traced and dropped, the request is written, the
// answer awaited for a fixed time, and a failed attempt is repeated once 25 ms
// later. The port is looked at every few milliseconds during the wait, so a
// complete answer is handed over at once while the bus keeps its fixed pace:
// the exchange still lasts its whole wait. The serial link runs it on its
// worker thread; the in-process simulated link runs the very same code with
// simulated sleeps.

#include <functional>
#include <vector>

#include "link/bytes.h"
#include "link/port_io.h"

namespace dsp {

inline constexpr int kExchangeAttempts = 2;
inline constexpr int kRetryPauseMs = 25;
// How long after an attempt is written its answer may still come: a
// processor on a disturbed line answers up to about half a second late.
inline constexpr int kLateAnswerMs = 560;
inline constexpr std::size_t kReceiveBufferSize = 256;
// How often the port is looked at while an answer is awaited.
inline constexpr int kAnswerLookMs = 10;

// Put into the reply queue when a scan broadcast is answered by bytes that do
// not form a frame: several processors spoke at once. It is the re-ask frame.
Bytes CollisionMarker();

// Put into the reply queue when a level poll got no valid answer: a 13-byte
// level reply whose bytes 5..8 are 0xFF.
Bytes OfflineMarker(std::uint8_t address);

// Whether a request is followed by a read: requests and discovery frames are,
// except the preset save, whose answer is never read.
bool AwaitsAnswer(ByteView request);

// How long the answer to a request is awaited before the single read.
int AnswerWaitMs(ByteView request);

using TraceSink = std::function<void(ByteView received)>;
// Takes the frames for the reply queue, in order, the moment each is known:
// at most one reply, plus the markers.
using ReplySink = std::function<void(Bytes reply)>;

struct ExchangeResult {
  // Whether the request went out whole on some attempt.
  bool written = false;
};

// Runs the request through its attempts. What one attempt received is handed
// to `trace` in one piece, and not at all when nothing came. A request of
// fewer than 6 bytes is no frame: it has no kind or command to decide on, and
// is dropped unwritten. A read answered on its second attempt keeps the line
// until the first attempt's answer is no longer due (kLateAnswerMs), and
// drops what came meanwhile: many replies do not say which channel, band
// half, filter, preset or block they carry, and the next request of the same
// command would take that answer for its own. The level poll does not wait:
// its answers only follow the meters. `extra_wait_ms` lengthens every answer
// wait, for a bus whose answers cross a network, but that of the scan start
// broadcast, which no processor answers.
ExchangeResult RunExchange(ByteView request, PortIo& port, Sleeper& sleeper, const TraceSink& trace,
                           const ReplySink& deliver, int extra_wait_ms = 0);

}  // namespace dsp
