// Message boxes and file dialogs: answered from the test script, every call
// recorded, unexpected ones reported; and the real Qt implementation.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/qt_dialog_service.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

// Answers are taken in the order they were scripted, and every call is
// recorded with its answer.
TEST(ScriptedDialogTest, AnswersComeInTheirOrderAndCallsAreRecorded) {
  ScriptedDialogs dialogs([](const std::string& message) { ADD_FAILURE() << message; });
  dialogs.AnswerNextMessage(kIdOk);
  dialogs.AnswerNextMessage(kIdCancel);
  dialogs.AnswerNextFile("/tmp/hall.ini");
  dialogs.AnswerNextFile(std::nullopt);
  EXPECT_EQ(dialogs.MessageBox(nullptr, "Proceed ?", "Question", MessageButtons::kOkCancel), kIdOk);
  EXPECT_EQ(dialogs.MessageBox(nullptr, "Proceed ?", "Question", MessageButtons::kOkCancel), kIdCancel);
  EXPECT_EQ(dialogs.OpenFileName(nullptr, {"Open", {{"ini文件(*.ini)", "*.ini"}}, "./"}), "/tmp/hall.ini");
  EXPECT_EQ(dialogs.OpenFileName(nullptr, {"Open", {}, "./"}), std::nullopt);
  EXPECT_EQ(dialogs.UnusedAnswers(), 0u);
  ASSERT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[1].answer, kIdCancel);
  ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
  EXPECT_FALSE(dialogs.FileDialogs()[0].save);
  EXPECT_EQ(dialogs.FileDialogs()[0].request.filters.at(0).pattern, "*.ini");
}

TEST(ScriptedDialogTest, AnUnexpectedBoxOrDialogIsAFailureAndAnsweredWithCancel) {
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
