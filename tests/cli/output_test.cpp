// What dspctl writes: JSON documents that parse whatever bytes a processor
// sent, names made safe for a terminal, the processor table.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/device_output.h"
#include "cli/json.h"
#include "cli/utf8.h"

namespace dsp {
namespace {

TEST(JsonOutput, DocumentsParseWithTheirValuesInOrder) {
  const Json document = {
      {"address", 3},
      {"name", "Hall \"A\"\\B"},
      {"online", true},
      {"gone", nullptr},
      {"levels", {RoundedToTenths(-24.04), RoundedToTenths(-0.96), RoundedToTenths(-96.0)}},
      {"bytes", std::size_t{4096}},
      {"nested", {{"empty", Json::array()}}},
  };
  const std::string text = JsonText(document);
  EXPECT_EQ(nlohmann::json::parse(text), nlohmann::json::parse(R"({"address": 3, "name": "Hall \"A\"\\B", "online": true,
      "gone": null, "levels": [-24.0, -1.0, -96.0], "bytes": 4096, "nested": {"empty": []}})"));
  // Levels read as the meters show them; members keep their order.
  EXPECT_NE(text.find("\"levels\":[-24.0,-1.0,-96.0]"), std::string::npos) << text;
  EXPECT_EQ(text.find("\"address\""), 1u);
  EXPECT_LT(text.find("\"online\""), text.find("\"gone\""));
}

TEST(JsonOutput, AnyBytesMakeAValidString) {
  const std::string controls = std::string("a\x01\x1b[2Jb\n\t\x7f", 10);
  const std::string chinese = "\xe5\xa4\xa7\xe5\x8e\x85";            // valid UTF-8
  const std::string broken = "\xe5\xa4 \xc0\xaf \xed\xa0\x80 \xff";  // cut, overlong, surrogate, stray
  const auto parsed = nlohmann::json::parse(JsonText(Json::array({controls, chinese, broken})));
  EXPECT_EQ(parsed[0], controls);
  EXPECT_EQ(parsed[1], chinese);
  // Each broken sequence becomes replacement characters; the blanks stay.
  std::string pieces = parsed[2];
  const std::string r = "\xef\xbf\xbd";  // U+FFFD
  for (std::size_t at; (at = pieces.find(r)) != std::string::npos;) pieces.erase(at, r.size());
  EXPECT_EQ(pieces, "   ");
  EXPECT_EQ(std::string(parsed[2]).substr(0, 3), r);
}

TEST(TerminalText, ControlsAndBrokenBytesBecomeQuestionMarks) {
  EXPECT_EQ(PrintableText("Hall\x1b]0;x\x07"), "Hall?]0;x?");
  EXPECT_EQ(PrintableText("\xe5\xa4\xa7\xe5\x8e\x85 1"), "\xe5\xa4\xa7\xe5\x8e\x85 1");
  EXPECT_EQ(PrintableText("a\xc2\x9b"
                          "b"),
            "a?b");  // the one-character escape of C1
  EXPECT_EQ(PrintableText("\xff\xe5\xa4"), "???");
  EXPECT_EQ(PrintableText(std::string("x\0y", 3)), "x?y");
}

TEST(DeviceOutput, ChipIdsAndTheProcessorTable) {
  const DeviceRecord hall(1, {0x0A, 0xB1, 0x00, 0xFF, 0x12, 0x34, 0x56, 0x78}, 8, 8, "Hall");
  const DeviceRecord lobby(12, {1, 2, 3, 4, 5, 6, 7, 8}, 2, 4, "Main\x1b lobby");
  EXPECT_EQ(ChipIdText(hall.ChipId()), "0A B1 00 FF 12 34 56 78");
  EXPECT_EQ(DeviceLabel(lobby), "Main? lobby (address 12)");
  EXPECT_EQ(DeviceTable({hall, lobby}),
            "ADDR  CHIP ID                  NAME         IN  OUT\n"
            "1     0A B1 00 FF 12 34 56 78  Hall         8   8\n"
            "12    01 02 03 04 05 06 07 08  Main? lobby  2   4\n");
  // A Chinese character takes two columns of a terminal: the columns after
  // the names stay in line whatever script a name is in.
  // "舞台 A", and e with a combining acute, t and a full-width a.
  const DeviceRecord stage(2, {}, 4, 8, "\xe8\x88\x9e\xe5\x8f\xb0 A");
  const DeviceRecord mixed(3, {}, 1, 2, "e\xcc\x81t\xef\xbd\x81");
  EXPECT_EQ(DeviceTable({stage, mixed, hall}),
            "ADDR  CHIP ID                  NAME    IN  OUT\n"
            "2     00 00 00 00 00 00 00 00  \xe8\x88\x9e\xe5\x8f\xb0 A  4   8\n"
            "3     00 00 00 00 00 00 00 00  e\xcc\x81t\xef\xbd\x81    1   2\n"
            "1     0A B1 00 FF 12 34 56 78  Hall    8   8\n");
  const auto parsed = nlohmann::json::parse(JsonText(DeviceJson(lobby)));
  EXPECT_EQ(parsed["chip_id"], "01 02 03 04 05 06 07 08");
  EXPECT_EQ(parsed["outputs"], 4);
}

}  // namespace
}  // namespace dsp
