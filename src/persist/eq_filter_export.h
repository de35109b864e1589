#pragma once

// Equaliser corrections exported by room-measurement programs as a text
// list of filters, one per line:
//   Filter  3: ON  PK       Fc   125.0 Hz  Gain  -4.5 dB  Q  3.20
//   Filter  4: ON  LS       Fc   100.0 Hz  Gain   3.0 dB
//   Filter  5: OFF None
// Lines that do not start with "Filter" and a number are headers and notes; entries that
// are off or of type "None" are skipped. Peaking filters become peaking
// bands, low and high shelves shelf bands; the values are rounded to the
// record's units and must lie within the equaliser's ranges.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/device_record.h"
#include "persist/file_result.h"

namespace dsp {

struct ImportedBand {
  int type;       // 1 peaking, 6 low shelf, 7 high shelf
  int frequency;  // Hz, 20..20000
  int gain;       // 0.01 dB, -1200..1200
  int q;          // 0.01, 50..12800; shelves without a Q keep 100
};

// Why an export is refused, with what a front end needs to say it in its
// own words: the line, and the type, value name, text and limits involved.
enum class EqImportProblem {
  kNoStateOrType,   // nothing after "Filter N:"
  kNeitherOnNorOff,
  kUnknownType,     // `word` is the type
  kNotANumber,      // `name` (frequency, gain, Q) is followed by `word`
  kOutOfRange,      // as kNotANumber, `limits` the range
  kPeakingIncomplete,
  kShelfIncomplete,
  kTooManyFilters,  // more than `max_bands`
};

struct EqImportError {
  int line = 0;
  EqImportProblem problem = EqImportProblem::kNoStateOrType;
  std::string name;
  std::string word;
  std::string limits;
  int max_bands = 0;
  // "line 3: gain 13.0 is outside -12..12 dB"
  std::string EnglishText() const;
};

// The bands of an export, in file order. Refused, naming the line and what
// is wrong with it: a filter line that cannot be read, a filter type the
// equaliser has no shape for, a value out of range, more filters than
// `max_bands`.
struct EqImport {
  std::vector<ImportedBand> bands;
  std::optional<EqImportError> error;
};

EqImport ParseEqFilterExport(std::string_view text, int max_bands);

// Reads and parses the file; the error kind is kNotParameterFile for text
// the parser refuses, and `refusal` (when given) receives why.
FileResult ReadEqFilterExport(const std::string& path, int max_bands, std::vector<ImportedBand>& bands,
                              std::optional<EqImportError>* refusal = nullptr);

// Puts the bands into the first band slots of the channel, switched on, and
// switches every other band slot of the channel off.
void ApplyImportedBands(DeviceRecord& record, int side, int channel, const std::vector<ImportedBand>& bands);

}  // namespace dsp
