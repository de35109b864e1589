#include "persist/eq_filter_export.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

#include "persist/file_io.h"
#include "persist/text.h"

namespace dsp {
namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr int kShelfQ = 100;

struct Range {
  const char* name;
  double scale;  // record units per unit of the file
  int min;
  int max;
  const char* limits;  // as the user writes them
};

constexpr Range kFrequency{"frequency", 1, 20, 20000, "20..20000 Hz"};
constexpr Range kGain{"gain", 100, -1200, 1200, "-12..12 dB"};
constexpr Range kQ{"Q", 100, 50, 12800, "0.5..128"};

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (true) {
    while (!line.empty() && text::IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty()) return words;
    std::size_t end = 0;
    while (end < line.size() && !text::IsBlank(line[end])) ++end;
    words.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
}

std::optional<double> Number(std::string_view word) {
  if (word.starts_with('+')) word.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> TypeCode(std::string_view word) {
  if (text::EqualsNoCase(word, "PK") || text::EqualsNoCase(word, "PEQ")) return 1;
  if (text::EqualsNoCase(word, "LS")) return 6;
  if (text::EqualsNoCase(word, "HS")) return 7;
  return std::nullopt;
}

EqImportError Problem(EqImportProblem problem, std::string_view word = {}) {
  EqImportError error;
  error.problem = problem;
  error.word = std::string(word);
  return error;
}

// "Fc 125.0 Hz", "Gain -4.5 dB", "Q 3.20": the value after its key, in
// record units, checked against the equaliser's range.
std::optional<int> Value(const std::vector<std::string_view>& words, std::string_view key, const Range& range,
                         std::optional<EqImportError>& error) {
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (!text::EqualsNoCase(words[i], key)) continue;
    const auto number = Number(words[i + 1]);
    const double scaled = number ? std::round(*number * range.scale) : 0;
    if (!number || scaled < range.min || scaled > range.max) {
      error = Problem(number ? EqImportProblem::kOutOfRange : EqImportProblem::kNotANumber, words[i + 1]);
      error->name = range.name;
      error->limits = range.limits;
      return std::nullopt;
    }
    return static_cast<int>(scaled);
  }
  return std::nullopt;
}

// One "Filter N: ..." line: a band, nothing (skipped), or an error (its
// line number is the caller's).
std::optional<ImportedBand> FilterLine(const std::vector<std::string_view>& words,
                                       std::optional<EqImportError>& error) {
  std::size_t at = 1;
  while (at < words.size() && !words[at].ends_with(':')) ++at;
  if (at + 1 >= words.size()) {
    error = Problem(EqImportProblem::kNoStateOrType);
    return std::nullopt;
  }
  const std::string_view state = words[at + 1];
  const std::string_view type = at + 2 < words.size() ? words[at + 2] : "None";
  if (text::EqualsNoCase(state, "OFF") || text::EqualsNoCase(type, "None")) return std::nullopt;
  if (!text::EqualsNoCase(state, "ON")) {
    error = Problem(EqImportProblem::kNeitherOnNorOff);
    return std::nullopt;
  }
  const auto code = TypeCode(type);
  if (!code) {
    error = Problem(EqImportProblem::kUnknownType, type);
    return std::nullopt;
  }
  ImportedBand band{*code, 0, 0, kShelfQ};
  const auto frequency = Value(words, "Fc", kFrequency, error);
  const auto gain = !error ? Value(words, "Gain", kGain, error) : std::nullopt;
  const auto q = !error ? Value(words, "Q", kQ, error) : std::nullopt;
  if (error) return std::nullopt;
  if (!frequency || !gain || (*code == 1 && !q)) {
    error = Problem(*code == 1 ? EqImportProblem::kPeakingIncomplete : EqImportProblem::kShelfIncomplete);
    return std::nullopt;
  }
  band.frequency = *frequency;
  band.gain = *gain;
  if (q) band.q = *q;
  return band;
}

}  // namespace

EqImport ParseEqFilterExport(std::string_view text, int max_bands) {
  EqImport result;
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::vector<std::string_view> words = Words(line);
    const bool filter_line = words.size() >= 2 && text::EqualsNoCase(words[0], "Filter") &&
                             std::isdigit(static_cast<unsigned char>(words[1].front()));
    if (!filter_line) continue;
    const auto band = FilterLine(words, result.error);
    if (!result.error && band && static_cast<int>(result.bands.size()) == max_bands) {
      result.error = Problem(EqImportProblem::kTooManyFilters);
      result.error->max_bands = max_bands;
    }
    if (result.error) {
      result.error->line = number;
      return result;
    }
    if (!band) continue;
    result.bands.push_back(*band);
  }
  return result;
}

std::string EqImportError::EnglishText() const {
  std::string what;
  switch (problem) {
    case EqImportProblem::kNoStateOrType: what = "a filter line needs its state and type after \"Filter N:\""; break;
    case EqImportProblem::kNeitherOnNorOff: what = "the filter is neither ON nor OFF"; break;
    case EqImportProblem::kUnknownType:
      what = "filter type \"" + word + "\" cannot be imported (PK, LS and HS can)";
      break;
    case EqImportProblem::kNotANumber: what = name + " \"" + word + "\" is not a number"; break;
    case EqImportProblem::kOutOfRange: what = name + " " + word + " is outside " + limits; break;
    case EqImportProblem::kPeakingIncomplete: what = "a peaking filter needs Fc, Gain and Q"; break;
    case EqImportProblem::kShelfIncomplete: what = "a shelf needs Fc and Gain"; break;
    case EqImportProblem::kTooManyFilters:
      what = "more filters than the " + std::to_string(max_bands) + " bands of a channel";
      break;
  }
  return "line " + std::to_string(line) + ": " + what;
}

FileResult ReadEqFilterExport(const std::string& path, int max_bands, std::vector<ImportedBand>& bands,
                              std::optional<EqImportError>* refusal) {
  std::string contents;
  if (FileResult read = ReadWholeFile(path, kMaxFileBytes, contents); !read.Ok()) return read;
  EqImport parsed = ParseEqFilterExport(contents, max_bands);
  if (refusal != nullptr) *refusal = parsed.error;
  if (parsed.error) {
    return FileResult::Failure(FileError::kNotParameterFile,
                               path + ", " + parsed.error->EnglishText() + "; nothing was imported");
  }
  bands = std::move(parsed.bands);
  return FileResult::Success();
}

void ApplyImportedBands(DeviceRecord& record, int side, int channel, const std::vector<ImportedBand>& bands) {
  for (int slot = 0; slot < record.EqBandCount(side); ++slot) {
    const bool imported = slot < static_cast<int>(bands.size());
    record.SetEqualizerEnable(side, channel, slot, imported);
    if (!imported) continue;
    const ImportedBand& band = bands[static_cast<std::size_t>(slot)];
    record.SetEqualizerType(side, channel, slot, band.type);
    record.SetEqualizerFrequence(side, channel, slot, band.frequency);
    record.SetEqualizerGain(side, channel, slot, band.gain);
    record.SetEqualizerQ(side, channel, slot, band.q);
  }
}

}  // namespace dsp
