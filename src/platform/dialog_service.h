#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dsp {

class Window;

enum class MessageButtons { kOk, kOkCancel };

// One entry of a file dialog's type list, e.g. {"ini文件(*.ini)", "*.ini"}.
struct FileFilter {
  std::string description;
  std::string pattern;
};

struct FileDialogRequest {
  std::string title;
  std::vector<FileFilter> filters;
  std::string start_folder;
};

// Message boxes and file dialogs. Windows reach them only through
// Toolkit::Dialogs(), so tests and scripts can answer them instead of a user.
class DialogService {
 public:
  virtual ~DialogService() = default;

  // Returns kIdOk (1) or kIdCancel (2).
  virtual int MessageBox(Window* parent, std::string_view text, std::string_view caption,
                         MessageButtons buttons) = 0;

  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> OpenFileName(Window* parent,
                                                  const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFileName(Window* parent,
                                                  const FileDialogRequest& request) = 0;
  // An existing folder, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFolder(Window* parent, std::string_view title) = 0;
};

// The filter string Qt's file dialogs take: entries separated by ";;", each
// "description (patterns)" unless the description already ends with its
// patterns in parentheses.
std::string QtFilterString(const std::vector<FileFilter>& filters);

}  // namespace dsp
