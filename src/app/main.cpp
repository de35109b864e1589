// dspdesk: the desktop application. Shows the main window on the serial
// processors (or on simulated ones with --simulate) and runs until it is
// closed; with --script it plays a scenario against the window and exits.
#include <QApplication>
#include <QIcon>
#include <iostream>

#include "app/desk_options.h"
#include "app/main_window.h"
#include "app/port_watch.h"
#include "app/simulated_bus.h"
#include "persist/language_setting.h"
#include "platform/qt_text.h"
#include "platform/skin_error.h"
#include "platform/testing/scenario_runner.h"
#include "platform/toolkit.h"
#include "platform/ui_setup.h"

namespace {

constexpr const char* kTitle = "dspdesk";

}  // namespace

int main(int argc, char** argv) {
  if (const auto info = dsp::DeskInfoText(std::vector<std::string>(argv + 1, argv + argc))) {
    std::cout << *info;
    return 0;
  }
  QApplication app(argc, argv);
  dsp::UiOptions options;
  dsp::DeskOptions desk;
  try {
    options = dsp::ParseUiOptions(argc, argv);
    desk = dsp::ParseDeskOptions(options.rest);
  } catch (const std::invalid_argument& error) {
    std::cerr << "dspdesk: " << error.what() << "\n" << dsp::DeskUsage();
    return 2;
  }
  if (const std::string error = dsp::SetUpToolkit(app, options); !error.empty()) {
    std::cerr << "dspdesk: " << error << '\n';
    return 1;
  }
  QApplication::setWindowIcon(QIcon(dsp::ToQt((dsp::Toolkit::SkinDir() / "image/dspdesk.png").string())));

  dsp::MainWindowSetup setup;
  if (desk.port) setup.preferred_ports.push_back(*desk.port);
  setup.answer_wait_extra_ms = desk.answer_wait_extra_ms;
  std::unique_ptr<dsp::PtyEndpoint> simulated;
  if (!desk.simulate.empty()) {
    std::string error;
    simulated = dsp::StartSimulatedBus(desk.simulate, error);
    if (!simulated) {
      std::cerr << "dspdesk: cannot start the simulated processors: " << error << '\n';
      return 1;
    }
    setup.preferred_ports.push_back(simulated->path());
  }
  setup.setting_file = dsp::SettingFilePath(dsp::ExecutableDirectory());

  dsp::MainWindow window(std::move(setup));
  try {
    window.Create(nullptr, kTitle);
  } catch (const dsp::SkinError& error) {
    std::cerr << "dspdesk: " << error.what() << '\n';
    return 1;
  }
  window.CenterWindow();
  window.ShowWindow();
  const auto watch = dsp::StartPortWatch([&window](const dsp::PortChange& change) { window.PortChanged(change); },
                                         {static_cast<int>(window.Config().baud), [&window] { return window.PortInUse(); }});
  if (const auto code = dsp::RunScriptedSession(options, window, std::cerr)) return *code;
  return app.exec();
}
