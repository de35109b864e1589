// Windows: timers, posted messages, modal dialogs on the manual clock,
// window messages and first-show/resize notifications.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "platform/label.h"
#include "platform/messages.h"
#include "ui_test_support.h"

namespace dsp::test {
namespace {

const char* const kPlainSkin = R"(<Window name="plain_window" size="300,200">
  <Label name="label_text" text="hello"/>
  <Button name="button_ok" text="OK"/>
</Window>)";

class WindowTest : public UiTest {
 protected:
  WindowTest() {
    skin_.Write("view/Plain.xml", kPlainSkin);
    window = Open("view/Plain.xml");
  }

  std::vector<std::uintptr_t> Timers(const RecordingWindow& window) const {
    std::vector<std::uintptr_t> ids;
    for (const Message& message : window.messages) {
      if (message.message == kWmTimer) ids.push_back(message.wparam);
    }
    return ids;
  }

  TemporarySkin skin_;
  std::unique_ptr<RecordingWindow> window;
};

// Re-arming a pending timer restarts its period (a deferred write is sent
// after the last change), and leaves the other timers alone.
TEST_F(WindowTest, ATimerFiresEveryPeriodUntilKilledAndReArmingRestartsIt) {
  const std::uint32_t gain_write = (3u << 16) | 133u;
  window->SetTimer(gain_write, 100);
  window->SetTimer(140, 200);
  harness.Advance(60);
  window->SetTimer(gain_write, 100);
  harness.Advance(99);
  EXPECT_TRUE(Timers(*window).empty()) << "the re-armed timer must not fire at 100 ms";
  harness.Advance(1);
  EXPECT_EQ(Timers(*window), (std::vector<std::uintptr_t>{gain_write}));
  harness.Advance(340);
  EXPECT_EQ(Timers(*window), (std::vector<std::uintptr_t>{gain_write, 140, gain_write, gain_write, 140, gain_write}));
  window->KillTimer(gain_write);
  EXPECT_FALSE(window->HasTimer(gain_write));
  harness.Advance(200);
  EXPECT_EQ(Timers(*window).size(), 7u) << "only the other timer went on";
}

TEST_F(WindowTest, PostedMessagesArriveInOrderOnceControlReturnsToTheLoop) {
  window->Forget();
  const std::vector<Message> posted = {{kWmUser + 1, 10, -1}, {kWmUser + 2, 20, -2}, {kWmUser + 3, 30, -3},
                                       {kWmUser + 4, 40, -4}, {kWmUser + 5, 50, -5}};
  for (const Message& one : posted) ASSERT_TRUE(window->PostMessage(one.message, one.wparam, one.lparam));
  EXPECT_TRUE(window->messages.empty()) << "posting must not deliver at once";
  harness.Advance(0);
  EXPECT_EQ(window->messages, posted);
}

TEST_F(WindowTest, MessagesPostedToAWindowThatIsGoneAreDropped) {
  const WindowHandle handle = window->Handle();
  EXPECT_TRUE(Window::PostMessage(handle, kWmUser + 1, 0, 0));
  window.reset();
  harness.Advance(10);
  EXPECT_EQ(Window::FromHandle(handle), nullptr);
  EXPECT_FALSE(Window::PostMessage(handle, kWmUser + 1, 0, 0));
}

TEST_F(WindowTest, ShowModalReturnsTheCodeGivenToClose) {
  for (int code : {kIdOk, kIdCancel, 7}) {
    RecordingWindow dialog("view/Plain.xml");
    dialog.Create(window.get(), "dialog");
    harness.At(50, [&dialog, code] { dialog.Close(code); });
    EXPECT_EQ(dialog.ShowModal(), code);
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_FALSE(dialog.IsModalRunning());
  }
}

TEST_F(WindowTest, ClosingFromTheFrameCancelsUnlessTheWindowRefuses) {
  RecordingWindow dialog("view/Plain.xml");
  dialog.Create(window.get(), "dialog");
  bool refuse = true;
  dialog.on_message = [&refuse](std::uint32_t message, std::uintptr_t, std::intptr_t) {
    return message == kWmClose && refuse;
  };
  harness.At(10, [&] { dialog.Widget()->close(); });
  harness.At(20, [&] { EXPECT_TRUE(dialog.IsShown()) << "a refused close keeps the dialog open"; refuse = false; });
  harness.At(30, [&] { dialog.Widget()->close(); });
  EXPECT_EQ(dialog.ShowModal(), kIdCancel);
}

TEST_F(WindowTest, MessagesPostedDuringAModalDialogReachTheirWindowInOrder) {
  window->Forget();
  std::vector<bool> arrived_while_modal;
  RecordingWindow dialog("view/Plain.xml");
  window->on_message = [&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
    if (message > kWmUser) arrived_while_modal.push_back(dialog.IsModalRunning());
    return true;
  };
  dialog.on_notify = [&](Notification& notification) {
    if (notification.type != notify::kWindowInit) return;
    window->PostMessage(kWmUser + 1, 5, 3);
    window->PostMessage(kWmUser + 2, 0, 3);
    dialog.SetTimer(1, 500);
  };
  dialog.on_message = [&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
    if (message == kWmTimer) dialog.Close(kIdCancel);
    return true;
  };
  dialog.Create(window.get(), "wait");
  EXPECT_EQ(dialog.ShowModal(), kIdCancel);
  EXPECT_EQ(window->messages, (std::vector<Message>{{kWmUser + 1, 5, 3}, {kWmUser + 2, 0, 3}}));
  EXPECT_EQ(arrived_while_modal, (std::vector<bool>{true, true}));
  EXPECT_EQ(harness.Clock().NowMs(), 500) << "the modal loop moves time to the dialog's timer and no further";
}

// The shape of every long device operation, as when selecting a device: a
// click whose handler runs a wait dialog, which closes itself once the main
// window's procedure timer has done its work, returns then, on the manual
// clock.
TEST_F(WindowTest, AProcedureBehindAWaitDialogRunFromAClickFinishesWithoutRealWaiting) {
  int ticks = 0;
  bool done = false;
  int code = 0;
  window->on_message = [&](std::uint32_t message, std::uintptr_t id, std::intptr_t) {
    if (message == kWmTimer && id == 141 && ++ticks == 25) {
      done = true;
      window->KillTimer(141);
    }
    return true;
  };
  window->on_notify = [&](Notification& notification) {
    if (notification.type != notify::kClick) return;
    RecordingWindow wait("view/Plain.xml");
    wait.on_message = [&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
      if (message == kWmTimer && done) wait.Close(kIdCancel);
      return true;
    };
    wait.Create(window.get(), "Synchronize");
    window->SetTimer(141, 100);
    wait.SetTimer(1, 100);
    code = wait.ShowModal();
  };
  driver.Click("button_ok");
  EXPECT_EQ(code, kIdCancel);
  EXPECT_EQ(ticks, 25);
  EXPECT_EQ(harness.Clock().NowMs(), 2500);
  EXPECT_TRUE(window->IsShown());
}

// A harness whose failures the test reads instead of failing.
class HarnessFailureTest : public ::testing::Test {
 protected:
  HarnessFailureTest() { skin.Write("view/Plain.xml", kPlainSkin); }
  std::vector<std::string> failures;
  UiHarness harness{[this](const std::string& message) { failures.push_back(message); }};
  TemporarySkin skin;
};

TEST_F(HarnessFailureTest, AModalLoopThatCannotEndFailsLoudlyInsteadOfHanging) {
  RecordingWindow idle("view/Plain.xml");
  idle.Create(nullptr, "idle");
  EXPECT_EQ(idle.ShowModal(), kModalAborted);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("no timer or posted message"), std::string::npos) << failures[0];

  RecordingWindow busy("view/Plain.xml");
  busy.Create(nullptr, "busy");
  busy.SetTimer(1, 100);
  harness.Clock().SetModalLimit(5000);
  EXPECT_EQ(busy.ShowModal(), kModalAborted);
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[1].find("still waiting"), std::string::npos) << failures[1];
  EXPECT_FALSE(busy.IsShown());
}

TEST_F(WindowTest, WindowInitComesOnceAndWindowSizeWithEveryResize) {
  EXPECT_EQ(window->Of("windowinit", "plain_window").size(), 1u);
  window->ShowWindow(false);
  window->ShowWindow(true);
  EXPECT_EQ(window->Of("windowinit").size(), 1u);
  window->Forget();
  window->Widget()->resize(420, 260);
  EXPECT_EQ(window->Of("windowsize", "plain_window").size(), 1u);
  window->Maximize();
  EXPECT_TRUE(window->IsMaximized());
  EXPECT_GE(window->Of("windowsize").size(), 2u);
}

TEST_F(WindowTest, TypedCharactersReachHandleMessageAsWmChar) {
  window->Forget();
  window->on_message = [](std::uint32_t message, std::uintptr_t, std::intptr_t) { return message == kWmChar; };
  QTest::keyClick(window->Widget(), Qt::Key_Escape);
  QTest::keyClick(window->Widget(), Qt::Key_Q);
  EXPECT_EQ(window->messages, (std::vector<Message>{{kWmChar, kCharEscape, 0}, {kWmChar, 'q', 0}}));
}

TEST_F(HarnessFailureTest, AnExceptionFromNotifyIsReportedAndDoesNotEscape) {
  RecordingWindow window("view/Plain.xml");
  window.on_notify = [](Notification& notification) {
    if (notification.type == notify::kClick) throw std::runtime_error("handler broke");
  };
  window.Create(nullptr, "w");
  window.ShowWindow();
  EXPECT_NO_THROW(harness.Driver().Click("button_ok"));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("handler broke"), std::string::npos) << failures[0];
}

TEST_F(WindowTest, LookupsByNameAndTypeReturnNullWhenAbsent) {
  EXPECT_NE(window->Find<Label>("label_text"), nullptr);
  EXPECT_EQ(window->Find<Label>("button_ok"), nullptr) << "wrong type";
  EXPECT_EQ(window->FindControl("label_none"), nullptr);
  EXPECT_EQ(window->Root()->Name(), "plain_window");
}

}  // namespace
}  // namespace dsp::test
