#pragma once

// Moving about the editing area: the overview (window_home) or the detail
// view (window_detail) with the open page windows; the page buttons, the
// pages' close buttons and the overview's blocks; and the pages a processor
// had open, kept in its view state while another one is selected.

#include <string>

#include "app/notify_registry.h"
#include "app/pages/page_set.h"
#include "app/window_context.h"

namespace dsp {

class PageNavigator {
 public:
  PageNavigator(WindowContext& context, PageSet& pages) : context_(context), pages_(pages) {}

  void Register(NotifyRegistry& registry);

  void OpenPage(const std::string& page_button, int argument);
  // The overview with every page closed.
  void ResetToOverview();
  void StoreLayout(int address);
  void RestoreLayout(int address);

 private:
  void OnPageButtonClick(Notification& notification);
  void OnPageButtonDoubleClick(Notification& notification);
  void OnClosePageClick(Notification& notification);
  void OnOverviewBlockClick(Notification& notification);
  void ClosePage(const std::string& page_button);
  void ShowDetail();
  void ShowOverview();
  void ScrollToPage(const std::string& window);
  void ShowPageButton(const std::string& page_button, bool selected);
  bool AnyPageOpen() const;
  Control* Find(std::string_view name) const { return context_.Host().FindControl(name); }

  WindowContext& context_;
  PageSet& pages_;
};

}  // namespace dsp
