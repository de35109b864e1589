// skin_preview: renders a skin file offscreen into a PNG, with the custom
// controls the program draws, so a skin can be looked at without the
// program behind it.
#include <QApplication>
#include <QImage>
#include <iostream>

#include "app/captions.h"
#include "app/curve_labels.h"
#include "platform/skin_error.h"
#include "platform/testing/screenshot.h"
#include "platform/ui_setup.h"
#include "skin_preview/preview_main_window.h"
#include "skin_preview/preview_options.h"
#include "skin_preview/preview_window.h"

namespace {

bool Apply(dsp::Window& window, const dsp::PreviewOptions& options) {
  auto find = [&](const std::string& name) {
    dsp::Control* control = window.FindControl(name);
    if (control == nullptr) std::cerr << "skin_preview: no control named " << name << '\n';
    return control;
  };
  for (const std::string& name : options.show) {
    if (dsp::Control* control = find(name)) control->SetVisible(true);
  }
  for (const std::string& name : options.hide) {
    if (dsp::Control* control = find(name)) control->SetVisible(false);
  }
  for (const dsp::AttributeSetting& setting : options.settings) {
    dsp::Control* control = find(setting.control);
    if (control == nullptr) return false;
    try {
      control->SetAttribute(setting.attribute, setting.value);
    } catch (const std::exception& error) {
      std::cerr << "skin_preview: " << setting.control << ": " << error.what() << '\n';
      return false;
    }
  }
  dsp::ApplyLabelTable(window, options.language);
  dsp::ApplyCurveLabels(window, options.language);
  if (window.Root() != nullptr) dsp::ApplySkinCaptions(*window.Root(), options.language);
  if (options.inputs >= 0) dsp::FitPreviewChannels(window, options.inputs, options.outputs);
  dsp::AddPreviewDevices(window, options.devices, options.language);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  dsp::PreviewOptions options;
  dsp::UiOptions ui;
  try {
    ui = dsp::ParseUiOptions(argc, argv);
    options = dsp::ParsePreviewOptions(ui.rest);
  } catch (const std::invalid_argument& error) {
    std::cerr << "skin_preview: " << error.what() << '\n' << dsp::kPreviewUsage << '\n';
    return 2;
  }
  if (const std::string error = dsp::SetUpToolkit(app, ui); !error.empty()) {
    std::cerr << "skin_preview: " << error << '\n';
    return 1;
  }
  dsp::PreviewWindow window(options.view);
  try {
    window.Create(nullptr, "skin preview");
  } catch (const dsp::SkinError& error) {
    std::cerr << "skin_preview: " << error.what() << '\n';
    return 1;
  }
  window.Widget()->resize(options.size);
  window.ShowWindow();
  if (!Apply(window, options)) return 1;
  QApplication::processEvents();
  QImage image = dsp::Capture(window.Widget());
  if (!options.zoom.isEmpty()) image = image.copy(options.zoom).scaled(options.zoom.size() * 2);
  if (!image.save(QString::fromStdString(options.output), "PNG")) {
    std::cerr << "skin_preview: cannot write " << options.output << "; check the folder\n";
    return 1;
  }
  return 0;
}
