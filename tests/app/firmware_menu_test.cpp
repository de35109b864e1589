// Firmware update and parameter import from the menus, in process over the
// simulated bus: the checks before anything is sent, the file dialog, the
// transfer into the processor's loader and the outcome the dialog tells.
#include <algorithm>

#include "main_window_fixture.h"

namespace dsp::test {
namespace {

constexpr const char* kFirmwareItem = "menu_item_option_firmware_update";
constexpr const char* kImportItem = "menu_item_file_load_all_from_pc";

class FirmwareMenuTest : public MainWindowTest {
 protected:
  // Whether any start frame of a transfer (command 0xD0 or 0xD6) went out.
  bool StartFrameSent() const {
    return std::any_of(bus.host_writes().begin(), bus.host_writes().end(), [](const HostWrite& write) {
      return write.bytes.size() == 6 && write.bytes[0] == 0xA5 && write.bytes[2] == 0xF3 &&
             (write.bytes[4] == 0xD0 || write.bytes[4] == 0xD6);
    });
  }
};

TEST_F(FirmwareMenuTest, BothItemsNeedAProcessorListedAndSelected) {
  Start(kChinese);
  for (const char* item : {kFirmwareItem, kImportItem}) {
    ChooseAnswered(item);
    EXPECT_EQ(LastBox(), (TextAndCaption{"无可用设备", "提示"})) << item;
  }
  bus.Add("Hall", 2, 2);
  Scan();
  for (const char* item : {kFirmwareItem, kImportItem}) {
    ChooseAnswered(item);
    EXPECT_EQ(LastMessage(), "请选择一个设备") << item;
  }
  EXPECT_TRUE(harness.Dialogs().FileDialogs().empty()) << "no file is asked for";
}

TEST_F(FirmwareMenuTest, FirmwareWithTwoProcessorsOnTheBusIsRefusedAndNothingIsSent) {
  ScanSmallProcessors({"Hall", "Stage"});
  Select(1);
  ChooseAnswered(kFirmwareItem, dir.Write("firmware.bin", dsp::testing::PatternBytes(3000, 1)));
  EXPECT_EQ(LastMessage(), "Only one device can be online when upgrade");
  EXPECT_EQ(window->Devices().size(), 2u) << "the bus was scanned again";
  const FileDialogRequest& asked = harness.Dialogs().FileDialogs().front().request;
  ASSERT_EQ(asked.filters.size(), 2u);
  EXPECT_EQ(asked.filters[0].description, "bin文件(*.bin)");
  EXPECT_EQ(asked.filters[1].pattern, "*.*");
  EXPECT_FALSE(StartFrameSent());
  for (std::size_t i = 0; i < bus.size(); ++i) EXPECT_FALSE(bus.processor(i).last_firmware());
}

// The selected processor fell silent; the one that still answers is not it.
TEST_F(FirmwareMenuTest, FirmwareForAProcessorThatIsGoneIsNotSentToAnother) {
  ScanSmallProcessors({"Hall", "Stage"});
  Select(0);
  bus.FindByAddress(static_cast<std::uint8_t>(window->Devices()[0].Address()))->faults().silent_after = 0;
  ChooseAnswered(kFirmwareItem, dir.Write("firmware.bin", dsp::testing::PatternBytes(3000, 1)));
  EXPECT_EQ(LastMessage(), "Is an other devie");
  ASSERT_EQ(window->Devices().size(), 1u);
  EXPECT_FALSE(StartFrameSent());
}

TEST_F(FirmwareMenuTest, ACancelledFileDialogDoesNothing) {
  ScanSmallProcessors({"Hall"});
  Select(0);
  harness.Dialogs().AnswerNextFile(std::nullopt);
  Choose(kFirmwareItem);
  EXPECT_TRUE(harness.Dialogs().Messages().empty());
  EXPECT_FALSE(StartFrameSent());
}

struct TransferCase {
  const char* item;
  std::size_t file_size;  // 0 with `missing`: no file at all
  bool missing;
  const char* outcome;
};

class TransferOutcomeTest : public FirmwareMenuTest, public ::testing::WithParamInterface<TransferCase> {};

// What the processor stored is compared with the file; a file that cannot
// be opened, or holds nothing, is reported as a failure and never reaches
// the bus.
TEST_P(TransferOutcomeTest, TheDialogTellsHowTheTransferEnded) {
  const TransferCase& c = GetParam();
  ScanSmallProcessors({"Hall"});
  Select(0);
  const Bytes image = dsp::testing::PatternBytes(c.file_size, 7);
  const std::string path = c.missing ? dir.File("gone.bin") : dir.Write("image.bin", image);
  ChooseAnswered(c.item, path);
  EXPECT_EQ(LastBox(), (TextAndCaption{c.outcome, "Finish"}));
  const SimProcessor& processor = bus.processor(0);
  const bool firmware = std::string(c.item) == kFirmwareItem;
  const auto& stored = firmware ? processor.last_firmware() : processor.last_parameter_image();
  if (c.missing || c.file_size == 0) {
    EXPECT_FALSE(StartFrameSent());
    EXPECT_FALSE(stored);
  } else {
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data, image);
    EXPECT_EQ(stored->name, "image.bin");
  }
  EXPECT_TRUE(window->HasTimer(timer::kLevelPoll)) << "the level poll goes on";
}

INSTANTIATE_TEST_SUITE_P(
    BothItems, TransferOutcomeTest,
    ::testing::Values(TransferCase{kFirmwareItem, 2500, false, "Update Success"},
                      TransferCase{kFirmwareItem, 0, false, "Update Fail"},
                      TransferCase{kFirmwareItem, 0, true, "Update Fail"},
                      TransferCase{kImportItem, 4096, false, "Import Parameter Success"},
                      TransferCase{kImportItem, 0, true, "Import Parameter Fail"}));

TEST(TransferPercentTest, CountsTheBlockInFlightAndNeverDividesByZero) {
  struct Case {
    std::uint32_t blocks;
    std::uint32_t size;
    int percent;
  };
  for (const Case& c : {Case{1, 2048, 50}, Case{2, 2048, 100}, Case{3, 2049, 100}, Case{1, 1, 100},
                        Case{0, 0, 0}, Case{0, 5000, 0}, Case{300, 300 * 1024, 100}}) {
    TransferProgress progress;
    progress.pending = true;
    progress.blocks_taken = c.blocks;
    progress.size = c.size;
    EXPECT_EQ(TransferPercent(progress), c.percent) << c.blocks << " of " << c.size;
  }
}

}  // namespace
}  // namespace dsp::test
