// Whole simulation steps with the drawing into the main view's canvas
// (offscreen): N bodies on near-circular orbits about a star, the force
// loop of Brisklet when it can be bound (else the built-in one), trails on
// or off, labels on. One iteration is one SimulationStep, which draws once.
// Also: a repaint of the view widget with its labels, and a step in which
// pairs of bodies merge against a plain one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>

#include "engine/host.h"
#include "engine/nativeloop.h"
#include "engine/simulation.h"
#include "engine/state.h"
#include "examples/fullsituation.h"
#include "forceloop/kernel.h"
#include "mainwindow/form1.h"
#include "mainwindow/mainview.h"
#include "mainwindow/viewwidget.h"
#include "tests/support/nullhosts.h"
#include "ui/text.h"

namespace {

using namespace molvane;

struct DrawingHost : NullEngineHost {
  explicit DrawingHost(MainView& v) : view(v) {}
  void plot() override { view.drawBodies(); }
  MainView& view;
};

void Populate(State& s, int n) {
  FillStarDisc(s, n);
  s.focusobj = 1;
  s.ScalePixel = 350.0 / (1.6 * AstronomicalUnitMetres);
}

// The view as the benchmarks draw it: a 1280 x 800 canvas, the focus in
// its middle.
void SizeView(MainView& view, State& s) {
  view.resizeCanvas(1280, 800);
  view.setScreenSize(1280, 800);
  s.ScreenCentreX = 640;
  s.ScreenCentreY = 400;
}

void BM_StepWithDrawing(benchmark::State& bs) {
  const int n = static_cast<int>(bs.range(0));
  const bool trails = bs.range(1) != 0;
  const bool native = bs.range(2) != 0;
  auto s = std::make_unique<State>();
  Populate(*s, n);
  if (native && !BindNativeForceLoop(*s, PathBytes(QCoreApplication::applicationDirPath()))) {
    bs.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  s->trails = trails;
  s->llabels = true;
  MainView view(*s);
  SizeView(view, *s);
  view.setTilt(0, -10000);
  view.rebuildLabels();
  view.resetPlotState();
  DrawingHost host(view);
  SliceCounter counter;
  for (auto _ : bs) {
    SimulationStep(*s, host, counter);
  }
  bs.SetItemsProcessed(bs.iterations());
  bs.counters["bodies"] = s->objects;
  bs.counters["steps/s"] = benchmark::Counter(static_cast<double>(bs.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_StepWithDrawing)
    ->ArgNames({"N", "trails", "brisklet"})
    ->Args({100, 1, 1})
    ->Args({100, 0, 1})
    ->Args({1000, 1, 1})
    ->Args({1000, 0, 1})
    ->Args({100, 1, 0})
    ->Args({1000, 1, 0})
    ->Unit(benchmark::kMicrosecond);

// The drawing alone: one pass of the view over N bodies that do not move
// (no erase, every disc redrawn), labels placed.
void BM_DrawOnly(benchmark::State& bs) {
  const int n = static_cast<int>(bs.range(0));
  auto s = std::make_unique<State>();
  Populate(*s, n);
  s->trails = bs.range(1) != 0;
  s->llabels = true;
  MainView view(*s);
  SizeView(view, *s);
  view.rebuildLabels();
  for (auto _ : bs) view.drawBodies();
  bs.SetItemsProcessed(bs.iterations() * n);
}
BENCHMARK(BM_DrawOnly)->ArgNames({"N", "trails"})->Args({1000, 1})->Args({1000, 0})->Unit(benchmark::kMicrosecond);

// One repaint of the view widget, as at each yield of the running loop: the
// canvas and, over it, the N labels (labels off: the canvas alone), all of
// them in the view. The bodies stand still.
void BM_Repaint(benchmark::State& bs) {
  const int n = static_cast<int>(bs.range(0));
  auto s = std::make_unique<State>();
  Populate(*s, n);
  s->trails = true;
  s->llabels = bs.range(1) != 0;
  MainView view(*s);
  SizeView(view, *s);
  view.rebuildLabels();
  view.drawBodies();
  ViewWidget widget(view);
  widget.resize(1280, 800);
  widget.show();
  QCoreApplication::processEvents();
  const int before = widget.paintCount();
  for (auto _ : bs) widget.repaint();
  if (widget.paintCount() - before != static_cast<int>(bs.iterations())) bs.SkipWithError("the widget did not paint");
  double bytes = 0;  // what the kept label pictures take
  for (const BodyLabel& l : view.labels()) bytes += static_cast<double>(l.picture.sizeInBytes());
  bs.counters["label pictures MB"] = bytes / 1e6;
}
BENCHMARK(BM_Repaint)->ArgNames({"N", "labels"})->Args({1000, 1})->Args({1000, 0})->Unit(benchmark::kMicrosecond);

// A step at N = 1000 with labels on in which `pairs` pairs of coincident
// bodies merge, against a plain step from the same situation with those
// bodies apart, both through the main window (labels and lists refreshed
// as the program does). Each iteration times one of each, alternately, so
// both see the same load: the counters give their means and the difference.
void BM_MergeStep(benchmark::State& bs) {
  const int n = 1000;
  const int pairs = static_cast<int>(bs.range(0));
  auto plain = std::make_unique<State>();
  Populate(*plain, n);
  if (!BindNativeForceLoop(*plain, PathBytes(QCoreApplication::applicationDirPath()))) {
    bs.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  plain->trails = true;
  plain->llabels = true;
  plain->ScreenCentreX = 640;
  plain->ScreenCentreY = 400;
  auto merging = std::make_unique<State>(*plain);
  for (int k = 0; k < pairs; ++k) {
    const int a = 2 + 2 * k, b = a + 1;
    merging->objx[b] = merging->objx[a];
    merging->objy[b] = merging->objy[a];
    merging->objz[b] = merging->objz[a];
    plain->objx[b] = plain->objx[a] + 1e9;  // apart: no touching pair
  }
  auto s = std::make_unique<State>(*plain);
  Form1 form(*s);
  form.view().resizeCanvas(1280, 800);
  form.view().setScreenSize(1280, 800);
  form.view().setTilt(0, -10000);
  SliceCounter counter;
  double plainSeconds = 0, mergeSeconds = 0;
  auto timedStep = [&](const State& from) {
    *s = from;
    form.view().rebuildLabels();
    form.plot();
    const auto t0 = std::chrono::steady_clock::now();
    SimulationStep(*s, form, counter);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  };
  for (auto _ : bs) {
    plainSeconds += timedStep(*plain);
    mergeSeconds += timedStep(*merging);
    if (s->objects != n - pairs) {
      bs.SkipWithError("the pairs did not merge");
      break;
    }
  }
  const double it = static_cast<double>(bs.iterations());
  bs.counters["plain_ms"] = plainSeconds / it * 1e3;
  bs.counters["merge_ms"] = mergeSeconds / it * 1e3;
  bs.counters["extra_ms"] = (mergeSeconds - plainSeconds) / it * 1e3;
}
BENCHMARK(BM_MergeStep)->ArgNames({"pairs"})->Arg(100)->Unit(benchmark::kMillisecond);

// RunLoop as the program binds it, each call timed: what a run spends
// outside these calls is the rest of the program.
struct TimedRunLoop {
  static inline RunLoopFn real = nullptr;
  static inline double seconds = 0;
  static inline int64_t calls = 0;
  static int32_t Call(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                      double* size, int32_t* pairHigher, int32_t* pairLower) {
    const auto t0 = std::chrono::steady_clock::now();
    const int32_t r = real(n, mass, x, y, z, vx, vy, vz, size, pairHigher, pairLower);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ++calls;
    return r;
  }
};

// The main window with the drawing of each step timed.
struct TimedForm : Form1 {
  using Form1::Form1;
  void plot() override {
    const auto t0 = std::chrono::steady_clock::now();
    Form1::plot();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  double seconds = 0;
};

// The program's running loop through the main window, shown offscreen with
// labels and trails on: the timer starts it, slices of 51 steps run between
// the window events, the view is painted at the yields. Each iteration runs
// it for 300 ms, after a first step and paint (which make the 1000 label
// pictures, once per run). `frame_ms` is the shortest time between two
// paints of the view (0: a paint at every yield). Counters: steps and paints
// per second, the share of the time spent outside RunLoop and, of that, in
// the drawing into the canvas (and the open boxes' readouts).
void BM_RunningLoop(benchmark::State& bs) {
  const int n = static_cast<int>(bs.range(0));
  auto s = std::make_unique<State>();
  Populate(*s, n);
  if (!BindNativeForceLoop(*s, PathBytes(QCoreApplication::applicationDirPath()))) {
    bs.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  // loop:1 runs the AVX-512 build with every division on the divider (the
  // library's loop before it chose among variants by cost), for a before and
  // after in one run.
  TimedRunLoop::real = bs.range(2) != 0 && brisklet::CpuHasAvx512() ? brisklet::RunLoopAvx512 : s->nativeRunLoop;
  s->nativeRunLoop = &TimedRunLoop::Call;
  s->trails = true;
  s->llabels = true;
  TimedForm form(*s);
  form.resize(1280, 860);
  form.show();
  QCoreApplication::processEvents();
  form.viewWidget()->setFrameInterval(static_cast<int>(bs.range(1)));
  form.view().setTilt(0, -10000);
  form.view().rebuildLabels();
  form.ResetPlotState();
  form.plot();
  form.viewWidget()->repaint();
  form.seconds = 0;
  double wall = 0;
  int64_t steps = 0, paints = 0;
  TimedRunLoop::seconds = 0;
  for (auto _ : bs) {
    const int64_t calls0 = TimedRunLoop::calls;
    const int paints0 = form.viewWidget()->paintCount();
    QEventLoop loop;
    QTimer::singleShot(300, &loop, [&] {
      s->PausedFlag = true;
      loop.quit();
    });
    const auto t0 = std::chrono::steady_clock::now();
    s->PausedFlag = false;
    form.Timer1_Timer();
    loop.exec();
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    // The loop ends at the next step; its last frame is painted then.
    while (s->loopRunning) QCoreApplication::processEvents();
    steps += TimedRunLoop::calls - calls0;
    paints += form.viewWidget()->paintCount() - paints0;
  }
  bs.counters["steps/s"] = static_cast<double>(steps) / wall;
  bs.counters["paints/s"] = static_cast<double>(paints) / wall;
  bs.counters["outside RunLoop"] = wall > 0 ? 1.0 - TimedRunLoop::seconds / wall : 0.0;
  bs.counters["drawing"] = wall > 0 ? form.seconds / wall : 0.0;
}
BENCHMARK(BM_RunningLoop)
    ->ArgNames({"N", "frame_ms", "loop"})
    ->Args({10, 0, 0})
    ->Args({10, ViewWidget::DisplayFrameMs, 0})
    ->Args({100, 0, 0})
    ->Args({100, ViewWidget::DisplayFrameMs, 0})
    ->Args({100, ViewWidget::DisplayFrameMs, 1})
    ->Args({1000, 0, 0})
    ->Args({1000, ViewWidget::DisplayFrameMs, 0})
    ->Args({1000, ViewWidget::DisplayFrameMs, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
