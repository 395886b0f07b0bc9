#include <QCoreApplication>
#include <QTemporaryDir>
#include <QVariantAnimation>
#include <benchmark/benchmark.h>
#include <ctime>

#include "app/player.h"
#include "scripted_decoder.h"
#include "scripted_desktop.h"

// Wall time and CPU of one slide of the real windows (under the test X server
// when DISPLAY is set), beside its anchor: the bare animation clock running
// for the same 250 ms with nothing to move. Goal: each slide's CPU at most
// 0.3 x its duration.

namespace zelvo {
namespace {

double ProcessCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void RunUntilStill(WindowMotion& motion) {
  while (motion.Sliding()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// A started player with the pointer away from it and "Animation Effects" ticked.
struct SlidingPlayer {
  QTemporaryDir folder;
  test::ScriptedDesktop desktop;
  std::unique_ptr<Player> player;
  SlidingPlayer() {
    desktop.cursorPos = QPoint(10, 700);
    player = std::make_unique<Player>(desktop, std::make_unique<test::ScriptedDecoder>(),
                                      AppFolders::Portable(folder.path()), [] {});
    player->Start();
    player->options().SetChecked(Entry::AniEffects, true);
  }
};

// Runs `slide` once per iteration and reports its CPU per slide.
template <typename Slide>
void MeasureSlides(benchmark::State& state, WindowMotion& motion, Slide slide) {
  double cpuMs = 0;
  for (auto _ : state) {
    const double before = ProcessCpuMs();
    slide();
    RunUntilStill(motion);
    cpuMs += ProcessCpuMs() - before;
  }
  state.counters["cpu_ms"] = cpuMs / double(state.iterations());
}

void PlaylistSlide(benchmark::State& state) {
  SlidingPlayer rig;
  WindowMotion& motion = rig.player->motion();
  MeasureSlides(state, motion, [&] { motion.TogglePlaylistDrop(); });  // up, down, up ...
}

void BarSlide(benchmark::State& state) {
  SlidingPlayer rig;
  WindowMotion& motion = rig.player->motion();
  motion.RaisePlaylist();
  RunUntilStill(motion);
  MeasureSlides(state, motion, [&] {
    if (motion.State() == WindowState::TuckedAway)
      motion.RevealPlayer();
    else
      motion.HidePlayer();
  });
}

void Slide_Anchor_BareAnimationClock(benchmark::State& state) {
  QVariantAnimation clock;
  clock.setStartValue(0.0);
  clock.setEndValue(1.0);
  clock.setDuration(WindowMotion::kSlideMilliseconds);
  double cpuMs = 0;
  for (auto _ : state) {
    const double before = ProcessCpuMs();
    clock.start();
    while (clock.state() == QAbstractAnimation::Running)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    cpuMs += ProcessCpuMs() - before;
  }
  state.counters["cpu_ms"] = cpuMs / double(state.iterations());
}

BENCHMARK(PlaylistSlide)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BarSlide)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(Slide_Anchor_BareAnimationClock)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace
}  // namespace zelvo
