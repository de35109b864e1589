#include "skin_preview/preview_main_window.h"

#include <array>
#include <string>

#include "app/control_names.h"
#include "app/device_node.h"
#include "app/overview_layout.h"
#include "app/texts.h"
#include "platform/check_box.h"
#include "platform/tree_view.h"
#include "platform/window.h"

namespace dsp {

void FitPreviewChannels(Window& window, int inputs, int outputs) {
  FitOverview(window, inputs, outputs);
  MarkChannelHeaders(window, 0, 0);
}

// Nodes as a scan makes them, with a few states a skin should show: one
// processor saving, one disconnected.
void AddPreviewDevices(Window& window, int count, Language language) {
  static constexpr std::array kNames = {"Main Hall", "Stage Left", "Lobby", "Balcony", "Foyer", "Delay Line"};
  for (int i = 0; i < count; ++i) {
    if (!AddDeviceNode(window, kNames[static_cast<std::size_t>(i) % kNames.size()], i, language)) return;
    if (i == 1) window.FindControl(Channel("label_tips", i))->SetText(Pick(language, text::kSaving));
    if (auto* connected = window.Find<CheckBox>(Channel("checkbox_connect_status", i))) connected->SetCheck(i % 3 != 2);
  }
  if (count > 0) window.Find<TreeView>(kDeviceTree)->SelectNode(1);
}

}  // namespace dsp
