#include "app/pages/level_page.h"

#include "app/control_names.h"
#include "platform/slider.h"
#include "protocol/level_poll.h"

namespace dsp {

void LevelPage::Refresh(int) {
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr) return;
  const Configuration& config = context_.Config();
  for (int side = 0; side < kSides; ++side) {
    for (int channel = 0; channel < record->ChannelCount(side); ++channel) {
      const double db = LevelDb(record->Level(side, channel), config.energy_full, config.energy_min_db);
      SetText(Channel(SidedName("label_energy_%s", side), channel), FormatLevelDb(db));
      if (auto* meter = Find<Slider>(Channel(SidedName("slider_energy_%s", side), channel))) {
        meter->SetValue(LevelSliderPosition(db, meter->Min(), meter->Max()));
      }
    }
  }
}

}  // namespace dsp
