// The transfer's progress dialog on its own, fed a transfer that moves as
// the test says: the percentage on the bar, the outcome it tells, and that
// it cannot be closed before.
#include <gtest/gtest.h>

#include "app/texts.h"
#include "dialogs/firmware_update_dialog.h"
#include "link/ymodem.h"
#include "platform/progress.h"
#include "platform/testing/ui_harness.h"

namespace dsp::test {
namespace {

using enum Language;

class FirmwareUpdateDialogTest : public ::testing::Test {
 protected:
  UiHarness harness{[](const std::string& message) { ADD_FAILURE() << message; }};
  TransferProgress transfer;
};

// A 2048-byte file: block 1 in flight reads 50 %, block 2 100 %.
TEST_F(FirmwareUpdateDialogTest, TheBarFollowsTheBlocksTakenEveryTwoHundredMilliseconds) {
  transfer = {true, TransferMode::kFirmware, 0, 0, 2048};
  FirmwareUpdateDialog dialog(kEnglish, TransferMode::kFirmware, [this] { return transfer; });
  std::vector<std::string> shown;
  auto look = [&] { shown.push_back(dialog.Find<Progress>("update_progress")->Text()); };
  harness.At(100, look);
  harness.At(150, [&] { transfer.blocks_taken = 1; });
  harness.At(250, look);
  harness.At(300, [&] { transfer.blocks_taken = 2; });
  harness.At(450, look);
  harness.At(500, [&] { dialog.SendMessage(kWmClose, 0, 0); });
  harness.At(650, look);
  harness.At(700, [&] { transfer.pending = false; });
  harness.Dialogs().AnswerNextMessage(kIdOk);
  dialog.Create(nullptr, "Firmware Update");
  const std::int64_t opened = harness.Clock().NowMs();
  dialog.ShowModal();
  EXPECT_EQ(shown, (std::vector<std::string>{"0%", "50%", "100%", "100%"})) << "the user's close was refused";
  EXPECT_EQ(harness.Clock().NowMs() - opened, 800) << "the first look after the end";
  EXPECT_EQ(harness.Dialogs().Messages().back().text, "Update Success");
  EXPECT_EQ(harness.Dialogs().Messages().back().caption, "Finish");
}

struct OutcomeCase {
  Language language;
  TransferMode mode;
  int result;
  const char* caption;
  const char* told;
  const char* title;
};

class OutcomeTest : public FirmwareUpdateDialogTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(OutcomeTest, TheOutcomeIsToldOnceTheTransferHasEnded) {
  const OutcomeCase& c = GetParam();
  transfer = {false, c.mode, c.result, 0, 0};
  FirmwareUpdateDialog dialog(c.language, c.mode, [this] { return transfer; });
  std::string caption;
  harness.At(100, [&] { caption = dialog.FindControl("label_caption")->Text(); });
  harness.Dialogs().AnswerNextMessage(kIdOk);
  dialog.Create(nullptr, "Parameter Improt");
  dialog.ShowModal();
  EXPECT_EQ(caption, c.caption);
  ASSERT_EQ(harness.Dialogs().Messages().size(), 1u);
  EXPECT_EQ(harness.Dialogs().Messages().back().text, c.told);
  EXPECT_EQ(harness.Dialogs().Messages().back().caption, c.title);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, OutcomeTest,
    ::testing::Values(
        OutcomeCase{kEnglish, TransferMode::kFirmware, kTransferNoCrcRequest, "Firmware Update", "Time out", "Finish"},
        OutcomeCase{kEnglish, TransferMode::kParameters, kTransferNoAck, "Import Parameter", "Time out", "Finish"},
        OutcomeCase{kEnglish, TransferMode::kFirmware, kTransferBlockShort, "Firmware Update", "Update Fail", "Finish"},
        OutcomeCase{kEnglish, TransferMode::kParameters, kTransferFileError, "Import Parameter",
                    "Import Parameter Fail", "Finish"},
        OutcomeCase{kChinese, TransferMode::kFirmware, kTransferDone, "Firmware Update", "升级成功", "完成"},
        OutcomeCase{kChinese, TransferMode::kFirmware, kTransferNoAck, "Firmware Update", "超时", "完成"},
        OutcomeCase{kChinese, TransferMode::kFirmware, kTransferBlockShort, "Firmware Update", "升级失败", "完成"},
        OutcomeCase{kChinese, TransferMode::kParameters, kTransferDone, "导入参数", "导入参数成功", "完成"},
        OutcomeCase{kChinese, TransferMode::kParameters, kTransferFileError, "导入参数", "导入参数失败", "完成"}));

}  // namespace
}  // namespace dsp::test
