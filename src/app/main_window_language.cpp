// Applying the interface language: the skin's own captions, the label table,
// the curves' axis titles and the devices' sync indicators.
#include "app/captions.h"
#include "app/curve_labels.h"
#include "app/file_texts.h"
#include "app/label_table.h"
#include "app/main_window.h"
#include "persist/language_setting.h"

namespace dsp {

// The port suffix of the title stays through a change of caption; a
// language without a text set leaves the label table's captions as they are.
void MainWindow::ApplyLanguage() {
  port_keeper_.RecaptionTitle([this] {
    if (Root() != nullptr) ApplySkinCaptions(*Root(), language_);
  });
  ApplyLabelTable(*this, language_);
  ApplyCurveLabels(*this, language_);
  if (debug_dialog_ != nullptr) debug_dialog_->SetLanguage(language_);
  for (const DeviceRecord& record : devices_) {
    if (Control* circle = FindControl("label_circle_" + std::to_string(record.Address() - 1))) {
      circle->SetText(SyncIndicatorText(language_));
    }
  }
}

// The choice is kept in Setting.ini; a setting that cannot be written is
// said, and the interface switches all the same.
void MainWindow::OnLanguageItem(Notification&) {
  language_ = language_ == Language::kChinese ? Language::kEnglish : Language::kChinese;
  if (const FileResult saved = WriteLanguage(setting_file_, language_); !saved.Ok()) {
    Say(FileProblemText(language_, saved, setting_file_));
  }
  ApplyLanguage();
  RefreshAll();
}

}  // namespace dsp
