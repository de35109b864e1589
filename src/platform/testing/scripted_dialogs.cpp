#include "platform/testing/scripted_dialogs.h"

#include <utility>

#include "platform/messages.h"

namespace dsp {

ScriptedDialogs::ScriptedDialogs(FailureHandler on_failure) : on_failure_(std::move(on_failure)) {}

int ScriptedDialogs::MessageBox(Window*, std::string_view text, std::string_view caption,
                                MessageButtons buttons) {
  int answer = buttons == MessageButtons::kOk ? kIdOk : kIdCancel;
  if (message_answers_.empty()) {
    on_failure_("unexpected message box \"" + std::string(caption) + "\": \"" + std::string(text) +
                "\" (script an answer for it)");
  } else {
    answer = message_answers_.front();
    message_answers_.pop_front();
  }
  messages_.push_back({std::string(text), std::string(caption), buttons, answer});
  return answer;
}

std::optional<std::string> ScriptedDialogs::OpenFileName(Window*, const FileDialogRequest& request) {
  return FileDialog(false, request);
}

std::optional<std::string> ScriptedDialogs::SaveFileName(Window*, const FileDialogRequest& request) {
  return FileDialog(true, request);
}

std::optional<std::string> ScriptedDialogs::ChooseFolder(Window*, std::string_view title) {
  return FileDialog(false, FileDialogRequest{std::string(title), {}, ""});
}

std::optional<std::string> ScriptedDialogs::FileDialog(bool save, const FileDialogRequest& request) {
  std::optional<std::string> answer;
  if (file_answers_.empty()) {
    on_failure_(std::string("unexpected ") + (save ? "save" : "open") + " file dialog \"" + request.title +
                "\" (script an answer for it)");
  } else {
    answer = std::move(file_answers_.front());
    file_answers_.pop_front();
  }
  files_.push_back({save, request, answer});
  return answer;
}

}  // namespace dsp
