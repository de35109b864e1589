#include "app/pages/page_set.h"

#include "app/label_table.h"
#include "app/overview_layout.h"

namespace dsp {

PageSet::PageSet(WindowContext& context) : context_(context) {
  for (int side = 0; side < kSides; ++side) strips_[side] = std::make_unique<ChannelStrips>(context, side);
  for (const PageInfo& page : PageList()) {
    if (page.make != nullptr) pages_.emplace(page.Window(), page.make(context));
  }
}

PageSet::~PageSet() = default;

void PageSet::Register(NotifyRegistry& registry) {
  for (auto& strips : strips_) strips->Register(registry);
  for (auto& [window, page] : pages_) page->Register(registry);
}

void PageSet::Refresh(const PageInfo& page, int argument) {
  if (page.title != nullptr) {
    if (Control* title = context_.Host().FindControl(page.title_label)) {
      title->SetText(ChannelTitle(context_.InterfaceLanguage(), *page.title, argument));
    }
  } else if (const auto text = LabelText(page.title_label, context_.InterfaceLanguage())) {
    if (Control* title = context_.Host().FindControl(page.title_label)) title->SetText(*text);
  }
  if (auto found = pages_.find(page.Window()); found != pages_.end()) found->second->Refresh(argument);
}

void PageSet::RefreshPage(const std::string& window, int argument) {
  if (const PageInfo* page = FindPage(window)) Refresh(*page, argument);
}

void PageSet::RefreshSide(int side, int channel) {
  for (const PageInfo& page : PageList()) {
    if (page.side == side) Refresh(page, page.argument == PageArgument::kSide ? side : channel);
  }
}

// With processors listed and none selected the pages show their titles
// for channel A.
void PageSet::RefreshAll() {
  const DeviceRecord* record = context_.SelectedDevice();
  const DeviceView view = record != nullptr ? context_.View(record->Address()) : DeviceView{};
  for (int side = 0; side < kSides; ++side) {
    strips_[side]->Refresh(0);
    RefreshSide(side, view.channel[side]);
  }
  for (const PageInfo& page : PageList()) {
    if (page.side < 0) Refresh(page, 0);
  }
}

void PageSet::SelectChannel(int side, int channel) {
  const DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  DeviceView& view = context_.View(record->Address());
  if (view.channel[side] == channel) return;
  view.channel[side] = channel;
  MarkChannelHeaders(context_.Host(), view.channel[kInputSide], view.channel[kOutputSide]);
  RefreshSide(side, channel);
}

}  // namespace dsp
