// The soft rasterizer's primitives on a 161 x 41 surface (a typical button), each beside a
// memset of the bytes it writes, which is the floor no drawing routine can beat.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/gdi.h"

namespace {

constexpr int kWidth = 161;
constexpr int kHeight = 41;
constexpr long long kSurfaceBytes = static_cast<long long>(kWidth) * kHeight * 4;

std::unique_ptr<fw::Dc> NewSurface(fw::GdiDevice& device) {
  return device.CreateSurface(kWidth, kHeight, 0xFFFFFF);
}

void MemsetBytes(benchmark::State& state, std::size_t bytes) {
  std::vector<unsigned char> buffer(bytes);
  for (auto _ : state) {
    std::memset(buffer.data(), static_cast<int>(state.iterations() & 0xFF), bytes);
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) *
                          static_cast<long long>(bytes));
}

void BM_FillRect(benchmark::State& state) {
  auto device = fw::CreatePlatformGdiDevice();
  auto dc = NewSurface(*device);
  fw::ColorRef color = 0;
  for (auto _ : state) {
    dc->FillRect({0, 0, kWidth, kHeight}, fw::Brush::Solid(color++ & 0xFFFFFF));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) * kSurfaceBytes);
}
BENCHMARK(BM_FillRect);
void BM_FillRect_Memset(benchmark::State& state) {
  MemsetBytes(state, static_cast<std::size_t>(kSurfaceBytes));
}
BENCHMARK(BM_FillRect_Memset);

// A run of LineTo calls: every row from the left edge to the right, then back diagonally.
void BM_LineToRun(benchmark::State& state) {
  auto device = fw::CreatePlatformGdiDevice();
  auto dc = NewSurface(*device);
  dc->SelectPen(fw::Pen::Solid(0x000000));
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y) {
      dc->MoveToEx(0, y, nullptr);
      dc->LineTo(kWidth, y);
      dc->LineTo(0, kHeight - 1 - y);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * kHeight * 2);
}
BENCHMARK(BM_LineToRun);
void BM_LineToRun_Memset(benchmark::State& state) {
  MemsetBytes(state, std::size_t{kHeight} * 2 * kWidth * 4);
}
BENCHMARK(BM_LineToRun_Memset);

void BM_GradientFill(benchmark::State& state) {
  auto device = fw::CreatePlatformGdiDevice();
  auto dc = NewSurface(*device);
  const auto v0 = fw::TriVertex::At(kWidth, kHeight, 0x804000);
  const auto v1 = fw::TriVertex::At(0, 0, 0xFFE0C0);
  for (auto _ : state) {
    dc->GradientFill(v0, v1, fw::GradientMode::Vertical);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) * kSurfaceBytes);
}
BENCHMARK(BM_GradientFill);
void BM_GradientFill_Memset(benchmark::State& state) {
  MemsetBytes(state, static_cast<std::size_t>(kSurfaceBytes));
}
BENCHMARK(BM_GradientFill_Memset);

// The single-pixel passes of a paint read and write every pixel through the Dc.
void BM_GetSetPixelSweep(benchmark::State& state) {
  auto device = fw::CreatePlatformGdiDevice();
  auto dc = NewSurface(*device);
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) dc->SetPixelV(x, y, dc->GetPixel(x, y) ^ 0x010101);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations()) * kSurfaceBytes);
}
BENCHMARK(BM_GetSetPixelSweep);
void BM_GetSetPixelSweep_Memset(benchmark::State& state) {
  MemsetBytes(state, static_cast<std::size_t>(kSurfaceBytes));
}
BENCHMARK(BM_GetSetPixelSweep_Memset);

void BM_TextOutLine(benchmark::State& state) {
  auto device = fw::CreatePlatformGdiDevice();
  auto dc = NewSurface(*device);
  dc->SelectFont(fw::FontSpec{"Tahoma", 8.25, false, false, false, false});
  dc->SetBkMode(fw::BkMode::Transparent);
  for (auto _ : state) {
    dc->TextOutA(4, 14, "Unlock USB Port");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextOutLine);
void BM_TextOutLine_Memset(benchmark::State& state) {
  MemsetBytes(state, std::size_t{13} * 90 * 4);  // the text's cell
}
BENCHMARK(BM_TextOutLine_Memset);

}  // namespace
