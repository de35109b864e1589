#include <gtest/gtest.h>

#include "../support/temp_dir.h"
#include "persist/config_file.h"
#include "persist/configuration_reader.h"

namespace dsp {
namespace {

using testing::TempDir;
using testing::WriteText;

const FrequencyList kSeries = {20,   25,   31,   40,   50,   63,    80,    100,   125,  160,  200,
                               250,  315,  400,  500,  630,  800,   1000,  1250,  1600, 2000, 2500,
                               3150, 4000, 5000, 6300, 8000, 10000, 12500, 15000, 16000};

Configuration Read(std::initializer_list<std::tuple<const char*, const char*, const char*>> values) {
  AttributeMap attributes;
  for (const auto& [control, attribute, text] : values) attributes.Set(control, attribute, text);
  return ReadConfiguration(attributes);
}

TEST(Configuration, EachValueWithItsConversion) {
  const Configuration c = Read({{"config_effects", "max", "+12"},
                                {"config_effects", "value", "99"},  // the count is read from "max" only
                                {"config_pink_noise_address", "value", "1F000"},
                                {"config_pink_noise_size", "value", "0x800"},
                                {"config_pink_noise_volume", "value", "10"},
                                {"config_energy_full", "value", "FF"},
                                {"config_baud", "value", "9600"},
                                {"config_scan_time", "value", " 3000 "},
                                {"config_answer_wait_extra", "value", "250"},
                                {"config_network_ports", "value", "tcp://a:1, ,rfc2217://[::1]:2"},
                                {"config_energy_min", "value", "-80"},
                                {"config_drc_offset", "value", "10"},
                                {"config_limit_offset", "value", "a"},
                                {"config_noisegate_offset", "value", "FF"}});
  EXPECT_EQ(c.effect_blocks, 12);
  EXPECT_EQ(std::make_tuple(c.pink_noise_address, c.pink_noise_size, c.pink_noise_volume),
            std::make_tuple(0x1F000u, 0x800u, 10u));
  EXPECT_EQ(c.energy_full, 255u);
  EXPECT_EQ(c.baud, 9600u);
  EXPECT_EQ(c.scan_time_ms, 3000u);
  EXPECT_EQ(c.answer_wait_extra_ms, 250u);
  EXPECT_EQ(c.network_ports, (std::vector<std::string>{"tcp://a:1", "rfc2217://[::1]:2"}));
  EXPECT_EQ(c.energy_min_db, -80);
  EXPECT_EQ(std::make_tuple(c.drc_offset, c.limit_offset, c.noisegate_offset), std::make_tuple(16u, 10u, 0xFFu));
  EXPECT_EQ(Read({{"config_energy_full", "value", "0"}}).energy_full, 1u);
}

// Text that is no 32-bit number of the row's conversion, and a number its use
// cannot take (a scan time that divides by zero, a block count that wraps the
// 16-bit index, offsets that overflow the reply readers), keep the default and
// are refused by name.
TEST(Configuration, GarbageAndOutOfRangeKeepTheDefaultAndAreRefusedByName) {
  struct Case {
    const char* control;
    const char* attribute;
    const char* text;
    const char* refusal;  // the start of the one refusal line
  };
  const Case cases[] = {
      {"config_baud", "value", "fast", "config_baud = fast is not a decimal number without sign"},
      {"config_scan_time", "value", "-5", "config_scan_time = -5 is not a decimal number without sign"},
      {"config_scan_time", "value", "99999999999", "config_scan_time = 99999999999 is not"},
      {"config_scan_time", "value", "4294967296", "config_scan_time = 4294967296 is not"},
      {"config_energy_min", "value", "-2147483649", "config_energy_min = -2147483649 is not a decimal number"},
      {"config_effects", "max", "12 blocks", "config_effects.max = 12 blocks is not a decimal number"},
      {"config_energy_full", "value", "", "config_energy_full =  is not a hexadecimal number of at most 32 bits."},
      {"config_pink_noise_address", "value", "0xG0", "config_pink_noise_address = 0xG0 is not a hexadecimal"},
      {"config_scan_time", "value", "4294965796", "config_scan_time = 4294965796 is out of range: use 1 to 3600000."},
      {"config_scan_time", "value", "0", "config_scan_time = 0"},
      {"config_effects", "max", "65537", "config_effects.max = 65537 is out of range: use 0 to 65536."},
      {"config_effects", "max", "-1", "config_effects.max = -1"},
      {"config_baud", "value", "4000001", "config_baud = 4000001"},
      {"config_network_ports", "value", "tcp://a:1,/dev/ttyS0",
       "config_network_ports = tcp://a:1,/dev/ttyS0 is not a list of network ports: \"/dev/ttyS0\" is no network"},
      {"config_network_ports", "value", "tcp://a", "config_network_ports = tcp://a is not a list of network ports: "
       "\"tcp://a\" names no TCP port"},
      {"config_answer_wait_extra", "value", "60001", "config_answer_wait_extra = 60001 is out of range: use 0 to 60000."},
      {"config_energy_min", "value", "-1001", "config_energy_min = -1001"},
      {"config_drc_offset", "value", "199A", "config_drc_offset = 199A is out of range: use 0 to 6553."},
      {"config_limit_offset", "value", "100", "config_limit_offset = 100"},
      {"config_noisegate_offset", "value", "FFFFFFFF", "config_noisegate_offset = FFFFFFFF"},
  };
  const Configuration defaults;
  for (const Case& k : cases) {
    AttributeMap attributes;
    attributes.Set(k.control, k.attribute, k.text);
    std::vector<std::string> refused;
    const Configuration c = ReadConfiguration(attributes, refused);
    ASSERT_EQ(refused.size(), 1u) << k.control << " " << k.text;
    EXPECT_EQ(refused[0].rfind(k.refusal, 0), 0u) << refused[0];
    EXPECT_EQ(std::tie(c.baud, c.scan_time_ms, c.energy_min_db, c.effect_blocks, c.energy_full, c.drc_offset,
                       c.limit_offset, c.noisegate_offset, c.answer_wait_extra_ms, c.network_ports),
              std::tie(defaults.baud, defaults.scan_time_ms, defaults.energy_min_db, defaults.effect_blocks,
                       defaults.energy_full, defaults.drc_offset, defaults.limit_offset, defaults.noisegate_offset,
                       defaults.answer_wait_extra_ms, defaults.network_ports))
        << k.control << " " << k.text;
  }
}

TEST(Configuration, ResetFrequencyLists) {
  AttributeMap attributes;
  attributes.Set("config_reset_frequency_input_2", "frequency", "100, 1000,10000");
  attributes.Set("config_reset_frequency_output_7", "frequency", "50,-5,");
  attributes.Set("config_reset_frequency_output_0", "frequency", "1,x,3");
  attributes.Set("config_reset_frequency_output_1", "frequency", " , ");
  attributes.Set("config_reset_frequency_input_8", "frequency", "1,2");
  std::vector<std::string> refused;
  const Configuration c = ReadConfiguration(attributes, refused);
  EXPECT_EQ(refused, (std::vector<std::string>{
                         "config_reset_frequency_output_0.frequency = 1,x,3 is not a list of decimal numbers: "
                         "write them separated by commas.",
                         "config_reset_frequency_output_1.frequency = , is not a list of decimal numbers: "
                         "write them separated by commas.",
                     }));
  EXPECT_EQ(c.reset_frequencies[0][2], (FrequencyList{100, 1000, 10000}));
  EXPECT_EQ(c.reset_frequencies[1][7], (FrequencyList{50, -5}));
  for (const auto& [side, channel] : {std::pair{1, 0}, {1, 1}, {0, 1}, {1, 2}}) {
    EXPECT_EQ(c.reset_frequencies[side][channel], kSeries) << side << " " << channel;
  }
}

TEST(ConfigFile, NamesAttributesAndComments) {
  TempDir dir;
  WriteText(dir.File("dsp.conf"),
            "# bus\n"
            "config_baud = 9600\r\n"
            "\n"
            "; effects\n"
            "  config_effects.max=128\n"
            "config_reset_frequency_input_0.frequency = 20, 200, 2000\n"
            "config_baud = 19200\n");
  AttributeMap attributes;
  ASSERT_TRUE(ReadConfigFile(dir.File("dsp.conf"), attributes).Ok());
  const Configuration c = ReadConfiguration(attributes);
  EXPECT_EQ(c.baud, 19200u);
  EXPECT_EQ(c.effect_blocks, 128);
  EXPECT_EQ(c.reset_frequencies[0][0], (FrequencyList{20, 200, 2000}));
}

TEST(ConfigFile, BadLineOrMissingFileIsReportedAndAddsNothing) {
  TempDir dir;
  WriteText(dir.File("bad.conf"), "config_baud = 9600\nconfig_scan_time 3000\n");
  AttributeMap attributes;
  const FileResult bad = ReadConfigFile(dir.File("bad.conf"), attributes);
  EXPECT_EQ(bad.error, FileError::kBadSyntax);
  EXPECT_NE(bad.message.find("line 2"), std::string::npos) << bad.message;
  EXPECT_FALSE(attributes.Attribute("config_baud", "value"));

  for (const char* line : {"= 5\n", "config baud = 5\n", ".value = 5\n", "config_baud. = 5\n"}) {
    WriteText(dir.File("bad.conf"), line);
    EXPECT_EQ(ReadConfigFile(dir.File("bad.conf"), attributes).error, FileError::kBadSyntax) << line;
  }

  const FileResult missing = ReadConfigFile(dir.File("none.conf"), attributes);
  EXPECT_EQ(missing.error, FileError::kCannotRead);
  EXPECT_NE(missing.message.find("none.conf"), std::string::npos);
}

}  // namespace
}  // namespace dsp
