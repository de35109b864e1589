#include "platform/qt_dialog_service.h"

#include <QFileDialog>
#include <QMessageBox>

#include "platform/messages.h"
#include "platform/qt_text.h"
#include "platform/window.h"

namespace dsp {
namespace {

QWidget* ParentWidget(Window* parent) { return parent != nullptr ? parent->Widget() : nullptr; }

std::optional<std::string> ChosenPath(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return ToStd(path);
}

}  // namespace

std::string QtFilterString(const std::vector<FileFilter>& filters) {
  std::string result;
  for (const FileFilter& filter : filters) {
    if (!result.empty()) result += ";;";
    const std::string suffix = "(" + filter.pattern + ")";
    const bool names_pattern = filter.description.size() >= suffix.size() &&
                               filter.description.ends_with(suffix);
    result += names_pattern ? filter.description : filter.description + " " + suffix;
  }
  return result;
}

int QtDialogService::MessageBox(Window* parent, std::string_view text, std::string_view caption,
                                MessageButtons buttons) {
  const auto standard = buttons == MessageButtons::kOk ? QMessageBox::Ok
                                                       : QMessageBox::Ok | QMessageBox::Cancel;
  QMessageBox box(QMessageBox::NoIcon, ToQt(caption), ToQt(text), standard, ParentWidget(parent));
  return box.exec() == QMessageBox::Ok ? kIdOk : kIdCancel;
}

std::optional<std::string> QtDialogService::OpenFileName(Window* parent,
                                                         const FileDialogRequest& request) {
  return ChosenPath(QFileDialog::getOpenFileName(ParentWidget(parent), ToQt(request.title),
                                                 ToQt(request.start_folder),
                                                 ToQt(QtFilterString(request.filters))));
}

std::optional<std::string> QtDialogService::SaveFileName(Window* parent,
                                                         const FileDialogRequest& request) {
  return ChosenPath(QFileDialog::getSaveFileName(ParentWidget(parent), ToQt(request.title),
                                                 ToQt(request.start_folder),
                                                 ToQt(QtFilterString(request.filters))));
}

std::optional<std::string> QtDialogService::ChooseFolder(Window* parent, std::string_view title) {
  return ChosenPath(QFileDialog::getExistingDirectory(ParentWidget(parent), ToQt(title), "./"));
}

}  // namespace dsp
