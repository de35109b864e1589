// dspdemo: shows the toolkit demo window; with --script FILE it plays a
// scenario against it, with --screenshot FILE it saves a picture of it.
#include <QApplication>
#include <iostream>

#include "demo/demo_window.h"
#include "platform/skin_error.h"
#include "platform/testing/scenario_runner.h"
#include "platform/ui_setup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  dsp::UiOptions options;
  try {
    options = dsp::ParseUiOptions(argc, argv);
  } catch (const std::invalid_argument& error) {
    std::cerr << "dspdemo: " << error.what() << '\n';
    return 2;
  }
  if (!options.rest.empty()) {
    std::cerr << "dspdemo: unknown argument " << options.rest.front()
              << " (options: --skin-dir DIR, --script FILE, --screenshot FILE)\n";
    return 2;
  }
  if (const std::string error = dsp::SetUpToolkit(app, options); !error.empty()) {
    std::cerr << "dspdemo: " << error << '\n';
    return 1;
  }
  dsp::DemoWindow window;
  try {
    window.Create(nullptr, "dspdesk toolkit demo");
  } catch (const dsp::SkinError& error) {
    std::cerr << "dspdemo: " << error.what() << '\n';
    return 1;
  }
  window.CenterWindow();
  window.ShowWindow();
  if (const auto code = dsp::RunScriptedSession(options, window, std::cerr)) return *code;
  return app.exec();
}
