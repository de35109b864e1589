// The editing area: the overview (window_home) and the detail view
// (window_detail) with its page windows; opening, scrolling to and closing
// pages; the current channel of each side; the pages' refresh.
#include "app/main_window.h"
#include "app/overview_layout.h"
#include "app/page_table.h"
#include "platform/button.h"
#include "platform/scroll_view.h"

namespace dsp {
namespace {

// The pages of each side in the order they are refreshed; the delay pages
// are refreshed for their side, the others for the side's channel.
const std::vector<std::string> kSidePages[kSides] = {
    {"window_input", "window_input_delay", "window_input_eq", "window_noise_gate"},
    {"window_comp", "window_output", "window_output_delay", "window_output_eq", "window_limit"},
};

bool IsDelayPage(const std::string& window) { return window == "window_input_delay" || window == "window_output_delay"; }

// The side whose current channel a page shows, -1 for the matrix and levels.
int PageSide(const std::string& window) {
  for (int side = 0; side < kSides; ++side) {
    for (const std::string& page : kSidePages[side]) {
      if (page == window) return side;
    }
  }
  return -1;
}

}  // namespace

void MainWindow::OnPageButtonClick(Notification& notification) {
  const std::string& name = notification.sender->Name();
  if (name != kHomeButton) ScrollToPage(PageTable().at(name).window);
}

void MainWindow::ScrollToPage(const std::string& window) {
  auto* detail = Find<ScrollView>(kDetailWindow);
  Control* page = FindControl(window);
  if (detail == nullptr || page == nullptr || !page->IsVisible() || !detail->IsVisibleInWindow()) return;
  FlushPendingLayouts();
  if (detail->IsVerticalScrollBarVisible()) detail->ScrollToChild(page);
}

// button_home switches between the overview and the detail view; the other
// page buttons open their page (for the side's current channel) or close it.
void MainWindow::OnPageButtonDoubleClick(Notification& notification) {
  const std::string& name = notification.sender->Name();
  if (name == kHomeButton) {
    const Control* home = FindControl(kHomeWindow);
    if (home != nullptr && home->IsVisible()) {
      ShowDetail();
      ShowPageButton(kHomeButton, false);
    } else {
      ShowOverview();
    }
    return;
  }
  const std::string& window = PageTable().at(name).window;
  const Control* page = FindControl(window);
  const Control* detail = FindControl(kDetailWindow);
  if (page != nullptr && page->IsVisible() && detail != nullptr && detail->IsVisible()) {
    ClosePage(name);
    return;
  }
  const int side = PageSide(window);
  int argument = 0;
  if (side >= 0 && IsDelayPage(window)) {
    argument = side;
  } else if (side >= 0 && SelectedDevice() != nullptr) {
    const auto& channels = CurrentChannels(SelectedDevice()->Address());
    argument = side == kInputSide ? channels.first : channels.second;
  }
  OpenPage(name, argument);
}

void MainWindow::OnClosePageClick(Notification& notification) {
  ClosePage(CloseButtonTable().at(notification.sender->Name()));
}

void MainWindow::OnOverviewBlockClick(Notification& notification) {
  const BlockTarget& target = OverviewBlockTable().at(notification.sender->Name());
  OpenPage(target.page_button, target.argument);
  if (target.side >= 0) SelectChannelStrip(target.side, target.channel);
}

void MainWindow::OpenPage(const std::string& page_button, int argument) {
  const PageEntry& entry = PageTable().at(page_button);
  ShowDetail();
  ShowPageButton(page_button, true);
  if (Control* page = FindControl(entry.window)) page->SetVisible(true);
  if (auto refresh = page_refresh_.find(entry.window); refresh != page_refresh_.end()) {
    (this->*refresh->second)(argument);
  }
  if (entry.window == "window_energy") RefreshLevelPage();
  ShowPageButton(kHomeButton, false);
  ScrollToPage(entry.window);
}

void MainWindow::ClosePage(const std::string& page_button) {
  ShowPageButton(page_button, false);
  if (Control* page = FindControl(PageTable().at(page_button).window)) page->SetVisible(false);
  if (!AnyPageOpen()) ShowOverview();
}

bool MainWindow::AnyPageOpen() const {
  for (const auto& [button, entry] : PageTable()) {
    const Control* page = entry.window.empty() ? nullptr : FindControl(entry.window);
    if (page != nullptr && page->IsVisible()) return true;
  }
  return false;
}

void MainWindow::ShowDetail() {
  if (Control* home = FindControl(kHomeWindow)) home->SetVisible(false);
  if (Control* detail = FindControl(kDetailWindow)) detail->SetVisible(true);
}

void MainWindow::ShowOverview() {
  if (Control* home = FindControl(kHomeWindow)) home->SetVisible(true);
  if (Control* detail = FindControl(kDetailWindow)) detail->SetVisible(false);
  ShowPageButton(kHomeButton, true);
}

void MainWindow::ResetToOverview() {
  for (const auto& [button, entry] : PageTable()) {
    ShowPageButton(button, false);
    if (Control* page = entry.window.empty() ? nullptr : FindControl(entry.window)) page->SetVisible(false);
  }
  ShowOverview();
}

void MainWindow::ShowPageButton(const std::string& page_button, bool selected) {
  auto* button = Find<Button>(page_button);
  if (button == nullptr) return;
  const PageEntry& entry = PageTable().at(page_button);
  button->SetNormalImage(selected ? entry.selected_image : entry.normal_image);
  button->SetHotImage(selected ? entry.selected_hot_image : entry.hot_image);
  button->SetPushedImage(selected ? entry.selected_pushed_image : entry.pushed_image);
}

// Makes `channel` the channel the pages of `side` show for the selected
// device, marks its header and refreshes those pages.
void MainWindow::SelectChannelStrip(int side, int channel) {
  const DeviceRecord* record = DeviceForEdit();
  if (record == nullptr) return;
  auto& channels = CurrentChannels(record->Address());
  (side == kInputSide ? channels.first : channels.second) = channel;
  MarkChannelHeaders(*this, channels.first, channels.second);
  RefreshSide(side, channel);
}

std::pair<int, int>& MainWindow::CurrentChannels(int address) { return current_channels_[address]; }

void MainWindow::RefreshSide(int side, int channel) {
  for (const std::string& window : kSidePages[side]) {
    (this->*page_refresh_.at(window))(IsDelayPage(window) ? side : channel);
  }
}

void MainWindow::RefreshAllPages() {
  const DeviceRecord* record = SelectedDevice();
  if (record == nullptr) return;
  const auto channels = CurrentChannels(record->Address());
  RefreshSide(kInputSide, channels.first);
  RefreshSide(kOutputSide, channels.second);
  RefreshMatrixPage(0);
  RefreshLevelPage();
}

void MainWindow::SetPageTitle(const char* label, const BilingualText& title, int channel) {
  if (Control* control = FindControl(label)) control->SetText(ChannelTitle(language_, title, channel));
}

void MainWindow::RefreshInputPage(int channel) { SetPageTitle("label_window_input_title", text::kInputTitle, channel); }

void MainWindow::RefreshNoiseGatePage(int channel) {
  SetPageTitle("label_window_noise_gate_title", text::kNoiseGateTitle, channel);
}

void MainWindow::RefreshInputEqPage(int channel) {
  SetPageTitle("label_window_input_eq_title", text::kInputEqTitle, channel);
}

void MainWindow::RefreshDelayPage(int side) {
  ApplyLabel(side == kInputSide ? "label_window_input_delay_title" : "label_window_output_delay_title");
}

void MainWindow::RefreshMatrixPage(int) { ApplyLabel("label_window_matrix_mix_title"); }

void MainWindow::RefreshOutputPage(int channel) {
  SetPageTitle("label_window_output_title", text::kOutputTitle, channel);
}

void MainWindow::RefreshOutputEqPage(int channel) {
  SetPageTitle("label_window_output_eq_title", text::kOutputEqTitle, channel);
}

void MainWindow::RefreshCompressorPage(int channel) {
  SetPageTitle("label_window_comp_title", text::kCompressorTitle, channel);
}

void MainWindow::RefreshLimiterPage(int channel) {
  SetPageTitle("label_window_linit_title", text::kLimiterTitle, channel);
}

// What the user had open for a device, so that selecting it again brings
// its pages back.
void MainWindow::StorePageLayout(int address) {
  const Control* home = FindControl(kHomeWindow);
  if (home == nullptr) return;
  auto& layout = page_layouts_[address];
  layout.clear();
  for (const auto& [button, entry] : PageTable()) {
    if (const Control* page = entry.window.empty() ? nullptr : FindControl(entry.window)) {
      layout[entry.window] = page->IsVisible();
    }
  }
  layout[kHomeWindow] = home->IsVisible();
  const auto* detail = Find<ScrollView>(kDetailWindow);
  page_scroll_positions_[address] = !home->IsVisible() && detail != nullptr ? detail->ScrollPos() : QPoint(0, 0);
}

void MainWindow::RestorePageLayout(int address) {
  auto found = page_layouts_.find(address);
  if (found == page_layouts_.end()) return;
  const auto& layout = found->second;
  auto home = layout.find(kHomeWindow);
  if (home == layout.end()) return;
  if (home->second) {
    ResetToOverview();
    return;
  }
  ShowDetail();
  for (const auto& [button, entry] : PageTable()) {
    if (entry.window.empty()) continue;
    auto recorded = layout.find(entry.window);
    const bool visible = recorded == layout.end() || recorded->second;
    ShowPageButton(button, visible);
    if (Control* page = FindControl(entry.window)) page->SetVisible(visible);
  }
  ShowPageButton(kHomeButton, false);
  if (auto* detail = Find<ScrollView>(kDetailWindow)) {
    FlushPendingLayouts();
    detail->SetScrollPos(page_scroll_positions_[address]);
  }
}

}  // namespace dsp
