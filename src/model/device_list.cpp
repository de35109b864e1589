#include "model/device_list.h"

#include <algorithm>

namespace dsp {
namespace {

template <typename Iterator>
Iterator FindAddress(Iterator first, Iterator last, int address) {
  return std::find_if(first, last, [address](const DeviceRecord& record) { return record.Address() == address; });
}

}  // namespace

DeviceRecord* FindDevice(DeviceList& devices, int address) {
  auto found = FindAddress(devices.begin(), devices.end(), address);
  return found == devices.end() ? nullptr : &*found;
}

const DeviceRecord* FindDevice(const DeviceList& devices, int address) {
  auto found = FindAddress(devices.begin(), devices.end(), address);
  return found == devices.end() ? nullptr : &*found;
}

const DeviceRecord* FindDeviceForWrite(const DeviceList& devices, int address) {
  auto found = FindAddress(devices.rbegin(), devices.rend(), address);
  return found == devices.rend() ? nullptr : &*found;
}

}  // namespace dsp
