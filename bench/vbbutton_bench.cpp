// One draw of a 100 x 30 vbButton of each ButtonType, in the up and the down look, from the
// clearing of the surface to the last line; beside a memset of five times the surface's bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "controls/vbbutton/vbbutton.h"
#include "platform/headless/headless_host.h"

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 30;

struct DrawRig {
  std::unique_ptr<fw::GdiDevice> device = fw::CreatePlatformGdiDevice();
  fw::headless::HeadlessHost host{*device, {400, 300}};
  fw::vbButton* button = nullptr;

  explicit DrawRig(int type) {
    button = &host.Place<fw::vbButton>(
        {"Bench1", {0, 0, kWidth * fw::kTwipsPerPixel, kHeight * fw::kTwipsPerPixel}, nullptr});
    button->Caption("Lock USB");
    button->ButtonType(type);
    button->Refresh();
  }
};

void BM_VbButtonDraw(benchmark::State& state) {
  const auto type = static_cast<int>(state.range(0));
  const auto look = static_cast<std::uint8_t>(state.range(1));
  DrawRig rig(type);
  for (auto _ : state) rig.button->Draw(look, true);
  state.SetLabel(look == fw::vbButton::kUp ? "up" : "down");
}
BENCHMARK(BM_VbButtonDraw)
    ->ArgNames({"type", "look"})
    ->ArgsProduct({benchmark::CreateDenseRange(1, 14, 1),
                   {fw::vbButton::kUp, fw::vbButton::kDown}});

void BM_VbButtonDraw_Memset5x(benchmark::State& state) {
  std::vector<unsigned char> buffer(5u * kWidth * kHeight * 4);
  for (auto _ : state) {
    std::memset(buffer.data(), static_cast<int>(state.iterations() & 0xFF), buffer.size());
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_VbButtonDraw_Memset5x);

}  // namespace
