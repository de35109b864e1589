// A full bus of sixteen processors in the window, in both languages: every
// row of the device tree and of the copy dialog's list lies whole inside its
// scroll area's content at its own height; the tree shows them all, and in
// the copy dialog the wheel brings the last one into view, where a click
// reaches it.
#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

#include "main_window_fixture.h"
#include "platform/list.h"
#include "platform/testing/ui_driver.h"
#include "platform/tree_view.h"

namespace dsp::test {
namespace {

constexpr int kProcessors = 16;
constexpr int kWheelStepsAtMost = 40;

// Each row inside the content, at no less than the height it asks for,
// below the row before it; the scroll bar reaches the content's end. The
// layout is done first, as before the user sees the window.
void ExpectRowsInContent(const QScrollArea& area, const std::vector<QWidget*>& rows) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  const QWidget* content = area.widget();
  int previous_bottom = -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QRect rect(rows[i]->mapTo(content, QPoint(0, 0)), rows[i]->size());
    EXPECT_TRUE(content->rect().contains(rect)) << "row " << i << " at y " << rect.y() << ", height " << rect.height()
                                                << ", content height " << content->height();
    EXPECT_GE(rect.height(), rows[i]->sizeHint().height()) << "row " << i;
    EXPECT_GT(rect.top(), previous_bottom) << "row " << i;
    previous_bottom = rect.bottom();
  }
  EXPECT_EQ(area.verticalScrollBar()->maximum(), std::max(0, content->height() - area.viewport()->height()));
}

// From its top to its bottom (the rows scroll up and down only).
bool ShownWhole(const QScrollArea& area, const QWidget* row) {
  const int top = row->mapTo(area.viewport(), QPoint(0, 0)).y();
  return top >= 0 && top + row->height() <= area.viewport()->height();
}

class FullBusTest : public MainWindowTest, public ::testing::WithParamInterface<Language> {
 protected:
  void SetUp() override {
    for (int i = 1; i <= kProcessors; ++i) {
      SimProcessorConfig config = bus.NextConfig((i % 3 == 0 ? "大厅" : "Unit ") + std::to_string(i), 2, 2);
      config.discovery = DiscoveryBehaviour::kSlots;
      bus.Add(config);
    }
    Start(GetParam());
    // Sixteen processors take longer than the skin's scan time.
    harness.Dialogs().AnswerNextMessage(kIdOk);
    harness.At(200, [this] {
      driver.Type("edit_scan_time", "15000");
      driver.Click("button_ok");
    });
    driver.Click("button_set");
    ASSERT_EQ(window->Devices().size(), static_cast<std::size_t>(kProcessors));
  }
  // Turns the wheel down over `name` until `row` is shown whole; the first
  // row has then left the view (the content is taller than the view).
  void WheelDownTo(const std::string& name, const QScrollArea& area, const QWidget* first, const QWidget* row) {
    for (int step = 0; step < kWheelStepsAtMost && !ShownWhole(area, row); ++step) driver.Wheel(name, false);
    EXPECT_TRUE(ShownWhole(area, row));
    EXPECT_FALSE(ShownWhole(area, first));
  }
};

// The tree scrolls as the copy dialog's list does; at the window's smallest
// size it still shows all sixteen whole.
TEST_P(FullBusTest, TheDeviceTreeShowsEveryProcessorWhole) {
  window->Widget()->resize(window->Widget()->minimumSize());
  auto& tree = driver.Get<TreeView>("treeview_device_list");
  const auto* area = tree.findChild<QScrollArea*>();
  ASSERT_NE(area, nullptr);
  std::vector<QWidget*> rows;
  for (int i = 0; i < kProcessors; ++i) {
    rows.push_back(driver.Get<TreeNode>("treenode_device_" + std::to_string(i)).InputWidget());
  }
  ExpectRowsInContent(*area, rows);
  for (int i = 0; i < kProcessors; ++i) EXPECT_TRUE(ShownWhole(*area, rows[static_cast<std::size_t>(i)])) << i;
  Select(kProcessors - 1);
  ASSERT_NE(window->SelectedDevice(), nullptr);
  EXPECT_EQ(window->SelectedDevice()->Address(), kProcessors);
}

TEST_P(FullBusTest, TheCopyDialogScrollsToEveryProcessor) {
  bool looked = false;
  harness.At(200, [&] {
    auto& list = driver.Get<List>("listex_device");
    const auto* area = list.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(list.ItemCount(), kProcessors);
    std::vector<QWidget*> rows;
    for (int i = 0; i < kProcessors; ++i) rows.push_back(list.Item(i));
    ExpectRowsInContent(*area, rows);
    const std::string last = "checkbox_device_" + std::to_string(kProcessors);
    EXPECT_THROW(driver.SetCheck(last, true), UiActionError) << "the last row starts out of view";
    WheelDownTo("listex_device", *area, rows.front(), rows.back());
    driver.SetCheck(last, true);
    looked = true;
    driver.Click("button_close");
  });
  driver.Click("button_option");
  driver.Click("menu_item_option_device_copy");
  EXPECT_TRUE(looked);
}

INSTANTIATE_TEST_SUITE_P(Languages, FullBusTest, ::testing::Values(kEnglish, kChinese),
                         [](const ::testing::TestParamInfo<Language>& info) {
                           return info.param == kEnglish ? std::string("English") : std::string("Chinese");
                         });

}  // namespace
}  // namespace dsp::test
