#include "platform/testing/ui_harness.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <utility>

#include "platform/check_box.h"
#include "platform/progress.h"
#include "platform/slider.h"
#include "platform/window.h"

namespace dsp {
namespace {

FailureHandler* current_failure_handler = nullptr;
QtMessageHandler previous_message_handler = nullptr;

void ReportCriticalMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if ((type == QtCriticalMsg || type == QtFatalMsg) && current_failure_handler != nullptr) {
    (*current_failure_handler)(message.toStdString());
  }
  if (previous_message_handler != nullptr) previous_message_handler(type, context, message);
}

}  // namespace

UiHarness::UiHarness(FailureHandler on_failure)
    : on_failure_(std::move(on_failure)),
      clock_(on_failure_),
      dialogs_(on_failure_),
      override_(&clock_, &dialogs_) {
  current_failure_handler = &on_failure_;
  previous_message_handler = qInstallMessageHandler(ReportCriticalMessages);
}

UiHarness::~UiHarness() {
  qInstallMessageHandler(previous_message_handler);
  current_failure_handler = nullptr;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void UiHarness::At(std::int64_t delay_ms, std::function<void()> action) {
  clock_.StartTimer(delay_ms, false, std::move(action));
}

void UiHarness::Raise(std::string_view name, std::string_view type, std::uintptr_t wparam, std::intptr_t lparam) {
  driver_.Get(name).SendNotify(type, wparam, lparam);
}

std::string UiHarness::Text(std::string_view name) const { return driver_.Get(name).Text(); }

bool UiHarness::Check(std::string_view name) const { return driver_.Get<CheckBox>(name).Check(); }

int UiHarness::Value(std::string_view name) const {
  Control& control = driver_.Get(name);
  if (auto* slider = dynamic_cast<Slider*>(&control)) return slider->Value();
  if (auto* progress = dynamic_cast<Progress*>(&control)) return progress->Value();
  throw UiActionError("\"" + std::string(name) + "\" has no value; it is a " + std::string(control.ClassName()));
}

bool UiHarness::Visible(std::string_view name) const { return driver_.Get(name).IsVisibleInWindow(); }

}  // namespace dsp
