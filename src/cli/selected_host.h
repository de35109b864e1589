#pragma once

// The host of a procedure run by dspctl: the processor it works on is the
// one at a fixed address in the session's device list.

#include "model/device_list.h"
#include "protocol/procedure_host.h"

namespace dsp {

class SelectedHost : public ProcedureHost {
 public:
  SelectedHost(DeviceList& devices, int address) : devices_(devices), address_(address) {}
  DeviceRecord* SelectedDevice() override { return FindDevice(devices_, address_); }

 private:
  DeviceList& devices_;
  int address_;
};

}  // namespace dsp
