// How long the equaliser graph takes: the response alone, a whole paint of
// a 1920 x 600 graph with all 31 bands on, one step of a drag on the
// equaliser page (the page stores the value, refreshes and the graph
// repaints), and a drag on a simulated processor with how long the
// processor takes to follow. Prints figures; nothing passes or fails on a
// time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <chrono>

#include "app/main_window.h"
#include "app/simulated_bus.h"
#include "controls/eq_graph.h"
#include "platform/testing/ui_driver.h"
#include "platform/ui_setup.h"
#include "sim/sim_parameters.h"

namespace {

using namespace dsp;

constexpr int kWidth = 1920;
constexpr int kHeight = 600;

// A busy equaliser: every band on, peaks and shelves of several gains and
// Qs, both filters working.
void FillBands(EqGraph& graph) {
  constexpr int kTypes[] = {1, 1, 1, 6, 1, 7};
  for (int band = 0; band < kGraphBands; ++band) {
    const int gain = (band % 7 - 3) * 300;
    graph.SetBand(band, kThirdOctaveFrequencies[static_cast<std::size_t>(band)], gain, 70 + band * 20,
                  kTypes[band % 6], true);
    std::string label(1, '\n');
    label += std::to_string(kThirdOctaveFrequencies[static_cast<std::size_t>(band)]);
    label += "\n0.0";
    graph.SetBandLabel(band, label);
  }
  graph.SetHighPass(40, true);
  graph.SetLowPass(16000, true);
}

EqGraph& BusyGraph() {
  static EqGraph* graph = [] {
    auto* made = new EqGraph;
    for (const auto& [name, value] :
         {std::pair{"windowbkcolor", "#FF1B1E23"}, {"windowlinecolor", "#FF5A6370"}, {"gridcolor", "#FF333942"},
          {"scaletextcolor", "#FF9AA5B1"}, {"textcolor", "#FFFFFFFF"}}) {
      made->SetAttribute(name, value);
    }
    for (int band = 1; band <= kGraphBands; ++band) {
      made->SetAttribute("band" + std::to_string(band) + "image", "image/band_handle.png");
    }
    made->resize(kWidth, kHeight);
    FillBands(*made);
    return made;
  }();
  return *graph;
}

void Response(benchmark::State& state) {
  const EqGraph& graph = BusyGraph();
  const PixelRect plot{42, 21, kWidth - 9, kHeight - 14};
  for (auto _ : state) {
    const EqResponse response = ComputeResponse(graph.Model().Bands(), graph.Model().HighPassShape(),
                                                graph.Model().LowPassShape(), 12, plot);
    benchmark::DoNotOptimize(CurvePoints(response.total, plot));
  }
}
BENCHMARK(Response)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

void Paint1920x600(benchmark::State& state) {
  EqGraph& graph = BusyGraph();
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    graph.render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(Paint1920x600)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The link of a window with no processor: edits land on the offline record
// and nothing goes out.
class NoLink : public PortLink {
 public:
  void Send(ByteView) override {}
  std::optional<Bytes> PopReply() override { return std::nullopt; }
  bool IsSendQueueEmpty() override { return true; }
  bool Open(const std::string&, int) override { return false; }
  std::string OpenError() const override { return "no port"; }
  void Close() override {}
  bool IsOpen() const override { return false; }
  std::string PortName() const override { return {}; }
  std::vector<std::string> OpenablePorts(int) override { return {}; }
  std::string TakeTrace() override { return {}; }
  void SetHexTrace(bool) override {}
  bool StartTransfer(const std::string&, std::uint8_t, TransferMode) override { return false; }
  TransferProgress Progress() const override { return {}; }
};

void MouseTo(QWidget& widget, QEvent::Type type, QPoint point) {
  QMouseEvent event(type, point, widget.mapToGlobal(point), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &event);
}

// One mouse move of a drag on the input equaliser page of the main window,
// and the repaint it asks for.
void DragStepOnThePage(benchmark::State& state) {
  MainWindowSetup setup;
  setup.link = std::make_unique<NoLink>();
  setup.setting_file = "/dev/null";
  MainWindow window(std::move(setup));
  window.Create(nullptr, "dspdesk");
  window.ShowWindow();
  QCoreApplication::processEvents();
  UiDriver().Click("button_input_eq_0");
  auto& graph = *window.Find<EqGraph>("graph_input_eq");
  graph.repaint();
  const QPoint handle = *graph.NamedPoint("band18");
  MouseTo(graph, QEvent::MouseButtonPress, handle);
  int step = 0;
  for (auto _ : state) {
    MouseTo(graph, QEvent::MouseMove, handle + QPoint(step % 40, -(step % 30)));
    graph.repaint();
    ++step;
  }
  MouseTo(graph, QEvent::MouseButtonRelease, handle);
}
BENCHMARK(DragStepOnThePage)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// Whether the simulated processor's input A band holds what the window's
// record says.
bool ProcessorFollows(PtyEndpoint& bus, const DeviceRecord& record, int band) {
  return bus.WithBus([&](SimBus& sim) {
    const SimBand& held = sim.processor(0).parameters().inputs[0].bands[static_cast<std::size_t>(band)];
    return held.frequency == record.EqualizerFrequence(kInputSide, 0, band) &&
           held.gain_raw == record.EqualizerGain(kInputSide, 0, band) + kEqGainRawZeroDb &&
           held.q == record.EqualizerQ(kInputSide, 0, band);
  });
}

// A two-second drag at 60 moves a second on a processor simulated behind a
// pseudo-terminal and the serial link, as with --simulate: the UI thread's
// time per move (event, page refresh, write, repaint) and how long after
// letting go the processor holds where the handle was let go. The setup
// scans and synchronises in real time (about 40 s).
void DragOnAProcessor(benchmark::State& state) {
  std::string error;
  const auto bus = StartSimulatedBus({{"Hall", 8, 8}}, error);
  MainWindowSetup setup;
  setup.preferred_ports.push_back(bus->path());
  setup.setting_file = "/dev/null";
  MainWindow window(std::move(setup));
  window.Create(nullptr, "dspdesk");
  window.ShowWindow();
  const UiDriver driver;
  driver.Click("button_scan");
  driver.Select("treeview_device_list", 1);
  driver.Click("button_input_eq_0");
  auto& graph = *window.Find<EqGraph>("graph_input_eq");
  graph.repaint();
  constexpr int kMoves = 120;
  constexpr auto kMoveGap = std::chrono::microseconds(16667);
  for (auto _ : state) {
    const QPoint handle = *graph.NamedPoint("band18");
    MouseTo(graph, QEvent::MouseButtonPress, handle);
    std::chrono::nanoseconds busy{0};
    std::chrono::nanoseconds worst{0};
    for (int move = 1; move <= kMoves; ++move) {
      const auto start = std::chrono::steady_clock::now();
      MouseTo(graph, QEvent::MouseMove, handle + QPoint(move % 200, -(move % 60)));
      graph.repaint();
      const auto took = std::chrono::steady_clock::now() - start;
      busy += took;
      worst = std::max(worst, std::chrono::duration_cast<std::chrono::nanoseconds>(took));
      const auto due = start + kMoveGap;
      while (std::chrono::steady_clock::now() < due) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    MouseTo(graph, QEvent::MouseButtonRelease, handle);
    const auto released = std::chrono::steady_clock::now();
    while (!ProcessorFollows(*bus, window.Devices()[0], 17)) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const std::chrono::duration<double> lag = std::chrono::steady_clock::now() - released;
    state.SetIterationTime(lag.count());
    state.counters["ui_ms_per_move"] = std::chrono::duration<double, std::milli>(busy).count() / kMoves;
    state.counters["ui_ms_worst_move"] = std::chrono::duration<double, std::milli>(worst).count();
    state.counters["processor_lag_ms"] = lag.count() * 1000;
  }
}
BENCHMARK(DragOnAProcessor)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (const std::string error = SetUpToolkit(app, UiOptions{}); !error.empty()) {
    fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
