// The vector symbols of landmarks.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "orqcarta/geomap/LandmarkDrawing.h"
#include "orqplatform/Canvas.h"
#include "LandmarkPixels.h"

namespace orq {
namespace {

using landmark::Pixel;
using landmark::Round;

// Pen moves relative to the symbol, shifted by (Dx, Dy) for the halo copies.
class TStrokes {
 public:
  TStrokes(TCanvas* Canvas, int64_t Dx, int64_t Dy) : FCanvas(Canvas), FDx(Dx), FDy(Dy) {}
  void MoveTo(int64_t X, int64_t Y) { FCanvas->MoveTo(Pixel(X + FDx), Pixel(Y + FDy)); }
  void LineTo(int64_t X, int64_t Y) { FCanvas->LineTo(Pixel(X + FDx), Pixel(Y + FDy)); }

 private:
  TCanvas* FCanvas;
  int64_t FDx, FDy;
};

// The symbol's frame: centre, size, shaft length and direction in radians.
struct TFrame {
  int64_t X, Y, s, L;
  double Phi;
};

TPoint At(int64_t X, int64_t Y) { return TPoint{Pixel(X), Pixel(Y)}; }

// The BGColor underlay of the 1-pixel strokes: the strokes again at every
// offset of a 3 x 3 block, i outer, j inner.
template <typename Strokes>
void Halo(TCanvas* Canvas, TColor BGColor, Strokes Draw) {
  Canvas->Pen.Color = BGColor;
  for (int i = -1; i <= 1; ++i)
    for (int j = -1; j <= 1; ++j) Draw(TStrokes(Canvas, i, j));
}

void SquareOutline(TStrokes t, const TFrame& f) {
  t.MoveTo(f.X - f.s, f.Y - f.s);
  t.LineTo(f.X - f.s, f.Y + f.s);
  t.LineTo(f.X + f.s, f.Y + f.s);
  t.LineTo(f.X + f.s, f.Y - f.s);
  t.LineTo(f.X - f.s, f.Y - f.s);
}

// The nine halo strokes overlap heavily. With a solid 1-pixel pmCopy pen
// they only set their union to one colour, so that union can be filled row
// by row instead; away from the pixel limit no coordinate is clamped, and
// the union is the same pixel set.
bool HaloAsSpans(TCanvas* Canvas, const TFrame& f) {
  const TPen& pen = Canvas->Pen;
  if (pen.Style != psSolid || pen.Width > 1 || pen.Mode != pmCopy || f.s < 0) return false;
  const int64_t reach = f.s + 2;
  return f.X - reach >= -landmark::kPixelLimit && f.X + reach <= landmark::kPixelLimit &&
         f.Y - reach >= -landmark::kPixelLimit && f.Y + reach <= landmark::kPixelLimit;
}

void Plus(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor, bool Transparent) {
  auto strokes = [&f](TStrokes t) {
    t.MoveTo(f.X, f.Y - f.s);
    t.LineTo(f.X, f.Y + f.s + 1);
    t.MoveTo(f.X - f.s, f.Y);
    t.LineTo(f.X + f.s + 1, f.Y);
  };
  if (!Transparent && HaloAsSpans(Canvas, f)) {
    Canvas->Pen.Color = BGColor;
    // Three rows across the full arm, the rest three pixels wide.
    for (int64_t y = f.Y - f.s - 1; y <= f.Y + f.s + 1; ++y) {
      const int64_t half = y >= f.Y - 1 && y <= f.Y + 1 ? f.s + 1 : 1;
      Canvas->PlotSpan(int(f.X - half), int(f.X + half), int(y), BGColor, pmCopy);
    }
  } else if (!Transparent) {
    Halo(Canvas, BGColor, strokes);
  }
  Canvas->Pen.Color = FGColor;
  strokes(TStrokes(Canvas, 0, 0));
}

void Cross(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor, bool Transparent) {
  // The halo draws the rising diagonal from its upper end, the foreground
  // from its lower end; both cover the same pixels.
  if (!Transparent && HaloAsSpans(Canvas, f)) {
    Canvas->Pen.Color = BGColor;
    // Row v of the box below the top-left corner (X - s - 1, Y - s - 1) holds
    // the diagonal steps k = v-2 .. v, widened by a pixel either side.
    const int64_t top = f.Y - f.s - 1;
    for (int64_t v = 0; v <= 2 * f.s + 2; ++v) {
      const int64_t kLo = std::max<int64_t>(v - 2, 0), kHi = std::min<int64_t>(v, 2 * f.s);
      const int64_t fallL = f.X - f.s + kLo - 1, fallR = f.X - f.s + kHi + 1;
      const int64_t riseL = f.X + f.s - kHi - 1, riseR = f.X + f.s - kLo + 1;
      if (riseL <= fallR + 1 && fallL <= riseR + 1) {
        Canvas->PlotSpan(int(std::min(fallL, riseL)), int(std::max(fallR, riseR)), int(top + v), BGColor, pmCopy);
      } else {
        Canvas->PlotSpan(int(fallL), int(fallR), int(top + v), BGColor, pmCopy);
        Canvas->PlotSpan(int(riseL), int(riseR), int(top + v), BGColor, pmCopy);
      }
    }
  } else if (!Transparent)
    Halo(Canvas, BGColor, [&f](TStrokes t) {
      t.MoveTo(f.X + f.s, f.Y - f.s);
      t.LineTo(f.X - f.s - 1, f.Y + f.s + 1);
      t.MoveTo(f.X - f.s, f.Y - f.s);
      t.LineTo(f.X + f.s + 1, f.Y + f.s + 1);
    });
  Canvas->Pen.Color = FGColor;
  TStrokes t(Canvas, 0, 0);
  t.MoveTo(f.X - f.s, f.Y - f.s);
  t.LineTo(f.X + f.s + 1, f.Y + f.s + 1);
  t.MoveTo(f.X - f.s, f.Y + f.s);
  t.LineTo(f.X + f.s + 1, f.Y - f.s - 1);
}

// lmSquare and lmCrossBox: a BGColor ring around an FGColor-bordered box.
void Boxed(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor) {
  Canvas->Pen.Color = BGColor;
  SquareOutline(TStrokes(Canvas, 0, 0), f);
  Canvas->Pen.Color = FGColor;
  Canvas->Brush.Color = BGColor;
  Canvas->Brush.Style = bsSolid;
  Canvas->Rectangle(Pixel(f.X - f.s + 1), Pixel(f.Y - f.s + 1), Pixel(f.X + f.s), Pixel(f.Y + f.s));
}

void Square(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor, bool Transparent) {
  if (!Transparent) return Boxed(Canvas, f, FGColor, BGColor);
  Canvas->Pen.Color = FGColor;
  SquareOutline(TStrokes(Canvas, 0, 0), f);
}

void CrossBox(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor, bool Transparent) {
  TStrokes t(Canvas, 0, 0);
  if (!Transparent) {
    Boxed(Canvas, f, FGColor, BGColor);
    t.MoveTo(f.X - f.s + 1, f.Y + f.s - 1);
    t.LineTo(f.X + f.s, f.Y - f.s);
    t.MoveTo(f.X + f.s - 1, f.Y + f.s - 1);
    t.LineTo(f.X - f.s, f.Y - f.s);
    return;
  }
  Canvas->Pen.Color = FGColor;
  SquareOutline(t, f);
  t.LineTo(f.X + f.s, f.Y + f.s);
  t.MoveTo(f.X - f.s, f.Y + f.s);
  t.LineTo(f.X + f.s, f.Y - f.s);
}

// Closed figures: filled by Polygon, or outlined from the first point round
// and back to it.
void Figure(TCanvas* Canvas, const std::vector<TPoint>& Points, TColor FGColor, TColor BGColor, bool Transparent) {
  Canvas->Pen.Color = FGColor;
  Canvas->Brush.Color = BGColor;
  if (!Transparent) {
    Canvas->Brush.Style = bsSolid;
    return Canvas->Polygon(Points);
  }
  Canvas->MoveTo(Points[0].X, Points[0].Y);
  for (size_t k = 1; k < Points.size(); ++k) Canvas->LineTo(Points[k].X, Points[k].Y);
  Canvas->LineTo(Points[0].X, Points[0].Y);
}

void Triangle(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor, bool Transparent) {
  const double s = static_cast<double>(f.s);
  auto vertex = [&](double a) {
    return TPoint{Round(std::sin(a) * s + static_cast<double>(f.X)), Round(std::cos(a) * (-s) + static_cast<double>(f.Y))};
  };
  Figure(Canvas, {vertex(f.Phi), vertex(f.Phi + landmark::kTwoPiBy3), vertex(f.Phi - landmark::kTwoPiBy3)}, FGColor,
         BGColor, Transparent);
}

void Spade(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor, bool Transparent) {
  if (!Transparent) {
    Figure(Canvas, {At(f.X + f.s, f.Y), At(f.X, f.Y + f.s), At(f.X - f.s, f.Y), At(f.X, f.Y - f.s)}, FGColor, BGColor,
           false);
    return;
  }
  // The outline starts at the top corner.
  Figure(Canvas, {At(f.X, f.Y - f.s), At(f.X + f.s, f.Y), At(f.X, f.Y + f.s), At(f.X - f.s, f.Y)}, FGColor, BGColor,
         true);
}

void Circle(TCanvas* Canvas, const TFrame& f, TColor FGColor, TColor BGColor, bool Transparent) {
  Canvas->Pen.Color = FGColor;
  Canvas->Brush.Color = BGColor;
  Canvas->Brush.Style = Transparent ? bsClear : bsSolid;
  Canvas->Ellipse(Pixel(f.X - f.s), Pixel(f.Y - f.s), Pixel(f.X + f.s), Pixel(f.Y + f.s));
}

// Both arrows: a shaft of length L towards Direction and a head of length s
// whose sides open 20 degrees either way. ArrowFrom has the head at the tip,
// pointing away from the landmark; ArrowTo has it at the landmark.
void Arrow(TCanvas* Canvas, const TFrame& f, bool AtTip, TColor FGColor, TColor BGColor, bool Transparent) {
  const double s = static_cast<double>(f.s), L = static_cast<double>(f.L);
  const TPoint tip{Round(std::sin(f.Phi) * L + static_cast<double>(f.X)),
                   Round(std::cos(f.Phi) * (-L) + static_cast<double>(f.Y))};
  const TPoint centre = At(f.X, f.Y);
  const TPoint head = AtTip ? tip : centre;
  const TPoint tail = AtTip ? centre : tip;
  // From the tip the sides run back towards the landmark; at the landmark
  // they run out towards the tip.
  const int64_t back = AtTip ? -1 : 1;
  auto side = [&](double a) {
    return At(head.X + back * Round(s * std::sin(a)), head.Y - back * Round(s * std::cos(a)));
  };
  const TPoint b1 = side(f.Phi + landmark::kPiBy9), b2 = side(f.Phi - landmark::kPiBy9);
  Canvas->Pen.Color = FGColor;
  Canvas->Brush.Color = BGColor;
  Canvas->MoveTo(tail.X, tail.Y);
  Canvas->LineTo(head.X, head.Y);
  if (!Transparent) {
    Canvas->Brush.Style = bsSolid;
    return Canvas->Polygon({head, b1, b2});
  }
  Canvas->LineTo(b1.X, b1.Y);
  Canvas->MoveTo(head.X, head.Y);
  Canvas->LineTo(b2.X, b2.Y);
}

}  // namespace

void DrawLandMarkSymbolOnCanvas(TCanvas* Canvas, int X, int Y, TLandMarkElement Kind, TColor FGColor,
                                TColor BGColor, int Size, int Direction, int Length, bool Transparent) {
  if (!Canvas) return;
  const TFrame f{X, Y, Size, Length, Direction * landmark::kPi / 180.0};
  switch (Kind) {
    case lmPlus: return Plus(Canvas, f, FGColor, BGColor, Transparent);
    case lmSquare: return Square(Canvas, f, FGColor, BGColor, Transparent);
    case lmTriangle: return Triangle(Canvas, f, FGColor, BGColor, Transparent);
    case lmCircle: return Circle(Canvas, f, FGColor, BGColor, Transparent);
    case lmArrowFrom: return Arrow(Canvas, f, true, FGColor, BGColor, Transparent);
    case lmArrowTo: return Arrow(Canvas, f, false, FGColor, BGColor, Transparent);
    case lmCrossBox: return CrossBox(Canvas, f, FGColor, BGColor, Transparent);
    case lmSpade: return Spade(Canvas, f, FGColor, BGColor, Transparent);
    case lmCross: return Cross(Canvas, f, FGColor, BGColor, Transparent);
    case lmUserDef: return;
  }
  // A kind this library does not know: a small plus, so the landmark still shows.
  Canvas->Pen.Color = FGColor;
  Canvas->MoveTo(Pixel(int64_t{X} - 4), Y);
  Canvas->LineTo(Pixel(int64_t{X} + 5), Y);
  Canvas->MoveTo(X, Pixel(int64_t{Y} - 4));
  Canvas->LineTo(X, Pixel(int64_t{Y} + 5));
}

}  // namespace orq
