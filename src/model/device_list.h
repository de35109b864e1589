#pragma once

// The processors in the order discovery found them, held by value.
// Addresses are unique after a scan; the two lookups below differ only when
// two records share an address: the pages and procedures take the first, the
// parameter write builders the last.

#include <vector>

#include "model/device_record.h"

namespace dsp {

using DeviceList = std::vector<DeviceRecord>;

// The first record with this address, or nullptr.
DeviceRecord* FindDevice(DeviceList& devices, int address);
const DeviceRecord* FindDevice(const DeviceList& devices, int address);

// The last record with this address, or nullptr: the record a scheduled
// parameter write is built from.
const DeviceRecord* FindDeviceForWrite(const DeviceList& devices, int address);

}  // namespace dsp
