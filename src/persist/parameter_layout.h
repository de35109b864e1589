#pragma once

// The key layout of the parameter file, walked once for saving and once for
// loading so that both always agree on sections, keys and their order.

#include <functional>
#include <string>

#include "model/configuration.h"
#include "model/device_record.h"

namespace dsp::layout {

// The values a key may hold: those the processor's write frame carries as they
// are and a read gives back. Outside it the frame would wrap the value into
// another one (a gain of 99999999999 would reach the processor as -1310.80 dB).
struct Range {
  int min;
  int max;
  bool Holds(int value) const { return value >= min && value <= max; }
};

// Reads or writes one value of the record. `index` is the band, the filter or
// the matrix output, as the key needs; booleans read as 0 or 1 and store
// "not 0". The thresholds' ranges move with the configured offsets.
struct Field {
  int (*get)(const DeviceRecord& record, int side, int ch, int index);
  void (*set)(DeviceRecord& record, int side, int ch, int index, int value);
  Range (*range)(int side, const Configuration& config);
};

// One key of the file and the record position it stands for.
struct Key {
  const std::string& section;
  const std::string& name;
  const Field& field;
  int side;
  int ch;
  int index;

  int Get(const DeviceRecord& record) const { return field.get(record, side, ch, index); }
  void Set(DeviceRecord& record, int value) const { field.set(record, side, ch, index, value); }
  Range Allowed(const Configuration& config) const { return field.range(side, config); }
};

// Every key of the record's file, in file order: the inputs' sections, the
// outputs' sections, then the router.
void ForEachKey(const DeviceRecord& record, const std::function<void(const Key&)>& visit);

// The names of the sections the record's file holds.
void ForEachSection(const DeviceRecord& record, const std::function<void(const std::string&)>& visit);

}  // namespace dsp::layout
