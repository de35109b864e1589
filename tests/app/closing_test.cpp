// Edits made just before the window closes or the port changes reach the
// processor: the scheduled writes go out at once, then the window waits for
// the link's queue, at most 3 s, behind a wait dialog after 300 ms.
#include <functional>
#include <string>

#include "page_edits_fixture.h"

namespace dsp::test {
namespace {

class ClosingTest : public PageEditsTest {
 protected:
  // The window is gone, or on another port, at the end: each case reads the processor itself.
  void TearDown() override {}
  // Types a gain on one of Hall's inputs, mutes one of its outputs (each
  // run its own) and does `leave` at once.
  void EditAndLeave(const std::function<void()>& leave) {
    hall_ = window->Devices()[static_cast<std::size_t>(SelectNamed("Hall"))];
    ++edits_;
    driver.Type("edit_gain_input_" + std::to_string(edits_), "-3");
    driver.Click("checkbox_mute_output_" + std::to_string(edits_));
    leave();
  }
  // The program ends with the window: its timers and the link go with it.
  void EndProgram() {
    window.reset();
    link.Close();
  }
  void ExpectEditsArrived() {
    const DeviceRecord processor = ReadProcessor(hall_);
    EXPECT_EQ(processor.Gain(kInputSide, edits_), -300);
    EXPECT_TRUE(processor.Mute(kOutputSide, edits_));
  }

  DeviceRecord hall_{0, ChipIdBytes{}, 0, 0, ""};
  int edits_ = 0;
};

TEST_F(ClosingTest, TheCloseButtonAndTheWindowFrameSendTheLastEditsFirst) {
  for (const bool frame : {false, true}) {
    SCOPED_TRACE(frame ? "frame" : "button");
    if (frame) {
      Start();
      Scan();
    }
    EditAndLeave([&] {
      if (frame) window->Widget()->close();
      else driver.Click("button_close");
    });
    EXPECT_FALSE(window->IsShown());
    EndProgram();
    ExpectEditsArrived();
  }
}

TEST_F(ClosingTest, AChangedPortGetsTheLastEditsOnTheOldPortFirst) {
  link.other_ports = {"/dev/ttyUSB7"};
  Start();
  Scan();
  harness.Dialogs().AnswerNextMessage(kIdCancel);
  EditAndLeave([&] {
    harness.At(200, [&] {
      driver.Select("combo_uart", 1);
      driver.Click("button_ok");
    });
    driver.Click("button_set");
  });
  EXPECT_EQ(link.PortName(), "/dev/ttyUSB7");
  harness.Advance(500);
  ExpectEditsArrived();
}

// A slow line shows the wait dialog after 300 ms; a line that never drains
// keeps the window at most 3 s.
TEST_F(ClosingTest, ASlowQueueIsAwaitedBehindAWaitDialogAtMostThreeSeconds) {
  const struct {
    std::int64_t queue_busy_ms;
    bool dialog;
    std::int64_t closed_after_min;
    std::int64_t closed_after_max;
  } cases[] = {{0, false, 0, 0}, {200, false, 200, 220}, {1000, true, 1000, 1200}, {60000, true, 3000, 3200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.queue_busy_ms);
    Start();
    driver.Type("edit_gain_input_0", "-3");
    bool dialog_seen = false;
    link.on_queue_look = [&] {
      const Window* front = Window::AllWindows().front();
      dialog_seen = dialog_seen || (front->ClassName() == "WaitDialog" && front->IsShown());
    };
    const std::int64_t clicked = harness.Clock().NowMs();
    link.queue_busy_until_ms = clicked + c.queue_busy_ms;
    driver.Click("button_close");
    const std::int64_t took = harness.Clock().NowMs() - clicked;
    link.on_queue_look = nullptr;
    EXPECT_FALSE(window->IsShown());
    EXPECT_EQ(dialog_seen, c.dialog);
    EXPECT_GE(took, c.closed_after_min);
    EXPECT_LE(took, c.closed_after_max);
  }
}

}  // namespace
}  // namespace dsp::test
