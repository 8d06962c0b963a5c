// Raster speed: HALFTONE reduction of a 2000 x 1500 picture (to 2/3 and to
// 1/4) by our StretchBlt, by a straightforward box filter and by
// stb_image_resize with its box filter; CopyRect of a 1920 x 1080 surface
// against memcpy of the same bytes; 100,000 one-pixel lines of 20 pixels.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/StretchBlt.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

namespace {

using namespace orq;

constexpr int kSrcW = 2000, kSrcH = 1500;

TBitmap& Source() {
  static TBitmap bmp;
  if (bmp.Empty()) {
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(kSrcW, kSrcH);
    for (int y = 0; y < kSrcH; ++y) {
      uint32_t* row = bmp.ScanLine(y);
      for (int x = 0; x < kSrcW; ++x) row[x] = RGB((x * 7 + y) & 255, (x ^ y) & 255, (x * y) & 255);
    }
  }
  return bmp;
}

// Destination size for the reduction given as numerator / denominator.
void Target(benchmark::State& state, int& w, int& h) {
  w = static_cast<int>(int64_t{kSrcW} * state.range(0) / state.range(1));
  h = static_cast<int>(int64_t{kSrcH} * state.range(0) / state.range(1));
}

void BM_HalftoneOurs(benchmark::State& state) {
  int w, h;
  Target(state, w, h);
  TBitmap dst;
  dst.SetPixelFormat(pf24bit);
  dst.SetSize(w, h);
  SetStretchBltMode(dst.Canvas(), HALFTONE);
  for (auto _ : state) {
    StretchBlt(dst.Canvas(), 0, 0, w, h, Source().Canvas(), 0, 0, kSrcW, kSrcH);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
}

// The textbook area average: every destination pixel sums the source pixels
// it covers, weighted by overlap, in double precision.
void BM_HalftoneReferenceBox(benchmark::State& state) {
  int w, h;
  Target(state, w, h);
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  const TBitmap& src = Source();
  const double fx = double(kSrcW) / w, fy = double(kSrcH) / h;
  for (auto _ : state) {
    for (int y = 0; y < h; ++y) {
      const double y0 = y * fy, y1 = (y + 1) * fy;
      for (int x = 0; x < w; ++x) {
        const double x0 = x * fx, x1 = (x + 1) * fx;
        double r = 0, g = 0, b = 0, area = 0;
        for (int sy = int(y0); sy < y1 && sy < kSrcH; ++sy) {
          const double wy = std::min(y1, sy + 1.0) - std::max(y0, double(sy));
          const uint32_t* row = src.ScanLine(sy);
          for (int sx = int(x0); sx < x1 && sx < kSrcW; ++sx) {
            const double wgt = wy * (std::min(x1, sx + 1.0) - std::max(x0, double(sx)));
            const uint32_t p = row[sx];
            r += wgt * (p & 255), g += wgt * ((p >> 8) & 255), b += wgt * ((p >> 16) & 255), area += wgt;
          }
        }
        out[static_cast<size_t>(y) * w + x] = RGB(uint8_t(r / area + 0.5), uint8_t(g / area + 0.5), uint8_t(b / area + 0.5));
      }
    }
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_HalftoneStbBox(benchmark::State& state) {
  int w, h;
  Target(state, w, h);
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  const auto* in = reinterpret_cast<const unsigned char*>(Source().ScanLine(0));
  for (auto _ : state) {
    stbir_resize_uint8_generic(in, kSrcW, kSrcH, kSrcW * 4, reinterpret_cast<unsigned char*>(out.data()), w, h, w * 4, 4,
                               STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_BOX, STBIR_COLORSPACE_LINEAR,
                               nullptr);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_HalftoneStbDefault(benchmark::State& state) {
  int w, h;
  Target(state, w, h);
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  const auto* in = reinterpret_cast<const unsigned char*>(Source().ScanLine(0));
  for (auto _ : state) {
    stbir_resize_uint8(in, kSrcW, kSrcH, kSrcW * 4, reinterpret_cast<unsigned char*>(out.data()), w, h, w * 4, 4);
    benchmark::DoNotOptimize(out.data());
  }
}

#define REDUCTIONS ->Args({2, 3})->Args({1, 4})->Unit(benchmark::kMillisecond)
BENCHMARK(BM_HalftoneOurs) REDUCTIONS;
BENCHMARK(BM_HalftoneReferenceBox) REDUCTIONS;
BENCHMARK(BM_HalftoneStbBox) REDUCTIONS;
BENCHMARK(BM_HalftoneStbDefault) REDUCTIONS;

constexpr int kScreenW = 1920, kScreenH = 1080;

void BM_CopyRect1080p(benchmark::State& state) {
  TBitmap src, dst;
  for (TBitmap* b : {&src, &dst}) {
    b->SetPixelFormat(static_cast<TPixelFormat>(state.range(0)));
    b->SetSize(kScreenW, kScreenH);
  }
  const TRect all{0, 0, kScreenW, kScreenH};
  for (auto _ : state) {
    dst.Canvas()->CopyRect(all, src.Canvas(), all);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kScreenW * kScreenH * 4);
}
BENCHMARK(BM_CopyRect1080p)->Arg(pf24bit)->Arg(pf15bit)->Unit(benchmark::kMicrosecond);

// The same bytes between the same kind of buffers, in one call.
void BM_Memcpy1080p(benchmark::State& state) {
  TBitmap src, dst;
  for (TBitmap* b : {&src, &dst}) {
    b->SetPixelFormat(pf24bit);
    b->SetSize(kScreenW, kScreenH);
  }
  for (auto _ : state) {
    std::memcpy(dst.ScanLine(0), src.ScanLine(0), size_t{kScreenW} * kScreenH * 4);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kScreenW * kScreenH * 4);
}
BENCHMARK(BM_Memcpy1080p)->Unit(benchmark::kMicrosecond);

void BM_Lines100k(benchmark::State& state) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(1000, 1000);
  TCanvas& cv = *bmp.Canvas();
  for (auto _ : state) {
    for (int i = 0; i < 100000; ++i) {
      const int x = (i * 37) % 970, y = (i * 91) % 970;
      cv.MoveTo(x, y);
      cv.LineTo(x + 20, y + (i % 41) - 20);  // 20 pixels in every x-major direction
    }
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
}
BENCHMARK(BM_Lines100k)->Unit(benchmark::kMillisecond);

}  // namespace
