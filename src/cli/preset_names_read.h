#pragma once

// Reading the 17 preset names of one processor without the rest of the
// read-all: the read-all's preset-name step on its own. One request per
// tick, its answer taken on a later tick; 21 failed answers in a row end the
// read with failure, and the names read by then stay in the record.

#include "link/frame_link.h"
#include "model/device_record.h"

namespace dsp {

class PresetNamesRead {
 public:
  static constexpr int kTickMs = 100;
  static constexpr int kFailureLimit = 21;

  enum class Progress { kRunning, kDone, kFailed };

  PresetNamesRead(FrameLink& link, DeviceRecord& record) : link_(link), record_(record) {}

  Progress Tick();
  int NamesRead() const { return preset_; }

 private:
  FrameLink& link_;
  DeviceRecord& record_;
  int preset_ = 0;
  bool awaiting_ = false;
  int failures_ = 0;
};

}  // namespace dsp
