// Rectangles, ellipses and polygons of TCanvas.
#include <cmath>

#include "LineWalker.h"
#include "PixelFormats.h"
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"

namespace orq {
namespace {

using raster::Wide;

struct Span {
  int64_t L = 1, R = 0;
  bool Empty() const { return L > R; }
};

Wide FloorDiv(Wide a, Wide b) {
#ifdef __SIZEOF_INT128__
  return a >= 0 ? a / b : -((-a + b - 1) / b);
#else
  return std::floor(a / b);
#endif
}

// Pixels of row y whose centres lie in the ellipse inscribed in the box
// [x1, x2) x [y1, y2):  ((2x+1-Sx) H)^2 + ((2y+1-Sy) W)^2 <= (W H)^2.
// Exact in Num for boxes up to 2^26 pixels a side; long double beyond.
template <typename Num>
Span EllipseRowIn(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t y) {
  Span s;
  const int64_t W = x2 - x1, H = y2 - y1;
  if (W <= 0 || H <= 0 || y < y1 || y >= y2) return s;
  const Num v = Num(2 * y + 1 - (y1 + y2)) * W;
  const Num R = Num(W) * H;
  const Num rem = R * R - v * v;
  if (rem < 0) return s;
  int64_t k = static_cast<int64_t>(std::sqrt(static_cast<long double>(rem)) / H);
  auto fits = [&](int64_t kk) { return Num(kk) * H * Num(kk) * H <= rem; };
  while (fits(k + 1)) ++k;
  while (k >= 0 && !fits(k)) --k;
  if (k < 0) return s;
  const int64_t Sx = x1 + x2;
  s.L = static_cast<int64_t>(-FloorDiv(-(Sx - 1 - k), 2));
  s.R = static_cast<int64_t>(FloorDiv(Sx - 1 + k, 2));
  return s;
}

Span EllipseRow(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t y) {
  constexpr int64_t kExact = int64_t{1} << 26;
  if (x2 - x1 <= kExact && y2 - y1 <= kExact) return EllipseRowIn<Wide>(x1, y1, x2, y2, y);
  return EllipseRowIn<long double>(x1, y1, x2, y2, y);
}

// Pixels of row y of the ellipse region all of whose 4-neighbours are in it.
Span EllipseInterior(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t y) {
  const Span c = EllipseRow(x1, y1, x2, y2, y);
  const Span u = EllipseRow(x1, y1, x2, y2, y - 1);
  const Span d = EllipseRow(x1, y1, x2, y2, y + 1);
  Span s;
  if (c.Empty() || u.Empty() || d.Empty()) return s;
  s.L = std::max({c.L + 1, u.L, d.L});
  s.R = std::min({c.R - 1, u.R, d.R});
  return s;
}

int ClampInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

void TCanvas::FillRect(const TRect& R) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) return;
  const int y0 = std::max(R.Top, 0), y1 = std::min(R.Bottom, FSurface->Height());
  for (int y = y0; y < y1; ++y) PlotSpan(R.Left, R.Right - 1, y, Brush.Color, pmCopy);
}

void TCanvas::FrameRect(const TRect& R) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) return;
  const int64_t h = int64_t{R.Bottom} - R.Top;
  for (int64_t y = std::max<int64_t>(R.Top, 0); y < std::min<int64_t>(R.Bottom, FSurface->Height()); ++y) {
    if (y == R.Top || y == R.Bottom - 1 || h <= 2)
      PlotSpan(R.Left, R.Right - 1, static_cast<int>(y), Brush.Color, pmCopy);
    else {
      PlotPixel(R.Left, static_cast<int>(y), Brush.Color, pmCopy);
      if (R.Right - 1 > R.Left) PlotPixel(R.Right - 1, static_cast<int>(y), Brush.Color, pmCopy);
    }
  }
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (X1 > X2) std::swap(X1, X2);
  if (Y1 > Y2) std::swap(Y1, Y2);
  if (X1 == X2 || Y1 == Y2) return;
  const int w = Pen.Style == psClear ? 0 : std::max(1, Pen.Width);
  const bool fill = Brush.Style == bsSolid;
  const TPenMode mode = Pen.Mode;
  const int64_t x1 = X1, x2 = X2, y1 = Y1, y2 = Y2;
  const bool styled = w == 1 && !raster::DashPattern(Pen.Style).empty() && x2 - x1 > 2 && y2 - y1 > 2;
  const int bandW = styled ? 1 : w;
  const int yFrom = static_cast<int>(std::max<int64_t>(y1, 0));
  const int yTo = static_cast<int>(std::min<int64_t>(y2, FSurface->Height()));
  for (int y = yFrom; y < yTo; ++y) {
    const bool edgeRow = y < y1 + bandW || y >= y2 - bandW;
    if (edgeRow) {
      if (!styled && w > 0) PlotSpan(X1, X2 - 1, y, Pen.Color, mode);
      else if (w == 0 && fill) PlotSpan(X1, X2 - 1, y, Brush.Color, mode);
      continue;
    }
    const int64_t leftEnd = std::min(x1 + bandW - 1, x2 - 1);
    const int64_t rightStart = std::max(x2 - bandW, leftEnd + 1);
    if (!styled && w > 0) {
      PlotSpan(X1, ClampInt(leftEnd), y, Pen.Color, mode);
      if (rightStart <= x2 - 1) PlotSpan(ClampInt(rightStart), X2 - 1, y, Pen.Color, mode);
    }
    if (fill && leftEnd + 1 <= rightStart - 1) PlotSpan(ClampInt(leftEnd + 1), ClampInt(rightStart - 1), y, Brush.Color, mode);
  }
  if (styled) {
    int pattern = 0;
    DrawLine(X1, Y1, X2 - 1, Y1, pattern);
    DrawLine(X2 - 1, Y1, X2 - 1, Y2 - 1, pattern);
    DrawLine(X2 - 1, Y2 - 1, X1, Y2 - 1, pattern);
    DrawLine(X1, Y2 - 1, X1, Y1, pattern);
  }
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (X1 > X2) std::swap(X1, X2);
  if (Y1 > Y2) std::swap(Y1, Y2);
  if (X1 == X2 || Y1 == Y2) return;
  const int w = Pen.Style == psClear ? 0 : std::max(1, Pen.Width);
  const bool fill = Brush.Style == bsSolid;
  // The pen band is what lies outside the interior of the box shrunk by w-1.
  const int64_t s = w > 0 ? w - 1 : 0;
  const int64_t ix1 = int64_t{X1} + s, iy1 = int64_t{Y1} + s, ix2 = int64_t{X2} - s, iy2 = int64_t{Y2} - s;
  const int yFrom = std::max(Y1, 0), yTo = std::min(Y2, FSurface->Height());
  for (int y = yFrom; y < yTo; ++y) {
    const Span outer = EllipseRow(X1, Y1, X2, Y2, y);
    if (outer.Empty()) continue;
    Span inner = w == 0 ? outer : EllipseInterior(ix1, iy1, ix2, iy2, y);
    inner.L = std::max(inner.L, outer.L);
    inner.R = std::min(inner.R, outer.R);
    if (inner.Empty()) {
      if (w > 0) PlotSpan(ClampInt(outer.L), ClampInt(outer.R), y, Pen.Color, Pen.Mode);
      continue;
    }
    if (w > 0) {
      if (outer.L < inner.L) PlotSpan(ClampInt(outer.L), ClampInt(inner.L - 1), y, Pen.Color, Pen.Mode);
      if (inner.R < outer.R) PlotSpan(ClampInt(inner.R + 1), ClampInt(outer.R), y, Pen.Color, Pen.Mode);
    }
    if (fill) PlotSpan(ClampInt(inner.L), ClampInt(inner.R), y, Brush.Color, Pen.Mode);
  }
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  const size_t n = Points.size();
  if (n < 2) return;
  const int W = FSurface->Width(), H = FSurface->Height();
  // Outline pixels with their kind: 1 pen, 2 gap of a dashed pen.
  std::vector<std::pair<int64_t, uint8_t>> outline;
  if (Pen.Style != psClear) {
    if (Pen.Width > 1) {
      const auto& stamp = raster::PenStamp(Pen.Width);
      for (size_t i = 0; i < n; ++i) {
        const TPoint a = Points[i], b = Points[(i + 1) % n];
        raster::WalkLine(a.X, a.Y, b.X, b.Y, W, H, Pen.Width, [&](int64_t, int x, int y) {
          for (auto [ox, oy] : stamp)
            if (x + ox >= 0 && y + oy >= 0 && x + ox < W && y + oy < H)
              outline.emplace_back(raster::PixelKey(x + ox, y + oy), 1);
        });
      }
    } else {
      const auto& pattern = raster::DashPattern(Pen.Style);
      int period = 0;
      for (int run : pattern) period += run;
      int64_t along = 0;
      for (size_t i = 0; i < n; ++i) {
        const TPoint a = Points[i], b = Points[(i + 1) % n];
        along += raster::WalkLine(a.X, a.Y, b.X, b.Y, W, H, 0, [&](int64_t k, int x, int y) {
          uint8_t kind = 1;
          if (period > 0) {
            int pos = static_cast<int>((along + k) % period);
            bool on = true;
            for (int run : pattern) {
              if (pos < run) break;
              pos -= run;
              on = !on;
            }
            kind = on ? 1 : 2;
          }
          outline.emplace_back(raster::PixelKey(x, y), kind);
        });
      }
    }
    std::stable_sort(outline.begin(), outline.end(), [](auto& a, auto& b) { return a.first < b.first; });
    outline.erase(std::unique(outline.begin(), outline.end(), [](auto& a, auto& b) { return a.first == b.first; }),
                  outline.end());
    for (auto [key, kind] : outline) {
      if (kind == 1)
        PlotPixel(raster::KeyX(key), raster::KeyY(key), Pen.Color, Pen.Mode);
      else if (Brush.Style == bsSolid)
        PlotPixel(raster::KeyX(key), raster::KeyY(key), Brush.Color, Pen.Mode);
    }
  }
  if (Brush.Style != bsSolid || n < 3) return;
  int minY = Points[0].Y, maxY = Points[0].Y;
  for (const TPoint& p : Points) minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  std::vector<int64_t> starts;
  for (int y = std::max(minY, 0); y < std::min(maxY, H); ++y) {
    // The pen draws a vertex (x, y) on pixel (x, y), so the fill samples the
    // figure at integer points too: pixel (x, y) is inside when the point
    // (x, y) is, edges counting from their upper end (half-open). Each
    // crossing becomes the first pixel at or right of it.
    starts.clear();
    for (size_t i = 0; i < n; ++i) {
      TPoint a = Points[i], b = Points[(i + 1) % n];
      if (a.Y == b.Y) continue;
      if (a.Y > b.Y) std::swap(a, b);
      if (y < a.Y || y >= b.Y) continue;
      const Wide den = int64_t{b.Y} - a.Y;
      const Wide num = Wide(a.X) * den + Wide(int64_t{y} - a.Y) * (int64_t{b.X} - a.X);
      starts.push_back(static_cast<int64_t>(-FloorDiv(-num, den)));
    }
    std::sort(starts.begin(), starts.end());
    const auto rowBegin = std::lower_bound(outline.begin(), outline.end(), raster::PixelKey(0, y),
                                           [](auto& e, int64_t k) { return e.first < k; });
    for (size_t k = 0; k + 1 < starts.size(); k += 2) {
      int64_t from = std::max<int64_t>(starts[k], 0);
      const int64_t to = std::min<int64_t>(starts[k + 1] - 1, W - 1);
      // Leave out the outline pixels of this row.
      for (auto it = std::lower_bound(rowBegin, outline.end(), raster::PixelKey(static_cast<int>(from), y),
                                      [](auto& e, int64_t k2) { return e.first < k2; });
           from <= to; ++it) {
        const bool hit = it != outline.end() && raster::KeyY(it->first) == y && raster::KeyX(it->first) <= to;
        const int64_t stop = hit ? raster::KeyX(it->first) - 1 : to;
        if (from <= stop) PlotSpan(static_cast<int>(from), static_cast<int>(stop), y, Brush.Color, Pen.Mode);
        if (!hit) break;
        from = raster::KeyX(it->first) + 1;
      }
    }
  }
}

}  // namespace orq
