// One paint of a Button, from clearing the surface to the mask, in each state; each beside a
// memset of five times the surface's bytes, the yardstick a paint should stay within ten of.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "controls/button/button.h"
#include "platform/headless/headless_host.h"

namespace {

enum class State { Normal, Hover, Pressed, Focused };

struct PaintRig {
  std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  fw::headless::HeadlessHost host{*device, {400, 300}};
  fw::Button* button = nullptr;

  PaintRig(int width, int height) {
    button = &host.Place<fw::Button>({"Bench1", {0, 0, width * 15, height * 15}, nullptr});
    host.WindowOf("Bench1").Width(width * 15);
    host.WindowOf("Bench1").Height(height * 15);
  }
  void Enter(State state) {
    if (state == State::Focused) host.Focus("Bench1");
    if (state == State::Hover || state == State::Pressed) host.MoveMouse(20, 20);
    if (state == State::Pressed) host.MouseDown();
  }
};

void Memset(benchmark::State& state, std::size_t bytes) {
  std::vector<unsigned char> buffer(bytes);
  for (auto _ : state) {
    std::memset(buffer.data(), static_cast<int>(state.iterations() & 0xFF), bytes);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
}

void BM_LockButtonPaint(benchmark::State& bench, State state) {
  PaintRig rig(161, 41);
  rig.button->ButtonStyle(7);
  rig.button->ButtonTheme(3);
  rig.button->Caption("Lock USB Port");
  rig.button->Font(fw::FontSpec{"Tahoma", 11.25, true, false, false, false});
  rig.Enter(state);
  for (auto _ : bench) rig.button->Paint();
}
BENCHMARK_CAPTURE(BM_LockButtonPaint, Normal, State::Normal);
BENCHMARK_CAPTURE(BM_LockButtonPaint, Hover, State::Hover);
BENCHMARK_CAPTURE(BM_LockButtonPaint, Pressed, State::Pressed);
BENCHMARK_CAPTURE(BM_LockButtonPaint, Focused, State::Focused);
void BM_LockButtonPaint_Memset5x(benchmark::State& state) {
  Memset(state, 5u * 161 * 41 * 4);
}
BENCHMARK(BM_LockButtonPaint_Memset5x);

void BM_DiamondStyle6FocusedPaint(benchmark::State& bench) {
  PaintRig rig(60, 60);
  rig.button->ButtonShape(3);
  rig.button->ButtonStyle(6);
  rig.Enter(State::Focused);
  for (auto _ : bench) rig.button->Paint();
}
BENCHMARK(BM_DiamondStyle6FocusedPaint);
void BM_DiamondPaint_Memset5x(benchmark::State& state) {
  Memset(state, 5u * 60 * 60 * 4);
}
BENCHMARK(BM_DiamondPaint_Memset5x);

}  // namespace
