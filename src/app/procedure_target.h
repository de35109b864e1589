#pragma once

// The record a running device procedure works on: the device it was started
// for. (A read-all started by a device's own sync button, or by a preset
// recall for some address, must fill that device's record even when another
// device is selected in the tree.)

#include "model/device_list.h"
#include "protocol/procedure_host.h"

namespace dsp {

class ProcedureTarget : public ProcedureHost {
 public:
  explicit ProcedureTarget(DeviceList& devices) : devices_(devices) {}
  void Aim(int address) { address_ = address; }
  DeviceRecord* SelectedDevice() override { return FindDevice(devices_, address_); }

 private:
  DeviceList& devices_;
  int address_ = -1;
};

}  // namespace dsp
