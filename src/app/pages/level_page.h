#pragma once

// The level page: each channel's last level reading of the selected
// processor, in dBv and on a meter. The level poll refreshes it as answers
// come in.

#include "app/pages/page.h"

namespace dsp {

class LevelPage : public Page {
 public:
  explicit LevelPage(WindowContext& context) : Page(context) {}

  void Register(NotifyRegistry&) override {}
  void Refresh(int) override;
};

}  // namespace dsp
