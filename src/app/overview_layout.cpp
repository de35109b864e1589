#include "app/overview_layout.h"

#include <algorithm>
#include <string>

#include "app/control_names.h"
#include "model/device_record.h"
#include "platform/window.h"

namespace dsp {
namespace {

constexpr const char* kDelayFamilies[] = {"delay_control", "delay_image",   "delay_label", "delay_unit_cm",
                                          "delay_unit_ft", "delay_unit_ms", "delay_on",    "delay_reset"};

void Show(const Window& window, const std::string& name, bool visible) {
  if (Control* control = window.FindControl(name)) control->SetVisible(visible);
}

void ShowChannels(const Window& window, const std::string& family, int count) {
  for (int k = 0; k < kChannelsPerSide; ++k) Show(window, Channel(family, k), k < count);
}

// The strips of one side ("input" or "output") for `count` channels.
void FitSide(const Window& window, const std::string& side, int count) {
  for (const char* family : {"layout_energy_", "layout_", "layout_home_", "layout_mix_"}) {
    ShowChannels(window, family + side, count);
  }
  for (const char* delay : kDelayFamilies) {
    const std::string family = "layout_" + side + "_" + delay;
    ShowChannels(window, family, count);
    Show(window, family + "_hide", count < kChannelsPerSide);
  }
}

void FitHomeRows(const Window& window, int rows) {
  for (int r = 0; r < kChannelsPerSide; ++r) {
    Show(window, Channel("layout_home", r), r < rows);
    Show(window, Channel("layout_home_hide", r), r < kChannelsPerSide - rows);
  }
}

void FitMatrix(const Window& window, int inputs, int outputs) {
  for (int r = 0; r < kChannelsPerSide; ++r) {
    for (int c = 0; c < kChannelsPerSide; ++c) {
      Show(window, "layout_mix_input_" + std::to_string(r) + "_output_" + std::to_string(c), r < inputs && c < outputs);
    }
  }
  Show(window, "layout_mix_input_hide", inputs < kChannelsPerSide);
}

void MarkHeaders(const Window& window, const std::string& side, int current) {
  for (int k = 0; k < kChannelsPerSide; ++k) {
    Control* header = window.FindControl(Channel("list_" + side, k));
    if (header == nullptr) continue;
    header->SetBkImage("image/channel_" + side + (k == current ? "_selected.png" : ".png"));
  }
}

}  // namespace

void FitOverview(const Window& window, int inputs, int outputs) {
  FitSide(window, "input", inputs);
  FitSide(window, "output", outputs);
  FitHomeRows(window, std::max(inputs, outputs));
  FitMatrix(window, inputs, outputs);
}

void MarkChannelHeaders(const Window& window, int input_channel, int output_channel) {
  MarkHeaders(window, "input", input_channel);
  MarkHeaders(window, "output", output_channel);
}

}  // namespace dsp
