#pragma once

// The pages edited as a user edits them, on three simulated processors
// (Hall 8x8, Stage 4x8, Lobby 2x4) scanned at the start. At the end of each
// case a read of the processor selected last must equal the window's record.

#include <string>
#include <vector>

#include "platform/step_filter.h"
#include "link/frame.h"
#include "main_window_fixture.h"

namespace dsp::test {

inline constexpr std::uint8_t kGainMuteCommand = 0x0F;  // also the matrix rows, byte 7 = 0x80
inline constexpr std::uint8_t kMatrixRowFlag = 0x80;

class PageEditsTest : public MainWindowTest {
 protected:
  void SetUp() override { ScanThreeProcessors(); }
  void TearDown() override { if (edited_ >= 0) ExpectProcessorFollowed(edited_); }
  // Selects (and synchronises) the processor of that name; the frames
  // counted start after it.
  int SelectNamed(const std::string& name) {
    edited_ = MainWindowTest::SelectNamed(name);
    mark_ = link.sent.size();
    return edited_;
  }
  const DeviceRecord& Shown() { return *window->SelectedDevice(); }
  // Frames of `command` sent since the selection (or the last call), after
  // the pending writes went out.
  std::vector<Bytes> SentNow(std::uint8_t command, bool matrix_rows = false) {
    harness.Advance(150);
    std::vector<Bytes> frames;
    for (std::size_t i = mark_; i < link.sent.size(); ++i) {
      const Bytes& frame = link.sent[i];
      if (frame[kOffsetCommand] != command) continue;
      const bool matrix_row = command == kGainMuteCommand && frame[7] == kMatrixRowFlag;
      if (matrix_row == matrix_rows) frames.push_back(frame);
    }
    mark_ = link.sent.size();
    return frames;
  }
  void Wait() { harness.Advance(StepFilter::kMinimumGapMs); }

  std::size_t mark_ = 0;
  int edited_ = -1;
};

}  // namespace dsp::test
