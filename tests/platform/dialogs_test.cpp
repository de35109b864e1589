// Message boxes and file dialogs: answered from the test script, every call
// recorded, unexpected ones reported; and the real Qt implementation.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "demo/demo_window.h"
#include "platform/qt_dialog_service.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

class DialogsTest : public UiTest {
 protected:
  DialogsTest() {
    demo.Create(nullptr, "demo");
    demo.ShowWindow();
  }
  DemoWindow demo;
};

TEST_F(DialogsTest, MessageBoxesGetTheScriptedAnswersInOrderAndAreRecorded) {
  harness.Dialogs().AnswerNextMessage(kIdOk);
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  driver.Click("button_ask");
  EXPECT_EQ(harness.Text("label_status"), "Answer: OK");
  driver.Click("button_ask");
  EXPECT_EQ(harness.Text("label_status"), "Answer: Cancel");
  const auto& shown = harness.Dialogs().Messages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].caption, "Question");
  EXPECT_EQ(shown[0].text, "Proceed ?");
  EXPECT_EQ(shown[0].buttons, MessageButtons::kOkCancel);
  EXPECT_EQ(shown[1].answer, kIdCancel);
  EXPECT_EQ(harness.Dialogs().UnusedAnswers(), 0u);
}

TEST_F(DialogsTest, FileDialogsReturnTheScriptedPathOrCancel) {
  harness.Dialogs().AnswerNextFile("/tmp/hall.ini");
  harness.Dialogs().AnswerNextFile(std::nullopt);
  driver.Click("button_open");
  EXPECT_EQ(harness.Text("label_status"), "File: /tmp/hall.ini");
  driver.Click("button_open");
  EXPECT_EQ(harness.Text("label_status"), "No file");
  const auto& asked = harness.Dialogs().FileDialogs();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_FALSE(asked[0].save);
  EXPECT_EQ(asked[0].request.start_folder, "./");
  ASSERT_EQ(asked[0].request.filters.size(), 1u);
  EXPECT_EQ(asked[0].request.filters[0].description, "ini文件(*.ini)");
  EXPECT_EQ(asked[0].request.filters[0].pattern, "*.ini");
}

TEST(UnscriptedDialogTest, AnUnexpectedBoxOrDialogIsAFailureAndAnsweredWithCancel) {
  std::vector<std::string> failures;
  ScriptedDialogs dialogs([&failures](const std::string& message) { failures.push_back(message); });
  EXPECT_EQ(dialogs.MessageBox(nullptr, "Synchronize from device fail", "Warning", MessageButtons::kOk), kIdOk);
  EXPECT_EQ(dialogs.MessageBox(nullptr, "Use /dev/ttyUSB0 ?", "Question", MessageButtons::kOkCancel), kIdCancel);
  EXPECT_EQ(dialogs.SaveFileName(nullptr, {"Save", {{"Bin文件(*.bin)", "*.bin"}}, "./"}), std::nullopt);
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_NE(failures[0].find("\"Warning\": \"Synchronize from device fail\""), std::string::npos) << failures[0];
  EXPECT_NE(failures[2].find("save file dialog"), std::string::npos) << failures[2];
  EXPECT_EQ(dialogs.Messages().size(), 2u) << "unexpected boxes are still recorded";
  EXPECT_TRUE(dialogs.FileDialogs()[0].save);
}

TEST(QtFilterStringTest, KeepsDescriptionsThatNameTheirPatternsAndJoinsEntries) {
  EXPECT_EQ(QtFilterString({{"ini文件(*.ini)", "*.ini"}}), "ini文件(*.ini)");
  EXPECT_EQ(QtFilterString({{"bin文件(*.bin)", "*.bin"}, {"所有文件(*.*)", "*.*"}}), "bin文件(*.bin);;所有文件(*.*)");
  EXPECT_EQ(QtFilterString({{"Parameter files", "*.ini"}}), "Parameter files (*.ini)");
  EXPECT_EQ(QtFilterString({}), "");
}

// The real service shows a real QMessageBox; a timer plays the user.
TEST(QtDialogServiceTest, ShowsTheCaptionTextAndButtonsAndReturnsTheChoice) {
  QtDialogService service;
  for (const bool press_ok : {true, false}) {
    std::string caption;
    std::string text;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      caption = box->windowTitle().toStdString();
      text = box->text().toStdString();
      buttons = static_cast<int>(box->buttons().size());
      box->button(press_ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    });
    const int answer = service.MessageBox(nullptr, "是否使用 /dev/ttyUSB0?", "询问", MessageButtons::kOkCancel);
    EXPECT_EQ(answer, press_ok ? kIdOk : kIdCancel);
    EXPECT_EQ(caption, "询问");
    EXPECT_EQ(text, "是否使用 /dev/ttyUSB0?");
    EXPECT_EQ(buttons, 2);
  }
}

}  // namespace
}  // namespace dsp::test
