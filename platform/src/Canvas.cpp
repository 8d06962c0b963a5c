#include "orqplatform/Canvas.h"

#include <map>
#include <mutex>

#include "LineWalker.h"
#include "PixelFormats.h"
#include "orqplatform/Bitmap.h"

namespace orq {

namespace raster {

const std::vector<int>& DashPattern(TPenStyle Style) {
  static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
  switch (Style) {
    case psDash: return dash;
    case psDot: return dot;
    case psDashDot: return dashDot;
    case psDashDotDot: return dashDotDot;
    default: return none;
  }
}

const std::vector<std::pair<int, int>>& PenStamp(int Width) {
  static std::mutex guard;
  static std::map<int, std::vector<std::pair<int, int>>> cache;
  std::lock_guard<std::mutex> lock(guard);
  auto it = cache.find(Width);
  if (it != cache.end()) return it->second;
  std::vector<std::pair<int, int>> stamp;
  const int lo = -(Width - 1) / 2, hi = lo + Width - 1;
  const double c = (lo + hi) / 2.0, r2 = Width * Width / 4.0 + 0.5;
  for (int oy = lo; oy <= hi; ++oy)
    for (int ox = lo; ox <= hi; ++ox)
      if ((ox - c) * (ox - c) + (oy - c) * (oy - c) <= r2) stamp.emplace_back(ox, oy);
  return cache.emplace(Width, std::move(stamp)).first->second;
}

}  // namespace raster

TCanvas::TCanvas(TBitmap* Surface) : FSurface(Surface) {}

TRect TCanvas::ClipRect() const { return TRect{0, 0, FSurface->Width(), FSurface->Height()}; }

TColor TCanvas::Pixels(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FSurface->Width() || Y >= FSurface->Height()) return CLR_INVALID;
  return FSurface->ScanLine(Y)[X];
}

void TCanvas::SetPixels(int X, int Y, TColor Color) { PlotPixel(X, Y, Color, pmCopy); }

void TCanvas::PlotPixel(int X, int Y, TColor Color, TPenMode Mode) {
  if (X < 0 || Y < 0 || X >= FSurface->Width() || Y >= FSurface->Height()) return;
  uint32_t& p = FSurface->ScanLine(Y)[X];
  p = raster::Quantize(raster::ApplyMode(Mode, Color, p), FSurface->PixelFormat());
}

void TCanvas::PlotSpan(int X1, int X2, int Y, TColor Color, TPenMode Mode) {
  if (Y < 0 || Y >= FSurface->Height()) return;
  X1 = std::max(X1, 0);
  X2 = std::min(X2, FSurface->Width() - 1);
  if (X1 > X2) return;
  uint32_t* row = FSurface->ScanLine(Y);
  const TPixelFormat fmt = FSurface->PixelFormat();
  if (Mode == pmCopy || Mode == pmBlack || Mode == pmWhite || Mode == pmNotCopy) {
    const uint32_t c = raster::Quantize(raster::ApplyMode(Mode, Color, 0), fmt);
    std::fill(row + X1, row + X2 + 1, c);
  } else if (Mode != pmNop) {
    for (int x = X1; x <= X2; ++x) row[x] = raster::Quantize(raster::ApplyMode(Mode, Color, row[x]), fmt);
  }
}

void TCanvas::MoveTo(int X, int Y) {
  FPenPos = TPoint{X, Y};
  FPatternPos = 0;
}

void TCanvas::LineTo(int X, int Y) {
  DrawLine(FPenPos.X, FPenPos.Y, X, Y, FPatternPos);
  FPenPos = TPoint{X, Y};
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  int pattern = 0;
  for (size_t i = 1; i < Points.size(); ++i)
    DrawLine(Points[i - 1].X, Points[i - 1].Y, Points[i].X, Points[i].Y, pattern);
}

void TCanvas::DrawLine(int X0, int Y0, int X1, int Y1, int& PatternPos) {
  if (Pen.Style == psClear) return;
  const int W = FSurface->Width(), H = FSurface->Height();
  if (Pen.Width > 1) {
    std::vector<TPoint> centres;
    const int margin = Pen.Width;
    raster::WalkLine(X0, Y0, X1, Y1, W, H, margin, [&](int64_t, int x, int y) { centres.push_back({x, y}); });
    WidePenSpans(centres);
    return;
  }
  // Solid first: most lines are, and it skips the pattern lookup.
  if (Pen.Style == psSolid || raster::DashPattern(Pen.Style).empty()) {
    const TColor c = Pen.Color;
    const TPenMode m = Pen.Mode;
    if (m == pmCopy && W > 0 && H > 0) {
      // The walker keeps inside the surface: write straight into it.
      uint32_t* base = FSurface->ScanLine(0);
      const uint32_t q = raster::Quantize(c, FSurface->PixelFormat());
      raster::WalkLine(X0, Y0, X1, Y1, W, H, 0, [&](int64_t, int x, int y) { base[static_cast<size_t>(y) * W + x] = q; });
      return;
    }
    raster::WalkLine(X0, Y0, X1, Y1, W, H, 0, [&](int64_t, int x, int y) { PlotPixel(x, y, c, m); });
    return;
  }
  const auto& pattern = raster::DashPattern(Pen.Style);
  int period = 0;
  for (int run : pattern) period += run;
  const int start = PatternPos;
  const bool opaque = Brush.Style == bsSolid;
  const int64_t n = raster::WalkLine(X0, Y0, X1, Y1, W, H, 0, [&](int64_t i, int x, int y) {
    int pos = static_cast<int>((start + i) % period);
    bool on = true;
    for (int run : pattern) {
      if (pos < run) break;
      pos -= run;
      on = !on;
    }
    if (on)
      PlotPixel(x, y, Pen.Color, Pen.Mode);
    else if (opaque)
      PlotPixel(x, y, Brush.Color, Pen.Mode);
  });
  PatternPos = static_cast<int>((start + n) % period);
}

void TCanvas::WidePenSpans(const std::vector<TPoint>& Centres) {
  // Stamps overlap; collect the distinct pixels first so that each is
  // combined with the pen exactly once (pmXor stays reversible).
  const auto& stamp = raster::PenStamp(Pen.Width);
  const int W = FSurface->Width(), H = FSurface->Height();
  std::vector<int64_t> keys;
  keys.reserve(Centres.size() * stamp.size());
  for (const TPoint& c : Centres)
    for (auto [ox, oy] : stamp) {
      const int x = c.X + ox, y = c.Y + oy;
      if (x >= 0 && y >= 0 && x < W && y < H) keys.push_back(raster::PixelKey(x, y));
    }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  for (int64_t k : keys) PlotPixel(raster::KeyX(k), raster::KeyY(k), Pen.Color, Pen.Mode);
}

}  // namespace orq
