// The whole program (every window class, as molvane builds it) at the
// table limits, offscreen: the situation of examples/fullsituation.h with
// 0, 100 (the distance boxes) or 300 boxes (distance, orbit, thrust) open.
// Each benchmark times the programs it compares alternately in every
// iteration, so their ratio comes from one run under one load:
// - BM_DeleteBody: Edit Object's deletion of one body (the last);
// - BM_MergeStep: a step of the running loop in which one pair merges;
// - BM_RunningLoop: steps per second of the program's running loop,
//   300 boxes against none, and at N = 10 the whole window set with no box
//   against the main window alone;
// - BM_OpenFile: opening the full situation against the same bodies and
//   autopilot list without boxes and captions.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>

#include "engine/bodies.h"
#include "engine/simulation.h"
#include "examples/fullsituation.h"
#include "files/fileshost.h"
#include "files/situationfile.h"
#include "mainwindow/form1.h"
#include "tools/allwindows.h"
#include "tests/support/nullhosts.h"

namespace {

using namespace molvane;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// The situation files of one run: the full one with `boxes` of them open.
class Files {
 public:
  Files() {
    for (int boxes : {0, 100, 300}) write(boxes);
    write(-1);  // ten bodies, no box
  }
  std::string path(int boxes) const { return dir_.filePath(QString("limits-%1.molv").arg(boxes)).toStdString(); }

 private:
  void write(int boxes) {
    auto s = std::make_unique<State>();
    FillFullSituation(*s, boxes > 0);
    for (int k = 1; k <= MaxSlots; ++k) {
      if (boxes < 300) s->orbitBoxes[k].inUse = s->thrustPanels[k].inUse = false;
      if (boxes < 100) s->distanceBoxes[k].inUse = false;
    }
    if (boxes < 0) s->objects = 10;
    NullFilesHost quiet;
    if (!WriteSituationFile(*s, quiet, path(boxes))) std::abort();
  }
  QTemporaryDir dir_;
};

const Files& TheFiles() {
  static const Files files;
  return files;
}

// A program started on a file and held paused.
std::unique_ptr<WholeProgram> Started(int boxes) {
  auto p = std::make_unique<WholeProgram>();
  p->start(QString::fromStdString(TheFiles().path(boxes)));
  Settle();
  return p;
}

// Puts the tables back as they were before a timed change, and the windows
// after them, untimed.
void Restore(WholeProgram& p, const State& saved) {
  p.state() = saved;
  p.form().refreshObjectLists();
  p.form().rebuildObjectLabels();
  Settle();
}

constexpr std::array<int, 3> BoxCounts = {0, 100, 300};

void ReportPerBoxCount(benchmark::State& bs, const std::array<double, 3>& seconds) {
  const double it = static_cast<double>(bs.iterations());
  for (size_t i = 0; i < BoxCounts.size(); ++i)
    bs.counters["ms_" + std::to_string(BoxCounts[i])] = seconds[i] / it * 1e3;
  bs.counters["100/0"] = seconds[1] / seconds[0];
  bs.counters["300/0"] = seconds[2] / seconds[0];
}

void BM_DeleteBody(benchmark::State& bs) {
  std::array<std::unique_ptr<WholeProgram>, 3> programs;
  std::array<std::unique_ptr<State>, 3> saved;
  for (size_t i = 0; i < 3; ++i) {
    programs[i] = Started(BoxCounts[i]);
    saved[i] = std::make_unique<State>(programs[i]->state());
  }
  std::array<double, 3> seconds{};
  for (auto _ : bs) {
    for (size_t i = 0; i < 3; ++i) {
      WholeProgram& p = *programs[i];
      const auto t0 = Clock::now();
      DeleteBody(p.state(), p.form(), MaxBodies);
      seconds[i] += Since(t0);
      bs.PauseTiming();
      if (p.state().objects != MaxBodies - 1) bs.SkipWithError("the body was not deleted");
      Restore(p, *saved[i]);
      bs.ResumeTiming();
    }
  }
  ReportPerBoxCount(bs, seconds);
}
BENCHMARK(BM_DeleteBody)->Iterations(5)->Unit(benchmark::kMillisecond);

// The step runs as in the running loop (the readouts wait for the next
// frame); bodies 999 and 1000 stand on one place.
void BM_MergeStep(benchmark::State& bs) {
  std::array<std::unique_ptr<WholeProgram>, 3> programs;
  std::array<std::unique_ptr<State>, 3> saved;
  for (size_t i = 0; i < 3; ++i) {
    programs[i] = Started(BoxCounts[i]);
    State& s = programs[i]->state();
    s.objx[MaxBodies] = s.objx[MaxBodies - 1];
    s.objy[MaxBodies] = s.objy[MaxBodies - 1];
    s.objz[MaxBodies] = s.objz[MaxBodies - 1];
    saved[i] = std::make_unique<State>(s);
  }
  std::array<double, 3> seconds{};
  for (auto _ : bs) {
    for (size_t i = 0; i < 3; ++i) {
      WholeProgram& p = *programs[i];
      p.state().loopRunning = true;
      const auto t0 = Clock::now();
      SimulationStep(p.state(), p.form());
      seconds[i] += Since(t0);
      bs.PauseTiming();
      p.state().loopRunning = false;
      if (p.state().objects != MaxBodies - 1) bs.SkipWithError("the pair did not merge");
      Restore(p, *saved[i]);
      bs.ResumeTiming();
    }
  }
  ReportPerBoxCount(bs, seconds);
}
BENCHMARK(BM_MergeStep)->Iterations(5)->Unit(benchmark::kMillisecond);

// Runs the program's loop for about `ms` milliseconds (a pause takes at the
// next yield); adds the steps it took and the time until it stopped.
void RunFor(WholeProgram& p, int ms, double& steps, double& seconds) {
  State& s = p.state();
  const double t0 = s.SecondsElapsed;
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, [&] {
    s.PausedFlag = true;
    loop.quit();
  });
  const auto start = Clock::now();
  s.PausedFlag = false;
  p.form().Timer1_Timer();
  loop.exec();
  while (s.loopRunning) QCoreApplication::processEvents();
  seconds += Since(start);
  steps += std::round((s.SecondsElapsed - t0) / s.timescale);
}

// Steps per second with the 300 boxes open against none, 1000 bodies.
void BM_RunningLoop(benchmark::State& bs) {
  auto none = Started(0);
  auto all = Started(300);
  double stepsNone = 0, stepsAll = 0, secondsNone = 0, secondsAll = 0;
  for (auto _ : bs) {
    RunFor(*none, 1000, stepsNone, secondsNone);
    RunFor(*all, 1000, stepsAll, secondsAll);
  }
  bs.counters["steps/s_0"] = stepsNone / secondsNone;
  bs.counters["steps/s_300"] = stepsAll / secondsAll;
  bs.counters["300/0"] = (stepsAll / secondsAll) / (stepsNone / secondsNone);
}
BENCHMARK(BM_RunningLoop)->Iterations(3)->Unit(benchmark::kMillisecond);

// At N = 10 with no box open: the whole window set against the main window
// alone, whose steps ask nothing of the boxes' windows.
void BM_RunningLoopSmall(benchmark::State& bs) {
  auto whole = Started(-1);
  auto bare = Started(-1);
  bare->form().setInstrumentWindows(std::make_unique<NoInstrumentWindows>());
  double stepsWhole = 0, stepsBare = 0, secondsWhole = 0, secondsBare = 0;
  bool bareFirst = true;  // ABBA: neither always runs after the other
  for (auto _ : bs) {
    for (int k = 0; k < 2; ++k) {
      if ((k == 0) == bareFirst) {
        RunFor(*bare, 100, stepsBare, secondsBare);
      } else {
        RunFor(*whole, 100, stepsWhole, secondsWhole);
      }
    }
    bareFirst = !bareFirst;
  }
  bs.counters["steps/s_bare"] = stepsBare / secondsBare;
  bs.counters["steps/s_whole"] = stepsWhole / secondsWhole;
  bs.counters["whole/bare"] = (stepsWhole / secondsWhole) / (stepsBare / secondsBare);
}
BENCHMARK(BM_RunningLoopSmall)->Iterations(20)->Unit(benchmark::kMillisecond);

// Each iteration opens both files in fresh programs started on ten bodies.
void BM_OpenFile(benchmark::State& bs) {
  double full = 0, bodies = 0;
  for (auto _ : bs) {
    for (int boxes : {300, 0}) {
      bs.PauseTiming();
      auto p = Started(-1);
      bs.ResumeTiming();
      const auto t0 = Clock::now();
      const bool opened = p->form().openSituation(TheFiles().path(boxes));
      Settle();
      (boxes ? full : bodies) += Since(t0);
      bs.PauseTiming();
      if (!opened || p->state().objects != MaxBodies) bs.SkipWithError("the file did not open");
      p.reset();
      Settle();
      bs.ResumeTiming();
    }
  }
  const double it = static_cast<double>(bs.iterations());
  bs.counters["ms_full"] = full / it * 1e3;
  bs.counters["ms_bodies"] = bodies / it * 1e3;
  bs.counters["full/bodies"] = full / bodies;
}
BENCHMARK(BM_OpenFile)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  UseSmallestScreenOffscreen();
  // The program's data folder (resume file, settings) away from the user's.
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
