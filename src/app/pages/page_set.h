#pragma once

// The behaviour of the editing area: the overview's channel strips and one
// object per page of the page list that has behaviour. It registers their
// notifications, refreshes pages by window, by side or all at once (each
// page's title from the list first), and moves a side's current channel.

#include <array>
#include <map>
#include <memory>
#include <string>

#include "app/pages/channel_strips.h"
#include "app/pages/page_list.h"

namespace dsp {

class PageSet {
 public:
  explicit PageSet(WindowContext& context);
  ~PageSet();

  void Register(NotifyRegistry& registry);

  // Title and values of one page; `argument` as PageArgument says.
  void Refresh(const PageInfo& page, int argument);
  // The pages of `side`, for `channel`.
  void RefreshSide(int side, int channel);
  // The overview and every page, for the selected record and its channels
  // (titles for channel A when none is selected).
  void RefreshAll();
  void RefreshPage(const std::string& window, int argument);

  // Makes `channel` the one the pages of `side` show for the selected
  // record, marks its header and refreshes those pages.
  void SelectChannel(int side, int channel);

 private:
  WindowContext& context_;
  std::array<std::unique_ptr<ChannelStrips>, kSides> strips_;
  std::map<std::string, std::unique_ptr<Page>> pages_;  // by page window
};

}  // namespace dsp
