#include "app/pages/matrix_page.h"

#include <algorithm>

#include "app/control_names.h"
#include "app/pages/typed_number.h"
#include "platform/slider.h"

namespace dsp {
namespace {

constexpr const char* kSlider = "slider_router_volume";
constexpr const char* kEdit = "edit_router_volume";
constexpr const char* kSelectedLabel = "label_router_volume_selected";
constexpr std::pair<int, int> kFallbackRange{0, 100};
// The raised plate of the skin behind the hovered cell's row and column heads.
const QColor kLitHead(0x35, 0x3B, 0x44);
// The accent frame of the cell the level controls edit.
const QColor kSelectedFrame(0x3F, 0xA7, 0xD6);
constexpr int kSelectedFramePixels = 2;

std::string Percent(int level) { return std::to_string(level) + "%"; }

std::string CellName(int cell) { return std::string("IN ") + static_cast<char>('A' + cell / 256) + " - OUT " +
                                        static_cast<char>('1' + cell % 256); }

}  // namespace

void MatrixPage::Register(NotifyRegistry& registry) {
  for (int in = 0; in < kChannelsPerSide; ++in) {
    for (int out = 0; out < kChannelsPerSide; ++out) {
      const std::string cell = MatrixCell(in, out);
      registry.On(notify::kClick, cell, this, &MatrixPage::OnCellClick);
      registry.On(notify::kDbClick, cell, this, &MatrixPage::OnCellDoubleClick);
      registry.On(notify::kMouseEnter, cell, this, &MatrixPage::OnCellEnter);
      registry.On(notify::kMouseLeave, cell, this, &MatrixPage::OnCellLeave);
    }
  }
  registry.On(notify::kValueChanged, kSlider, this, &MatrixPage::OnSlider);
  registry.On(notify::kKillFocus, kEdit, this, &MatrixPage::OnCommit);
  registry.On(notify::kReturn, kEdit, this, &MatrixPage::OnCommit);
  registry.On(notify::kDirection, kEdit, this, &MatrixPage::OnStep);
  registry.On(notify::kScroll, kEdit, this, &MatrixPage::OnStep);
  registry.On(notify::kClick, "button_router_clear", this, &MatrixPage::OnClear);
  registry.On(notify::kClick, "button_router_reset", this, &MatrixPage::OnReset);
}

void MatrixPage::Refresh(int) {
  const DeviceRecord* record = context_.SelectedDevice();
  if (record == nullptr) return;
  const DeviceView& view = context_.View(record->Address());
  for (int in = 0; in < kChannelsPerSide; ++in) {
    for (int out = 0; out < kChannelsPerSide; ++out) {
      Control* cell = context_.Host().FindControl(MatrixCell(in, out));
      if (cell == nullptr) continue;
      cell->SetText(Percent(record->Router(in, out)));
      cell->SetBkColor(record->RouterEnable(in, out) ? QColor::fromRgba(kOnColour) : QColor());
      const bool selected = in * 256 + out == view.selected_cell;
      cell->SetBorderColor(selected ? kSelectedFrame : QColor());
      cell->SetBorderSize(selected ? kSelectedFramePixels : 0);
    }
  }
  const int level = record->Router(view.SelectedInput(), view.SelectedOutput());
  SetText(kSelectedLabel, CellName(view.selected_cell));
  SetText(kEdit, Percent(level));
  SetSliderValue(kSlider, level);
}

DeviceRecord* MatrixPage::SelectCell(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto cell = MatrixCellOf(notification.sender->Name());
  if (record == nullptr || !cell) return nullptr;
  context_.View(record->Address()).selected_cell = cell->first * 256 + cell->second;
  return record;
}

void MatrixPage::OnCellClick(Notification& notification) {
  if (SelectCell(notification) != nullptr) Refresh(0);
}

void MatrixPage::OnCellDoubleClick(Notification& notification) {
  DeviceRecord* record = SelectCell(notification);
  if (record == nullptr) return;
  const DeviceView& view = context_.View(record->Address());
  const int in = view.SelectedInput();
  const int out = view.SelectedOutput();
  record->SetRouterEnable(in, out, !record->RouterEnable(in, out));
  context_.ScheduleWrite(WriteId::MatrixRow(in, out, record->Address()));
  Refresh(0);
}

void MatrixPage::OnSlider(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  const auto* slider = dynamic_cast<const Slider*>(notification.sender);
  if (record == nullptr || slider == nullptr) return;
  StoreLevel(*record, slider->Value());
  Refresh(0);
}

// A trailing "%" is part of what the box shows; text that still says what
// it showed changes nothing.
void MatrixPage::OnCommit(Notification& notification) {
  DeviceRecord* record = RecordFor(notification);
  if (record == nullptr) return;
  const DeviceView& view = context_.View(record->Address());
  const int stored = record->Router(view.SelectedInput(), view.SelectedOutput());
  const std::string text = notification.sender->Text();
  const auto typed = TypedInteger(text);
  if (typed && text != Percent(stored)) {
    const auto [min, max] = SliderRange(kSlider, kFallbackRange);
    const int level = static_cast<int>(std::clamp<long long>(*typed, min, max));
    if (level != stored) StoreLevel(*record, level);
  }
  Refresh(0);
  if (notification.type == notify::kReturn) context_.Host().SetFocus();
}

void MatrixPage::OnStep(Notification& notification) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr || !steps_.Accept(notification)) return;
  const DeviceView& view = context_.View(record->Address());
  const auto [min, max] = SliderRange(kSlider, kFallbackRange);
  const int step = SliderStep(kSlider, 1) * StepDirection(notification);
  StoreLevel(*record, std::clamp(record->Router(view.SelectedInput(), view.SelectedOutput()) + step, min, max));
  Refresh(0);
}

void MatrixPage::StoreLevel(DeviceRecord& record, int level) {
  const DeviceView& view = context_.View(record.Address());
  record.SetRouter(view.SelectedInput(), view.SelectedOutput(), level);
  context_.ScheduleWrite(WriteId::MatrixRow(view.SelectedInput(), view.SelectedOutput(), record.Address()));
}

// Clear: every cell off at 0 %. Reset: input N to output N at 100 %, every
// other cell off at 0 %. Only the cells the processor has.
void MatrixPage::SetAllCells(bool diagonal) {
  DeviceRecord* record = context_.DeviceForEdit();
  if (record == nullptr) return;
  for (int in = 0; in < record->Inputs(); ++in) {
    for (int out = 0; out < record->Outputs(); ++out) {
      const bool on = diagonal && in == out;
      record->SetRouter(in, out, on ? 100 : 0);
      record->SetRouterEnable(in, out, on);
      context_.ScheduleWrite(WriteId::MatrixRow(in, out, record->Address()));
    }
  }
  Refresh(0);
}

void MatrixPage::LightHeads(const Notification& notification, bool lit) {
  const auto cell = MatrixCellOf(notification.sender->Name());
  if (!cell) return;
  for (const std::string& head : {Channel("label_mix_input", cell->first), Channel("label_mix_output", cell->second)}) {
    if (Control* label = context_.Host().FindControl(head)) label->SetBkColor(lit ? kLitHead : QColor());
  }
}

}  // namespace dsp
