// The wait dialog: minimum time, done flag, looping bar, Esc to the parent.
#include <gtest/gtest.h>

#include "dialogs/wait_dialog.h"
#include "platform/progress.h"
#include "platform/testing/ui_harness.h"

namespace dsp::test {
namespace {

// A parent that records the characters it is sent.
class ParentWindow : public Window {
 public:
  std::string SkinFile() const override { return "view/WaitDialog.xml"; }
  std::string ClassName() const override { return "ParentWindow"; }
  bool HandleMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override {
    if (message == kWmChar) characters.push_back(wparam);
    return Window::HandleMessage(message, wparam, lparam);
  }
  std::vector<std::uintptr_t> characters;
};

class WaitDialogTest : public ::testing::Test {
 protected:
  WaitDialogTest() {
    parent.Create(nullptr, "parent");
    parent.ShowWindow();
  }

  // Shows the dialog modally; returns its code and how long it stayed up.
  std::pair<int, std::int64_t> Show(WaitDialog& dialog) {
    dialog.Create(&parent, "Synchronize");
    dialog.CenterWindow();
    const std::int64_t opened = harness.Clock().NowMs();
    const int code = dialog.ShowModal();
    return {code, harness.Clock().NowMs() - opened};
  }

  UiHarness harness{[](const std::string& message) { ADD_FAILURE() << message; }};
  ParentWindow parent;
};

// A flag already set closes the dialog at the third tick; without a flag
// the minimum time alone closes it.
TEST_F(WaitDialogTest, AFlagAlreadySetOrNoFlagClosesAfterTheMinimumTime) {
  const bool done = true;
  const struct {
    int tick_ms;
    const bool* flag;
    std::int64_t shown_ms;
  } cases[] = {{100, &done, 300}, {2000, nullptr, 2200}};
  for (const auto& c : cases) {
    WaitDialog dialog(c.tick_ms, "Synchronize from device...", c.flag);
    harness.At(50, [&] { EXPECT_EQ(dialog.FindControl("title_label")->Text(), "Synchronize from device..."); });
    const auto [code, shown_ms] = Show(dialog);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(shown_ms, c.shown_ms);
    EXPECT_FALSE(dialog.HasTimer(WaitDialog::kTickTimer));
  }
}

TEST_F(WaitDialogTest, StaysUpUntilTheFlagIsSetWithTheBarLooping) {
  bool done = false;
  WaitDialog dialog(100, "Scanning...", &done);
  std::vector<int> bar;
  for (int ms = 50; ms < 6000; ms += 100) {
    harness.At(ms, [&] { bar.push_back(dialog.Find<Progress>("progress")->Value()); });
  }
  harness.At(5950, [&] { done = true; });
  const auto [code, shown_ms] = Show(dialog);
  EXPECT_EQ(code, 2);
  EXPECT_EQ(shown_ms, 6000);
  // Tick n shows position n - 1; past the maximum the bar starts again.
  const auto max = static_cast<std::size_t>(dialog.Find<Progress>("progress")->Max());
  ASSERT_GT(bar.size(), max + 2) << "the bar should have gone round at least once";
  EXPECT_EQ(bar[2], 1);
  EXPECT_EQ(bar[max + 1], static_cast<int>(max));
  EXPECT_EQ(bar[max + 2], dialog.Find<Progress>("progress")->Min());
}

TEST_F(WaitDialogTest, TheBarLoopsOverTheRangeGivenOrFollowsAPercentage) {
  bool done = false;
  WaitDialog looping(100, "Synchronize from device...", &done);
  looping.SetBarRange(100);
  harness.At(50, [&] { EXPECT_EQ(looping.Find<Progress>("progress")->Max(), 100); });
  harness.At(450, [&] { done = true; });
  Show(looping);

  done = false;
  int percent = 0;
  WaitDialog following(100, "Reading Effects...", &done);
  following.FollowPercent(&percent);
  std::vector<int> bar;
  for (int ms = 50; ms < 600; ms += 100) {
    harness.At(ms, [&, ms] {
      bar.push_back(following.Find<Progress>("progress")->Value());
      percent = ms / 10;
    });
  }
  harness.At(590, [&] { done = true; });
  Show(following);
  EXPECT_EQ(bar, (std::vector<int>{0, 5, 15, 25, 35, 45})) << "each tick shows the percentage of its moment";
}

TEST_F(WaitDialogTest, EscGoesToTheParentAndTheUserCannotCloseIt) {
  bool done = false;
  WaitDialog dialog(100, "Scanning...", &done);
  harness.At(150, [&] { harness.Driver().Key("title_label", UiKey::kEscape); });
  harness.At(250, [&] {
    EXPECT_EQ(parent.characters, std::vector<std::uintptr_t>{kCharEscape});
    EXPECT_TRUE(dialog.IsShown());
    dialog.Widget()->close();
  });
  harness.At(350, [&] {
    EXPECT_TRUE(dialog.IsShown()) << "closing the frame must not end the wait";
    done = true;
  });
  const auto [code, shown_ms] = Show(dialog);
  EXPECT_EQ(code, 2);
  EXPECT_EQ(shown_ms, 400);
}

}  // namespace
}  // namespace dsp::test
