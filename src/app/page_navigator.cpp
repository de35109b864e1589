#include "app/page_navigator.h"

#include <QApplication>

#include "platform/button.h"
#include "platform/scroll_view.h"

namespace dsp {

void PageNavigator::Register(NotifyRegistry& registry) {
  for (const auto& [page_button, entry] : PageTable()) {
    registry.On(notify::kClick, page_button, this, &PageNavigator::OnPageButtonClick);
    registry.On(notify::kDbClick, page_button, this, &PageNavigator::OnPageButtonDoubleClick);
  }
  for (const auto& [close_button, page_button] : CloseButtonTable()) {
    registry.On(notify::kClick, close_button, this, &PageNavigator::OnClosePageClick);
  }
  for (const auto& [block, target] : OverviewBlockTable()) {
    registry.On(notify::kClick, block, this, &PageNavigator::OnOverviewBlockClick);
  }
}

void PageNavigator::OnPageButtonClick(Notification& notification) {
  const std::string& name = notification.sender->Name();
  if (name != kHomeButton) ScrollToPage(PageTable().at(name).window);
}

void PageNavigator::ScrollToPage(const std::string& window) {
  auto* detail = context_.Host().Find<ScrollView>(kDetailWindow);
  Control* page = Find(window);
  if (detail == nullptr || page == nullptr || !page->IsVisible() || !detail->IsVisibleInWindow()) return;
  FlushPendingLayouts();
  if (detail->IsVerticalScrollBarVisible()) detail->ScrollToChild(page);
}

// button_home switches between the overview and the detail view; the other
// page buttons open their page (for the side's current channel) or close it.
void PageNavigator::OnPageButtonDoubleClick(Notification& notification) {
  const std::string& name = notification.sender->Name();
  if (name == kHomeButton) {
    const Control* home = Find(kHomeWindow);
    if (home != nullptr && home->IsVisible()) {
      ShowDetail();
      ShowPageButton(kHomeButton, false);
    } else {
      ShowOverview();
    }
    return;
  }
  const PageInfo& page = *FindPage(PageTable().at(name).window);
  const Control* window = Find(page.Window());
  const Control* detail = Find(kDetailWindow);
  if (window != nullptr && window->IsVisible() && detail != nullptr && detail->IsVisible()) {
    ClosePage(name);
    return;
  }
  int argument = 0;
  if (page.argument == PageArgument::kSide) {
    argument = page.side;
  } else if (page.argument == PageArgument::kChannel && context_.SelectedDevice() != nullptr) {
    argument = context_.View(context_.SelectedDevice()->Address()).channel[page.side];
  }
  OpenPage(name, argument);
}

void PageNavigator::OnClosePageClick(Notification& notification) {
  ClosePage(CloseButtonTable().at(notification.sender->Name()));
}

void PageNavigator::OnOverviewBlockClick(Notification& notification) {
  const BlockTarget& target = OverviewBlockTable().at(notification.sender->Name());
  OpenPage(target.page_button, target.argument);
  if (target.side >= 0) context_.SelectChannel(target.side, target.channel);
}

void PageNavigator::OpenPage(const std::string& page_button, int argument) {
  const std::string& window = PageTable().at(page_button).window;
  ShowDetail();
  ShowPageButton(page_button, true);
  if (Control* page = Find(window)) page->SetVisible(true);
  pages_.RefreshPage(window, argument);
  ShowPageButton(kHomeButton, false);
  ScrollToPage(window);
}

// Qt hands the focus of a widget that disappears to the next one in the
// tab order, which may be a processor's name in the device tree (the next
// keystrokes would rename it): the window takes it first.
void PageNavigator::ClosePage(const std::string& page_button) {
  ShowPageButton(page_button, false);
  if (Control* page = Find(PageTable().at(page_button).window)) {
    if (page->isAncestorOf(QApplication::focusWidget())) context_.Host().SetFocus();
    page->SetVisible(false);
  }
  if (!AnyPageOpen()) ShowOverview();
}

bool PageNavigator::AnyPageOpen() const {
  for (const PageInfo& page : PageList()) {
    const Control* window = Find(page.Window());
    if (window != nullptr && window->IsVisible()) return true;
  }
  return false;
}

void PageNavigator::ShowDetail() {
  if (Control* home = Find(kHomeWindow)) home->SetVisible(false);
  if (Control* detail = Find(kDetailWindow)) detail->SetVisible(true);
}

void PageNavigator::ShowOverview() {
  if (Control* home = Find(kHomeWindow)) home->SetVisible(true);
  if (Control* detail = Find(kDetailWindow)) detail->SetVisible(false);
  ShowPageButton(kHomeButton, true);
}

void PageNavigator::ResetToOverview() {
  for (const PageInfo& page : PageList()) {
    ShowPageButton(page.Button(), false);
    if (Control* window = Find(page.Window())) window->SetVisible(false);
  }
  ShowOverview();
}

void PageNavigator::ShowPageButton(const std::string& page_button, bool selected) {
  auto* button = context_.Host().Find<Button>(page_button);
  if (button == nullptr) return;
  const PageEntry& entry = PageTable().at(page_button);
  button->SetNormalImage(selected ? entry.selected_image : entry.normal_image);
  button->SetHotImage(selected ? entry.selected_hot_image : entry.hot_image);
  button->SetPushedImage(selected ? entry.selected_pushed_image : entry.pushed_image);
}

// What the user had open for a processor, so that selecting it again
// brings its pages back.
void PageNavigator::StoreLayout(int address) {
  const Control* home = Find(kHomeWindow);
  if (home == nullptr) return;
  PageLayout layout;
  for (const PageInfo& page : PageList()) {
    if (const Control* window = Find(page.Window())) layout.visible[page.Window()] = window->IsVisible();
  }
  layout.visible[kHomeWindow] = home->IsVisible();
  const auto* detail = context_.Host().Find<ScrollView>(kDetailWindow);
  if (!home->IsVisible() && detail != nullptr) layout.scroll = detail->ScrollPos();
  context_.View(address).layout = std::move(layout);
}

void PageNavigator::RestoreLayout(int address) {
  const auto& stored = context_.View(address).layout;
  if (!stored) return;
  auto home = stored->visible.find(kHomeWindow);
  if (home == stored->visible.end()) return;
  if (home->second) {
    ResetToOverview();
    return;
  }
  ShowDetail();
  for (const PageInfo& page : PageList()) {
    auto recorded = stored->visible.find(page.Window());
    const bool visible = recorded == stored->visible.end() || recorded->second;
    ShowPageButton(page.Button(), visible);
    if (Control* window = Find(page.Window())) window->SetVisible(visible);
  }
  ShowPageButton(kHomeButton, false);
  if (auto* detail = context_.Host().Find<ScrollView>(kDetailWindow)) {
    FlushPendingLayouts();
    detail->SetScrollPos(stored->scroll);
  }
}

}  // namespace dsp
