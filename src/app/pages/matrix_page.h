#pragma once

// The mixing matrix: a cell per input and output showing its send level,
// coloured while switched on; a click selects the cell for the level
// slider and edit box, a double-click switches it; clear and reset act on
// the cells the processor has. Hovering a cell lights its row and column
// heads.

#include "app/pages/page.h"
#include "platform/step_filter.h"

namespace dsp {

class MatrixPage : public Page {
 public:
  // ARGB of a switched-on cell.
  static constexpr unsigned kOnColour = 0x7075EBBD;

  explicit MatrixPage(WindowContext& context) : Page(context) {}

  void Register(NotifyRegistry& registry) override;
  void Refresh(int) override;

 private:
  void OnCellClick(Notification& notification);
  void OnCellDoubleClick(Notification& notification);
  void OnCellEnter(Notification& notification) { LightHeads(notification, true); }
  void OnCellLeave(Notification& notification) { LightHeads(notification, false); }
  void OnSlider(Notification& notification);
  void OnCommit(Notification& notification);
  void OnStep(Notification& notification);
  void OnClear(Notification&) { SetAllCells(false); }
  void OnReset(Notification&) { SetAllCells(true); }
  // Selects the sender's cell; nullptr when no record may be edited.
  DeviceRecord* SelectCell(Notification& notification);
  void StoreLevel(DeviceRecord& record, int level);
  void SetAllCells(bool diagonal);
  void LightHeads(const Notification& notification, bool lit);

  StepFilter steps_;
};

}  // namespace dsp
