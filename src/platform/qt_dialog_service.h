#pragma once

#include "platform/dialog_service.h"

namespace dsp {

// The real message boxes, file and folder dialogs (QMessageBox, QFileDialog).
class QtDialogService : public DialogService {
 public:
  int MessageBox(Window* parent, std::string_view text, std::string_view caption,
                 MessageButtons buttons) override;
  std::optional<std::string> OpenFileName(Window* parent, const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileName(Window* parent, const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(Window* parent, std::string_view title) override;
};

}  // namespace dsp
