#pragma once

// A change of parameters as a client sends it: sections of keys and values,
// named and stored as the parameter file does. Every value is checked
// against what its key can carry to the processor before any is taken, so a
// request with one bad value changes nothing.

#include <string>
#include <vector>

#include "cli/json.h"
#include "model/configuration.h"
#include "model/device_record.h"
#include "model/write_id.h"
#include "persist/parameter_layout.h"

namespace dsp {

// One key of the record and its new value.
struct ParameterChange {
  std::string section;
  std::string key;
  const layout::Field* field;
  int side;
  int ch;
  int index;
  int value;
};

// Either the changes, or why the request was refused: "[output 0] gain"
// and the reason.
struct CheckedPatch {
  std::vector<ParameterChange> changes;
  std::string refused_key;
  std::string reason;
  bool Ok() const { return reason.empty(); }
};

CheckedPatch CheckPatch(const Json& body, const DeviceRecord& record, const Configuration& config);

// Sets the values into the record.
void ApplyChanges(const std::vector<ParameterChange>& changes, DeviceRecord& record);

// The scheduled write whose frame carries the key to the processor at
// `address`.
WriteId WriteFor(const ParameterChange& change, int address);

}  // namespace dsp
