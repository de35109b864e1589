#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog_service.h"
#include "platform/testing/failure.h"

namespace dsp {

struct MessageBoxCall {
  std::string text;
  std::string caption;
  MessageButtons buttons;
  int answer;
};

struct FileDialogCall {
  bool save;
  FileDialogRequest request;
  std::optional<std::string> answer;
};

// Message boxes and file dialogs answered from a script instead of by a
// user. Every call is recorded. A box or dialog for which no answer was
// queued is a failure: it is reported and answered with cancel (kIdOk for a
// box that has only OK, no file for a file dialog).
class ScriptedDialogs : public DialogService {
 public:
  explicit ScriptedDialogs(FailureHandler on_failure);

  // kIdOk or kIdCancel for the next message box.
  void AnswerNextMessage(int answer) { message_answers_.push_back(answer); }
  // The path the next file dialog returns; nullopt means the user cancels.
  void AnswerNextFile(std::optional<std::string> path) { file_answers_.push_back(std::move(path)); }
  std::size_t UnusedAnswers() const { return message_answers_.size() + file_answers_.size(); }

  const std::vector<MessageBoxCall>& Messages() const { return messages_; }
  const std::vector<FileDialogCall>& FileDialogs() const { return files_; }

  int MessageBox(Window* parent, std::string_view text, std::string_view caption,
                 MessageButtons buttons) override;
  std::optional<std::string> OpenFileName(Window* parent, const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileName(Window* parent, const FileDialogRequest& request) override;
  // Answered like a file dialog (AnswerNextFile), recorded as an open one.
  std::optional<std::string> ChooseFolder(Window* parent, std::string_view title) override;

 private:
  std::optional<std::string> FileDialog(bool save, const FileDialogRequest& request);

  FailureHandler on_failure_;
  std::deque<int> message_answers_;
  std::deque<std::optional<std::string>> file_answers_;
  std::vector<MessageBoxCall> messages_;
  std::vector<FileDialogCall> files_;
};

}  // namespace dsp
