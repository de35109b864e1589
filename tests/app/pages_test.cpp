// The editing area: pages opened from the overview and the page buttons,
// closed by their close buttons; the frame buttons and the square dynamics
// panels while maximised.
#include <QApplication>
#include <QCoreApplication>

#include "main_window_fixture.h"
#include "platform/button.h"
#include "platform/scroll_view.h"

namespace dsp::test {
namespace {

class PagesTest : public MainWindowTest {
 protected:
  void SetUp() override { Start(); }
  bool Shown(const std::string& name) const { return driver.Get(name).IsVisible(); }
  std::string Image(const std::string& button) const { return driver.Get<Button>(button).NormalImage(); }
};

TEST_F(PagesTest, ClosingTheLastPageBringsBackTheOverview) {
  ASSERT_TRUE(Shown("window_home"));
  driver.Click("button_comp_0");
  EXPECT_FALSE(Shown("window_home"));
  EXPECT_TRUE(Shown("window_detail"));
  EXPECT_TRUE(Shown("window_comp"));
  EXPECT_EQ(Image("button_comp"), "image/comp_selected.png");
  EXPECT_EQ(driver.Get<Button>("button_comp").HotImage(), "image/comp_selected_hot.png");
  EXPECT_EQ(Image("button_home"), "image/home.png");
  EXPECT_EQ(harness.Text("label_window_comp_title"), "Compressor - OUT A");

  driver.DoubleClick("button_home");
  ASSERT_TRUE(Shown("window_home"));
  driver.Click("button_input_eq_2");
  EXPECT_TRUE(Shown("window_comp")) << "the page opened before stays open";
  EXPECT_TRUE(Shown("window_input_eq"));
  EXPECT_EQ(harness.Text("label_window_input_eq_title"), "Equalizer - IN C");
  EXPECT_EQ(driver.Get("list_input_2").BkImage(), "image/channel_input_selected.png");
  EXPECT_EQ(driver.Get("list_input_0").BkImage(), "image/channel_input.png");

  driver.Click("button_close_comp");
  EXPECT_FALSE(Shown("window_comp"));
  EXPECT_EQ(Image("button_comp"), "image/comp.png");
  EXPECT_TRUE(Shown("window_detail")) << "one page is still open";
  EXPECT_FALSE(Shown("window_home"));

  driver.Click("button_close_input_eq");
  EXPECT_TRUE(Shown("window_home"));
  EXPECT_FALSE(Shown("window_detail"));
  EXPECT_EQ(Image("button_home"), "image/home_selected.png");
  EXPECT_EQ(Image("button_input_eq"), "image/input_eq.png");
}

TEST_F(PagesTest, BlocksOpenTheirPagesForTheirChannelOrSide) {
  driver.Click("button_output_delay_value_3");
  EXPECT_TRUE(Shown("window_output_delay"));
  EXPECT_EQ(harness.Text("label_window_output_delay_title"), "Output Delay");
  EXPECT_EQ(driver.Get("list_output_3").BkImage(), "image/channel_output_selected.png");

  driver.DoubleClick("button_home");
  driver.Click("button_noise_gate_start_gate_5");
  EXPECT_EQ(harness.Text("label_window_noise_gate_title"), "Noise Gate - IN F");
  EXPECT_EQ(harness.Text("label_window_input_title"), "Input - IN F") << "the input pages follow the channel";

  driver.DoubleClick("button_home");
  driver.Click("button_matrix_mix_in_home");
  EXPECT_TRUE(Shown("window_matrix_mix"));
  EXPECT_EQ(harness.Text("label_window_matrix_mix_title"), "Mixing Matrix");
  EXPECT_EQ(Image("button_matrix_mix"), "image/matrix_mix_selected.png");
}

TEST_F(PagesTest, ADoubleClickOpensOrClosesAPageAndHomeSwitchesViews) {
  driver.Click("button_limit_2");
  driver.Click("button_close_limit");
  driver.DoubleClick("button_output");
  EXPECT_TRUE(Shown("window_output"));
  EXPECT_EQ(harness.Text("label_window_output_title"), "OUTPUT - OUT C") << "the output channel chosen before";
  EXPECT_EQ(Image("button_output"), "image/output_selected.png");
  driver.DoubleClick("button_output");
  EXPECT_FALSE(Shown("window_output"));
  EXPECT_TRUE(Shown("window_home"));

  driver.DoubleClick("button_home");
  EXPECT_FALSE(Shown("window_home"));
  EXPECT_TRUE(Shown("window_detail"));
  driver.DoubleClick("button_home");
  EXPECT_TRUE(Shown("window_home"));
  EXPECT_FALSE(Shown("window_detail"));
  EXPECT_EQ(Image("button_home"), "image/home_selected.png");
}

TEST_F(PagesTest, APageButtonScrollsTheDetailViewToItsOpenPage) {
  for (const char* page : {"button_input", "button_noise_gate", "button_input_eq", "button_input_delay",
                           "button_matrix_mix", "button_output_eq", "button_output_delay", "button_comp",
                           "button_limit", "button_output", "button_energy"}) {
    driver.DoubleClick(page);
  }
  auto& detail = driver.Get<ScrollView>("window_detail");
  FlushPendingLayouts();
  ASSERT_TRUE(detail.IsVerticalScrollBarVisible()) << "eleven pages do not fit";
  auto in_view = [&](const char* page) {
    const QRect view = detail.RectInWindow();
    const int top = driver.Get(page).RectInWindow().top();
    return top >= view.top() && top < view.bottom();
  };
  EXPECT_TRUE(in_view("window_energy")) << "opening a page brings it into view";
  ASSERT_FALSE(in_view("window_input"));
  driver.Click("button_input");
  EXPECT_TRUE(in_view("window_input"));
  driver.Click("button_limit");
  EXPECT_TRUE(in_view("window_limit"));
}

TEST_F(PagesTest, MaximisedTheDynamicsPanelsAreSquareAndRestoredTheyGetTheirWidthsBack) {
  // Narrower than tall, so that the rule has something to do.
  const int width = 420;
  for (const char* page : {"comp", "noise_gate", "limit"}) {
    driver.DoubleClick(std::string("button_") + page);
    driver.Get(std::string("window_") + page).SetFixedWidth(width);
  }
  for (int round = 0; round < 2; ++round) {
    driver.Click("button_maximize");
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->IsMaximized());
    EXPECT_FALSE(Shown("button_maximize"));
    EXPECT_TRUE(Shown("button_normal"));
    for (const char* panel : {"window_comp", "window_noise_gate", "window_limit"}) {
      const Control& control = driver.Get(panel);
      EXPECT_GT(control.height(), width) << panel;
      EXPECT_EQ(control.FixedWidth(), control.height()) << panel;
      EXPECT_EQ(control.CustomAttribute("lastwidth"), std::to_string(width)) << panel;
    }
    driver.Click("button_normal");
    QCoreApplication::processEvents();
    ASSERT_FALSE(window->IsMaximized());
    EXPECT_TRUE(Shown("button_maximize"));
    EXPECT_FALSE(Shown("button_normal"));
    for (const char* panel : {"window_comp", "window_noise_gate", "window_limit"}) {
      EXPECT_EQ(driver.Get(panel).FixedWidth(), width) << panel;
      EXPECT_FALSE(driver.Get(panel).CustomAttribute("lastwidth")) << panel;
    }
  }
}

// With processors listed but none selected there is no channel to choose.
TEST_F(PagesTest, ABlockWithProcessorsListedButNoneSelectedAsksForOne) {
  bus.Add("Hall", 2, 2);
  Scan();
  harness.Dialogs().AnswerNextMessage(kIdOk);
  driver.Click("button_comp_1");
  EXPECT_EQ(Boxes(), (MessageBoxes{{"Please select a device !", "Comfirm"}}));
  EXPECT_EQ(driver.Get("list_output_1").BkImage(), "image/channel_output.png");
}

// The focus of a closed page goes to the window, never into a processor's
// name in the device tree, whatever on the page had it.
TEST_F(PagesTest, ClosingAPageLeavesNoFocusInADeviceName) {
  ScanSmallProcessors({"Hall", "Stage"});
  Select(0);
  for (const char* focused : {"edit_comp_ratio", "slider_comp_ratio", "checkbox_comp_enable", "button_close_comp"}) {
    SCOPED_TRACE(focused);
    driver.Click("button_comp_0");
    driver.Get(focused).InputWidget()->setFocus();
    driver.Click("button_close_comp");
    const QWidget* focus = QApplication::focusWidget();
    const Control& tree = driver.Get("treeview_device_list");
    EXPECT_FALSE(focus != nullptr && tree.isAncestorOf(focus)) << focus->metaObject()->className();
    EXPECT_TRUE(Shown("window_home"));
  }
}

}  // namespace
}  // namespace dsp::test
