#pragma once

// What the window remembers about how a processor is being viewed, per bus
// address, for as long as the processor is listed: the channel each side's
// pages show, the matrix cell being edited, the equaliser bands being
// edited and shown, and the pages that were open when another processor was
// selected.

#include <QPoint>
#include <array>
#include <map>
#include <optional>
#include <string>

#include "model/device_record.h"

namespace dsp {

struct PageLayout {
  std::map<std::string, bool> visible;  // page window (and "window_home") -> shown
  QPoint scroll;                        // of the detail view, while the overview was hidden
};

struct DeviceView {
  std::array<int, kSides> channel{0, 0};
  // input * 256 + output; IN A - OUT 1 until a cell is clicked.
  int selected_cell = 0;
  // The equaliser pages, per side and channel: the band being edited and
  // the band in the first of the band columns.
  std::array<std::array<int, kChannelsPerSide>, kSides> selected_band{};
  std::array<std::array<int, kChannelsPerSide>, kSides> first_shown_band{};
  // What the last equaliser copy took, side * 0x10000 + channel; -1 before
  // any copy.
  int eq_clipboard = -1;
  std::optional<PageLayout> layout;

  int SelectedInput() const { return selected_cell / 256; }
  int SelectedOutput() const { return selected_cell % 256; }
};

}  // namespace dsp
