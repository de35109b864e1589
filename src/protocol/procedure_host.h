#pragma once

// What a device procedure asks of whoever runs it (the main window, the
// command-line tool, a test).

#include "link/bytes.h"
#include "model/device_record.h"

namespace dsp {

class ProcedureHost {
 public:
  virtual ~ProcedureHost() = default;
  // The record a step works on: whatever device is selected when the step
  // runs, or nullptr when none is.
  virtual DeviceRecord* SelectedDevice() = 0;
  // The effect image read hands over each block's data bytes in order, and
  // the percentage of blocks read whenever it changes.
  virtual void OnEffectData(ByteView /*data*/) {}
  virtual void OnEffectProgress(int /*percent*/) {}
};

}  // namespace dsp
