#pragma once

#include <QWidget>

namespace dsp {

class Window;

// The top-level Qt widget of a Window; hands Qt's window events over to it.
class WindowHost : public QWidget {
 public:
  WindowHost(Window& window, QWidget* parent, Qt::WindowFlags flags);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Window& window_;
};

}  // namespace dsp
