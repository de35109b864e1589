#include "platform/window_host.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "platform/window.h"

namespace dsp {

WindowHost::WindowHost(Window& window, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), window_(window) {
  setFocusPolicy(Qt::StrongFocus);
}

void WindowHost::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  window_.OnHostShown();
}

void WindowHost::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  window_.OnHostResized();
}

// Maximising or restoring reports a size change even when the platform
// delivers the new geometry later (or, offscreen, not at all).
void WindowHost::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) window_.OnHostResized();
}

void WindowHost::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (!text.isEmpty() && window_.OnHostCharacter(text.at(0).unicode())) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void WindowHost::closeEvent(QCloseEvent* event) { window_.OnHostCloseRequested(event); }

}  // namespace dsp
