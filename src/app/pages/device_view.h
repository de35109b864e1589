#pragma once

// What the window remembers about how a processor is being viewed, per bus
// address, for as long as the processor is listed: the channel each side's
// pages show, the matrix cell being edited, and the pages that were open
// when another processor was selected.

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
  std::optional<PageLayout> layout;

  int SelectedInput() const { return selected_cell / 256; }
  int SelectedOutput() const { return selected_cell % 256; }
};

}  // namespace dsp
