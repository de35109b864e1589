#include "persist/parameter_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <sstream>
#include <vector>

#include "../support/same_parameters.h"
#include "../support/temp_dir.h"
#include "persist/number_text.h"

namespace dsp {
namespace {

using testing::ExpectSameParameters;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

const ChipIdBytes kChip = {1, 2, 3, 4, 5, 6, 7, 8};

// Values spread over each key's range, changing from one key to the next so
// that keys swapped in the file show; flags on for every other one.
class Pattern {
 public:
  int Next(int min, int max) {
    ++count_;
    return min + static_cast<int>((count_ * 7919LL) % (static_cast<long long>(max) - min + 1));
  }
  bool Flag() { return ++count_ % 2 == 1; }

 private:
  long long count_ = 0;
};

// Sets every field the file stores, for the record's own channels, within
// what each can carry to the processor at offsets 0.
void FillStoredFields(DeviceRecord& r) {
  Pattern p;
  for (int side = 0; side < 2; ++side) {
    for (int ch = 0; ch < r.ChannelCount(side); ++ch) {
      r.SetGain(side, ch, p.Next(-20000, 307670));
      r.SetMute(side, ch, p.Flag());
      r.SetPolarity(side, ch, p.Flag());
      r.SetDelay(side, ch, p.Next(0, 65535));
      r.SetDelayEnable(side, ch, p.Flag());
      for (int b = 0; b < 31; ++b) {
        r.SetEqualizerEnable(side, ch, b, p.Flag());
        r.SetEqualizerFrequence(side, ch, b, p.Next(0, 65535));
        r.SetEqualizerGain(side, ch, b, p.Next(-25600, 39935));
        r.SetEqualizerQ(side, ch, b, p.Next(0, 65535));
        r.SetEqualizerType(side, ch, b, p.Next(0, 255));
      }
    }
  }
  for (int ch = 0; ch < r.Inputs(); ++ch) {
    r.SetNoiseGateEnable(ch, p.Flag());
    r.SetNoiseGateReleaseGate(ch, p.Next(-200, 55));
    r.SetNoiseGateReleaseTime(ch, p.Next(0, 65535));
    r.SetNoiseGateStartGate(ch, p.Next(-200, 55));
    r.SetNoiseGateStartTime(ch, p.Next(0, 65535));
  }
  for (int ch = 0; ch < r.Outputs(); ++ch) {
    r.SetCompressorEnable(ch, p.Flag());
    r.SetCompressorRatio(ch, p.Next(0, 6553));
    r.SetCompressorReleaseTime(ch, p.Next(0, 65535));
    r.SetCompressorStartGate(ch, p.Next(-32767, 32768));
    r.SetCompressorStartTime(ch, p.Next(0, 65535));
    r.SetLimitEnable(ch, p.Flag());
    r.SetLimitReleaseTime(ch, p.Next(0, 255));
    r.SetLimitStartGate(ch, p.Next(-128, 55));
    for (int f = 0; f < 2; ++f) {
      r.SetFilterEnable(1, ch, f, p.Flag());
      r.SetFilterFrequence(1, ch, f, p.Next(0, 65535));
      r.SetFilterSlope(1, ch, f, p.Next(0, 15));
      r.SetFilterType(1, ch, f, p.Next(0, 15));
    }
  }
  for (int in = 0; in < r.Inputs(); ++in) {
    for (int out = 0; out < r.Outputs(); ++out) {
      r.SetRouter(in, out, p.Next(0, 255));
      r.SetRouterEnable(in, out, p.Flag());
    }
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The keys of one section, in file order.
std::vector<std::string> KeysOf(const std::string& text, const std::string& section) {
  std::vector<std::string> keys;
  bool inside = false;
  for (const std::string& line : Lines(text)) {
    if (!line.empty() && line[0] == '[') {
      inside = line == "[" + section + "]";
    } else if (inside && !line.empty()) {
      keys.push_back(line.substr(0, line.find('=')));
    }
  }
  return keys;
}

class ParameterRoundTrip : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(ParameterRoundTrip, EveryStoredFieldComesBack) {
  const auto [inputs, outputs] = GetParam();
  TempDir dir;
  DeviceRecord saved(1, kChip, inputs, outputs, "saved");
  FillStoredFields(saved);
  saved.SetFilterEnable(kInputSide, 1, kHighPass, true);  // input filters are not part of the file
  saved.SetFilterFrequence(kInputSide, 1, kLowPass, 900);
  ASSERT_TRUE(SaveParameterFile(saved, dir.File("p.ini")).Ok());
  const std::string text = ReadText(dir.File("p.ini"));
  EXPECT_EQ(KeysOf(text, "router").size(), static_cast<std::size_t>(inputs * outputs * 2));
  EXPECT_NE(text.find("[output " + std::to_string(outputs - 1) + "]"), std::string::npos);
  EXPECT_EQ(text.find("[output " + std::to_string(outputs) + "]"), std::string::npos) << "only its own channels";
  EXPECT_EQ(text.find("[input " + std::to_string(inputs) + "]"), std::string::npos);

  DeviceRecord loaded(7, {9, 9, 9, 9, 9, 9, 9, 9}, inputs, outputs, "other");
  ASSERT_TRUE(LoadParameterFile(dir.File("p.ini"), Configuration{}, loaded).Ok());
  saved.SetFilterEnable(kInputSide, 1, kHighPass, false);
  saved.SetFilterFrequence(kInputSide, 1, kLowPass, 20000);
  ExpectSameParameters(saved, loaded);
  EXPECT_EQ(std::make_tuple(loaded.Address(), loaded.Name(), loaded.ChipId()[0]),
            std::make_tuple(7, std::string("other"), std::uint8_t{9}));

  std::optional<ParameterFileOrigin> origin;
  ASSERT_TRUE(ReadParameterFileOrigin(dir.File("p.ini"), origin).Ok());
  ASSERT_TRUE(origin.has_value());
  EXPECT_EQ(origin->chip_id, kChip);
  EXPECT_EQ(origin->name, "saved");
}

INSTANTIATE_TEST_SUITE_P(Sizes, ParameterRoundTrip, ::testing::Values(std::make_pair(8, 8), std::make_pair(4, 2)));

TEST(ParameterFile, SectionsAndKeysInTheirOrder) {
  TempDir dir;
  DeviceRecord r(1, kChip, 8, 8, "x");
  r.SetGain(0, 0, -350);
  r.SetMute(1, 7, true);
  ASSERT_TRUE(SaveParameterFile(r, dir.File("p.ini")).Ok());
  const std::string text = ReadText(dir.File("p.ini"));

  std::vector<std::string> sections;
  for (const std::string& line : Lines(text)) {
    if (!line.empty() && line[0] == '[') sections.push_back(line);
  }
  std::vector<std::string> expected_sections = {"[processor]"};
  for (int i = 0; i < 8; ++i) expected_sections.push_back("[input " + std::to_string(i) + "]");
  for (int o = 0; o < 8; ++o) expected_sections.push_back("[output " + std::to_string(o) + "]");
  expected_sections.push_back("[router]");
  EXPECT_EQ(sections, expected_sections);

  std::vector<std::string> band_keys;
  for (int b = 0; b < 31; ++b) {
    for (const char* key :
         {"equalizer_enable_", "equalizer_frequence_", "equalizer_gain_", "equalizer_q_", "equalizer_type_"}) {
      band_keys.push_back(key + std::to_string(b));
    }
  }
  std::vector<std::string> input_keys = Words(
      "gain mute polarity delay delay_enable noise_gate_enable noise_gate_release_gate noise_gate_release_time "
      "noise_gate_start_gate noise_gate_start_time");
  input_keys.insert(input_keys.end(), band_keys.begin(), band_keys.end());
  EXPECT_EQ(KeysOf(text, "input 3"), input_keys);

  std::vector<std::string> output_keys = Words(
      "gain mute polarity delay delay_enable compressor_enable compressor_ratio compressor_release_time "
      "compressor_start_gate compressor_start_time limit_enable limit_release_time limit_start_gate "
      "filter_low_pass_enable filter_low_pass_frequence filter_low_pass_slope filter_low_pass_type "
      "filter_high_pass_enable filter_high_pass_frequence filter_high_pass_slope filter_high_pass_type");
  output_keys.insert(output_keys.end(), band_keys.begin(), band_keys.end());
  EXPECT_EQ(KeysOf(text, "output 7"), output_keys);

  const std::vector<std::string> router = KeysOf(text, "router");
  ASSERT_EQ(router.size(), 128u);
  EXPECT_EQ((std::vector<std::string>{router[0], router[1], router[2], router[127]}),
            (std::vector<std::string>{"in_0_out_0", "in_0_out_0_enable", "in_0_out_1", "in_7_out_7_enable"}));

  // Values are the record's integers as they stand.
  for (const char* lines : {"[processor]\nchip_id=01 02 03 04 05 06 07 08\nname=x\n",
                            "[input 0]\ngain=-350\nmute=0\n", "[output 7]\ngain=0\nmute=1\n",
                            "\nequalizer_frequence_30=16000\n", "\nin_3_out_3=100\n"}) {
    EXPECT_NE(text.find(lines), std::string::npos) << lines << " in\n" << text;
  }
}

TEST(ParameterFile, ControlBytesOfTheNameDoNotBreakItsLine) {
  TempDir dir;
  ASSERT_TRUE(SaveParameterFile(DeviceRecord(1, kChip, 2, 2, "a\nb\x7F" "c"), dir.File("p.ini")).Ok());
  EXPECT_NE(ReadText(dir.File("p.ini")).find("\nname=a?b?c\n"), std::string::npos);
}

TEST(ParameterFile, WindowsProfileFileLoads) {
  TempDir dir;
  WriteText(dir.File("win.ini"),
            "; saved on another machine\r\n"
            "[Input 0]\r\n"
            "Gain = -350\r\n"
            "  mute=1  \r\n"
            "; a comment line\r\n"
            "DELAY=\"441\"\r\n"
            "equalizer_type_2 = 7\r\n"
            "\r\n"
            "[ROUTER]\r\n"
            "in_0_out_1 = 80\r\n"
            "IN_0_OUT_1_ENABLE = 1\r\n");
  DeviceRecord r(1, kChip, 2, 2, "x");
  ASSERT_TRUE(LoadParameterFile(dir.File("win.ini"), Configuration{}, r).Ok());
  EXPECT_EQ(r.Gain(0, 0), -350);
  EXPECT_TRUE(r.Mute(0, 0));
  EXPECT_EQ(r.Delay(0, 0), 441);
  EXPECT_EQ(r.EqualizerType(0, 0, 2), 7);
  EXPECT_EQ(r.Router(0, 1), 80);
  EXPECT_TRUE(r.RouterEnable(0, 1));

  std::optional<ParameterFileOrigin> origin = ParameterFileOrigin{};
  ASSERT_TRUE(ReadParameterFileOrigin(dir.File("win.ini"), origin).Ok());
  EXPECT_FALSE(origin.has_value());
}

TEST(ParameterFile, MissingKeysLoadAsZeroAndValuesByTheirLeadingDigits) {
  TempDir dir;
  WriteText(dir.File("p.ini"),
            "[input 0]\n"
            "gain=12abc\n"
            "delay=abc\n"
            "equalizer_gain_0=-7.9\n"
            "equalizer_q_0=+250\n"
            "[input 5]\n"  // beyond the record's two inputs
            "gain=77\n");
  DeviceRecord r(1, kChip, 2, 2, "x");
  r.SetGain(0, 1, 500);
  ASSERT_TRUE(LoadParameterFile(dir.File("p.ini"), Configuration{}, r).Ok());
  EXPECT_EQ(r.Gain(0, 0), 12);
  EXPECT_EQ(r.Delay(0, 0), 0);
  EXPECT_EQ(r.EqualizerGain(0, 0, 0), -7);
  EXPECT_EQ(r.EqualizerQ(0, 0, 0), 250);
  EXPECT_EQ(r.EqualizerFrequence(0, 0, 1), 0);  // missing key
  EXPECT_EQ(r.Gain(0, 1), 0);                   // missing section
  EXPECT_EQ(r.Router(1, 1), 0);
  EXPECT_EQ(r.Gain(0, 5), 0);  // never read
  EXPECT_EQ(r.EqualizerFrequence(0, 5, 0), 20);
}

// A value the write frame would wrap into another one refuses the whole file,
// named by section, key and value; the thresholds' ranges move with the
// configured offsets.
TEST(ParameterFile, ValueTheProcessorCannotBeSentRefusesTheFile) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
    std::uint32_t limit_offset;
    std::uint32_t drc_offset;
    const char* refused;  // the item named, or nullptr when the file loads
  };
  const Case cases[] = {
      {"input 0", "gain", "99999999999", 0, 0, "[input 0] gain = 99999999999"},
      {"input 0", "gain", "-20010", 0, 0, nullptr},  // read back signed on an input
      {"output 1", "gain", "-20010", 0, 0, "[output 1] gain = -20010"},
      {"output 1", "gain", "635350", 0, 0, nullptr},
      {"input 1", "delay", "-99999999", 0, 0, "[input 1] delay = -99999999"},
      {"input 0", "delay", "65536", 0, 0, "[input 0] delay = 65536"},
      {"input 0", "equalizer_q_3", "-5", 0, 0, "[input 0] equalizer_q_3 = -5"},
      {"output 0", "equalizer_gain_30", "39936", 0, 0, "[output 0] equalizer_gain_30 = 39936"},
      {"output 0", "mute", "2", 0, 0, "[output 0] mute = 2"},
      {"input 0", "noise_gate_start_gate", "-201", 0, 0, "[input 0] noise_gate_start_gate = -201"},
      {"output 0", "limit_start_gate", "55", 0, 0, nullptr},
      {"output 0", "limit_start_gate", "56", 0, 0, "[output 0] limit_start_gate = 56"},
      {"output 0", "limit_start_gate", "46", 10, 0, "[output 0] limit_start_gate = 46"},
      {"output 0", "limit_release_time", "300", 0, 0, "[output 0] limit_release_time = 300"},
      {"output 0", "compressor_start_gate", "32758", 0, 1, nullptr},
      {"output 0", "compressor_start_gate", "32759", 0, 1, "[output 0] compressor_start_gate = 32759"},
      {"output 0", "compressor_ratio", "6554", 0, 0, "[output 0] compressor_ratio = 6554"},
      {"output 1", "filter_low_pass_slope", "16", 0, 0, "[output 1] filter_low_pass_slope = 16"},
      {"router", "in_1_out_0", "256", 0, 0, "[router] in_1_out_0 = 256"},
      // With this offset the 0 a missing key loads as would wrap too.
      {"input 0", "gain", "0", 100, 0, "[output 0] limit_start_gate (missing: 0)"},
  };
  TempDir dir;
  for (const Case& k : cases) {
    const std::string path = dir.File("p.ini");
    WriteText(path, "[" + std::string(k.section) + "]\n" + k.key + "=" + k.value + "\n");
    Configuration config;
    config.limit_offset = k.limit_offset;
    config.drc_offset = k.drc_offset;
    DeviceRecord r(1, kChip, 2, 2, "x");
    FillStoredFields(r);
    const DeviceRecord before = r;
    const FileResult result = LoadParameterFile(path, config, r);
    if (k.refused == nullptr) {
      EXPECT_TRUE(result.Ok()) << k.key << " " << result.message;
      continue;
    }
    EXPECT_EQ(result.error, FileError::kValueOutOfRange) << k.key << " = " << k.value;
    EXPECT_EQ(result.item, k.refused);
    EXPECT_EQ(result.message.rfind("\"" + path + "\": " + k.refused + " is out of range: use ", 0), 0u)
        << result.message;
    ExpectSameParameters(r, before);
  }
}

TEST(ParameterFile, FileWithoutParameterSectionsIsRefusedAndChangesNothing) {
  TempDir dir;
  DeviceRecord r(1, kChip, 4, 2, "x");
  FillStoredFields(r);
  const DeviceRecord before = r;

  WriteText(dir.File("setting.ini"), "[Option]\nLanguage=1\n");
  const std::string garbage(
      "\x7F"
      "ELF\x02\x01\x01\0\0\0\n[\xFF\xFE=\x01",
      17);
  WriteText(dir.File("program.ini"), garbage);
  WriteText(dir.File("empty.ini"), "");
  // Sections of a larger processor only: nothing this record would read.
  WriteText(dir.File("other.ini"), "[input 6]\ngain=5\n[output 3]\ngain=5\n");
  for (const char* name : {"setting.ini", "program.ini", "empty.ini", "other.ini"}) {
    const FileResult result = LoadParameterFile(dir.File(name), Configuration{}, r);
    EXPECT_EQ(result.error, FileError::kNotParameterFile) << name;
    EXPECT_NE(result.message.find(name), std::string::npos) << result.message;
  }
  ExpectSameParameters(r, before);
}

TEST(ParameterFile, UnreadableFileIsReported) {
  TempDir dir;
  DeviceRecord r(1, kChip, 2, 2, "x");
  r.SetGain(0, 0, 300);
  FileResult missing = LoadParameterFile(dir.File("none.ini"), Configuration{}, r);
  EXPECT_EQ(missing.error, FileError::kCannotRead);
  EXPECT_NE(missing.message.find("none.ini"), std::string::npos);
  EXPECT_EQ(LoadParameterFile(dir.path().string(), Configuration{}, r).error, FileError::kCannotRead);
  EXPECT_EQ(r.Gain(0, 0), 300);
}

// Holds the size a file may grow to, the way a full disk would, and turns
// the signal that excess raises into a plain write error.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, handler_);
  }

 private:
  rlimit saved_{};
  void (*handler_)(int);
};

TEST(ParameterFile, InterruptedSaveLeavesThePreviousFileWhole) {
  TempDir dir;
  const std::string path = dir.File("hall.ini");
  DeviceRecord first(1, kChip, 8, 8, "x");
  first.SetGain(0, 0, -100);
  ASSERT_TRUE(SaveParameterFile(first, path).Ok());
  const std::string before = ReadText(path);

  DeviceRecord second(1, kChip, 8, 8, "x");
  second.SetGain(0, 0, 200);
  FileResult result;
  {
    FileSizeLimit limit(4096);  // far less than the file needs
    result = SaveParameterFile(second, path);
  }
  EXPECT_EQ(result.error, FileError::kCannotWrite);
  EXPECT_NE(result.message.find("hall.ini"), std::string::npos);
  EXPECT_EQ(ReadText(path), before);
  EXPECT_EQ(testing::EntryCount(dir.path()), 1);  // no temporary file left

  DeviceRecord loaded(1, kChip, 8, 8, "x");
  ASSERT_TRUE(LoadParameterFile(path, Configuration{}, loaded).Ok());
  EXPECT_EQ(loaded.Gain(0, 0), -100);
}

TEST(ParameterFile, FailedSaveKeepsTheFileThatWasThere) {
  TempDir dir;
  // The target is a folder: the rename cannot replace it.
  std::filesystem::create_directory(dir.File("taken.ini"));
  const FileResult onto_folder = SaveParameterFile(DeviceRecord(1, kChip, 8, 8, "x"), dir.File("taken.ini"));
  EXPECT_EQ(onto_folder.error, FileError::kCannotWrite);
  EXPECT_NE(onto_folder.message.find("taken.ini"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.ini")));
  EXPECT_EQ(testing::EntryCount(dir.path()), 1);  // no temporary file left

  EXPECT_EQ(SaveParameterFile(DeviceRecord(1, kChip, 8, 8, "x"), dir.File("no/such/folder/p.ini")).error,
            FileError::kCannotWrite);
}

TEST(NumberText, LeadingDigitsLikeTheParameterFileReadsThem) {
  constexpr int kMax = 2147483647;
  constexpr int kMin = -kMax - 1;
  const std::pair<const char*, int> cases[] = {
      {"42", 42}, {"  -17xyz", -17}, {"+8", 8}, {"x12", 0}, {"", 0}, {"-", 0}, {"- 5", 0},
      {"2147483647", kMax}, {"2147483648", kMax}, {"-2147483648", kMin}, {"-999999999999999999999", kMin}};
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingInt(text), value) << '"' << text << '"';
}

TEST(ParameterFileName, IniExtensionRule) {
  const std::pair<const char*, const char*> cases[] = {
      {"hall", "hall.ini"}, {"hall.INI", "hall.INI"},         {"hall.Ini", "hall.Ini"},
      {"a.b", "a.b.ini"},   {"dir.d/hall", "dir.d/hall.ini"}, {"hall.ini.bak", "hall.ini.bak.ini"}};
  for (const auto& [name, file] : cases) EXPECT_EQ(WithIniExtension(name), file);
}

}  // namespace
}  // namespace dsp
