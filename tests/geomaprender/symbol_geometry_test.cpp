// Landmark symbols at size 8 and turned by Direction: pixel sets from the
// shapes' geometry, key points and extents; and the canvas state they leave.
#include <gtest/gtest.h>

#include <cstdlib>

#include "symbol_art_test.h"

namespace orq {
namespace {

using symbolart::Draw;
using symbolart::InkBox;
using symbolart::kBG;
using symbolart::kBrushBefore;
using symbolart::kFG;
using symbolart::kPenBefore;
using symbolart::PixelSet;
using symbolart::PixelsOf;
using symbolart::TSymbolCase;

constexpr int kC = 15;  // centre of the 31 x 31 surface

struct TDrawn {
  TBitmap Bmp;
  PixelSet F, B;
};

void DrawAt(TDrawn& D, const TSymbolCase& S, int X = kC, int Y = kC, int W = 31, int H = 31) {
  Draw(D.Bmp, W, H, X, Y, S);
  D.F = PixelsOf(D.Bmp, kFG);
  D.B = PixelsOf(D.Bmp, kBG);
}

// The pixels around the centre for which Keep(dx, dy) holds.
template <typename F>
PixelSet Around(int R, F Keep) {
  PixelSet out;
  for (int dy = -R; dy <= R; ++dy)
    for (int dx = -R; dx <= R; ++dx)
      if (Keep(dx, dy)) out.insert({kC + dx, kC + dy});
  return out;
}

int Norm(int dx, int dy) { return std::max(std::abs(dx), std::abs(dy)); }

TEST(LandmarkSymbolGeometry, PlusAndCrossOfSizeEight) {
  TDrawn d;
  DrawAt(d, {lmPlus, 8});
  auto arm = [](int dx, int dy) { return (dx == 0 || dy == 0) && Norm(dx, dy) <= 8; };
  auto halo = [](int dx, int dy) { return (std::abs(dx) <= 1 && std::abs(dy) <= 9) || (std::abs(dy) <= 1 && std::abs(dx) <= 9); };
  EXPECT_EQ(d.F, Around(9, arm));
  EXPECT_EQ(d.B, Around(9, [&](int dx, int dy) { return halo(dx, dy) && !arm(dx, dy); }));
  DrawAt(d, {lmPlus, 8, true});
  EXPECT_EQ(d.F, Around(9, arm));
  EXPECT_TRUE(d.B.empty());

  DrawAt(d, {lmCross, 8});
  auto diag = [](int dx, int dy) { return std::abs(dx) == std::abs(dy) && std::abs(dx) <= 8; };
  auto near = [&](int dx, int dy) {
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j)
        if (diag(dx + i, dy + j)) return true;
    return false;
  };
  EXPECT_EQ(d.F, Around(9, diag));
  EXPECT_EQ(d.B, Around(9, [&](int dx, int dy) { return near(dx, dy) && !diag(dx, dy); }));
  DrawAt(d, {lmCross, 8, true});
  EXPECT_EQ(d.F, Around(9, diag));
  EXPECT_TRUE(d.B.empty());
}

TEST(LandmarkSymbolGeometry, SquareCrossBoxAndSpadeOfSizeEight) {
  TDrawn d;
  DrawAt(d, {lmSquare, 8});
  EXPECT_EQ(d.F, Around(8, [](int dx, int dy) { return Norm(dx, dy) == 7; }));
  EXPECT_EQ(d.B, Around(8, [](int dx, int dy) { return Norm(dx, dy) == 8 || Norm(dx, dy) <= 6; }));
  DrawAt(d, {lmSquare, 8, true});
  EXPECT_EQ(d.F, Around(8, [](int dx, int dy) { return Norm(dx, dy) == 8; }));
  EXPECT_TRUE(d.B.empty());

  auto diag = [](int dx, int dy) { return std::abs(dx) == std::abs(dy); };
  DrawAt(d, {lmCrossBox, 8});
  EXPECT_EQ(d.F, Around(8, [&](int dx, int dy) { return Norm(dx, dy) == 7 || (Norm(dx, dy) < 7 && diag(dx, dy)); }));
  EXPECT_EQ(d.B, Around(8, [&](int dx, int dy) { return Norm(dx, dy) == 8 || (Norm(dx, dy) <= 6 && !diag(dx, dy)); }));
  DrawAt(d, {lmCrossBox, 8, true});
  EXPECT_EQ(d.F, Around(8, [&](int dx, int dy) { return Norm(dx, dy) == 8 || diag(dx, dy); }));
  EXPECT_TRUE(d.B.empty());

  DrawAt(d, {lmSpade, 8});
  EXPECT_EQ(d.F, Around(8, [](int dx, int dy) { return std::abs(dx) + std::abs(dy) == 8; }));
  EXPECT_EQ(d.B, Around(8, [](int dx, int dy) { return std::abs(dx) + std::abs(dy) < 8; }));
  DrawAt(d, {lmSpade, 8, true});
  EXPECT_EQ(d.F, Around(8, [](int dx, int dy) { return std::abs(dx) + std::abs(dy) == 8; }));
  EXPECT_TRUE(d.B.empty());
}

TEST(LandmarkSymbolGeometry, SquareOfSizeFiveFromTheExample) {
  TDrawn d;
  DrawAt(d, {lmSquare, 5});
  EXPECT_EQ(d.F, Around(5, [](int dx, int dy) { return Norm(dx, dy) == 4; }));  // box X-4 .. X+4
  EXPECT_EQ(d.B, Around(5, [](int dx, int dy) { return Norm(dx, dy) == 5 || Norm(dx, dy) <= 3; }));
}

TEST(LandmarkSymbolGeometry, CircleOfSizeEightCoversItsBox) {
  // Ellipse(7, 7, 23, 23): the pixels whose centres lie within 8 of (15, 15).
  auto inside = [](int x, int y) { return (x + 0.5 - kC) * (x + 0.5 - kC) + (y + 0.5 - kC) * (y + 0.5 - kC) <= 64; };
  PixelSet disc;
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 31; ++x)
      if (inside(x, y)) disc.insert({x, y});
  auto interior = [&](int x, int y) {
    return inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1);
  };
  PixelSet rim, fill;
  for (auto [x, y] : disc) (interior(x, y) ? fill : rim).insert({x, y});
  for (bool transparent : {false, true}) {
    TDrawn d;
    DrawAt(d, {lmCircle, 8, transparent});
    EXPECT_EQ(InkBox(d.Bmp), (TRect{7, 7, 22, 22}));
    EXPECT_EQ(d.F, rim);
    EXPECT_EQ(d.B, transparent ? PixelSet{} : fill);
  }
}

struct TTurned {
  int Direction;
  std::vector<TPoint> Corners;  // relative to the landmark: vertices, or tip and head base
};

PixelSet Shifted(const std::vector<TPoint>& Points) {
  PixelSet out;
  for (TPoint p : Points) out.insert({kC + p.X, kC + p.Y});
  return out;
}

TRect BoxOf(std::vector<TPoint> Points) {
  TRect r{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
  for (TPoint p : Points) {
    r.Left = std::min(r.Left, kC + p.X), r.Right = std::max(r.Right, kC + p.X);
    r.Top = std::min(r.Top, kC + p.Y), r.Bottom = std::max(r.Bottom, kC + p.Y);
  }
  return r;
}

TEST(LandmarkSymbolGeometry, TriangleTurnsClockwiseFromUp) {
  // Vertices Round(s sin a), Round(-s cos a) for a = phi, phi +- 120 degrees.
  const TTurned cases[] = {
      {0, {{0, -8}, {7, 4}, {-7, 4}}},
      {45, {{6, -6}, {2, 8}, {-8, -2}}},
      {90, {{8, 0}, {-4, 7}, {-4, -7}}},
      {200, {{-3, 8}, {-5, -6}, {8, -1}}},
  };
  for (const TTurned& c : cases) {
    for (bool transparent : {false, true}) {
      TDrawn d;
      DrawAt(d, {lmTriangle, 8, transparent, c.Direction});
      for (auto v : Shifted(c.Corners)) EXPECT_TRUE(d.F.count(v)) << c.Direction << " " << v.first << "," << v.second;
      EXPECT_EQ(InkBox(d.Bmp), BoxOf(c.Corners)) << c.Direction;
      EXPECT_EQ(d.B.count({kC, kC}), transparent ? 0u : 1u) << c.Direction;
      EXPECT_EQ(d.B.empty(), transparent) << c.Direction;
    }
  }
  // Whole turns and negative directions are the same angle.
  TDrawn a, b;
  DrawAt(a, {lmTriangle, 8, false, 90});
  DrawAt(b, {lmTriangle, 8, false, -270});
  EXPECT_EQ(a.F, b.F);
}

TEST(LandmarkSymbolGeometry, ArrowsTurnWithDirection) {
  // Tip T = (Round(L sin phi), Round(-L cos phi)); the head's base points at
  // the tip (From) and at the landmark (To), for s = 8 and L = 12.
  struct TArrowCase {
    int Direction;
    TPoint Tip, From1, From2, To1, To2;
  };
  const TArrowCase cases[] = {
      {0, {0, -12}, {-3, -4}, {3, -4}, {3, -8}, {-3, -8}},
      {45, {8, -8}, {1, -5}, {5, -1}, {7, -3}, {3, -7}},
      {90, {12, 0}, {4, -3}, {4, 3}, {8, 3}, {8, -3}},
      {200, {-4, 11}, {1, 5}, {-4, 3}, {-5, 6}, {0, 8}},
  };
  for (const TArrowCase& c : cases) {
    for (bool transparent : {false, true}) {
      TDrawn from, to;
      DrawAt(from, {lmArrowFrom, 8, transparent, c.Direction, 12});
      DrawAt(to, {lmArrowTo, 8, transparent, c.Direction, 12});
      const std::vector<TPoint> fromPts{{0, 0}, c.Tip, c.From1, c.From2}, toPts{{0, 0}, c.Tip, c.To1, c.To2};
      if (!transparent) {
        for (auto p : Shifted({c.Tip, c.From1, c.From2})) EXPECT_TRUE(from.F.count(p)) << c.Direction;
        for (auto p : Shifted({{0, 0}, c.To1, c.To2})) EXPECT_TRUE(to.F.count(p)) << c.Direction;
        EXPECT_EQ(InkBox(from.Bmp), BoxOf(fromPts)) << c.Direction;
        EXPECT_EQ(InkBox(to.Bmp), BoxOf(toPts)) << c.Direction;
      } else {
        // The sides end with LineTo at the base points, which stay undrawn.
        EXPECT_TRUE(from.F.count(*Shifted({c.Tip}).begin())) << c.Direction;
        EXPECT_TRUE(to.F.count(*Shifted({{0, 0}}).begin())) << c.Direction;
        for (auto p : Shifted({c.From1, c.From2})) EXPECT_FALSE(from.F.count(p)) << c.Direction;
        for (auto p : Shifted({c.To1, c.To2})) EXPECT_FALSE(to.F.count(p)) << c.Direction;
        const TRect fb = InkBox(from.Bmp), outer = BoxOf(fromPts);
        EXPECT_TRUE(fb.Left >= outer.Left && fb.Right <= outer.Right && fb.Top >= outer.Top && fb.Bottom <= outer.Bottom);
      }
      EXPECT_EQ(from.B.empty(), transparent) << c.Direction;
      EXPECT_EQ(to.B.empty(), transparent) << c.Direction;
    }
  }
}

TEST(LandmarkSymbolGeometry, ArrowFromExampleAtFiftyFifty) {
  TDrawn d;
  DrawAt(d, {lmArrowFrom, 5, false, 0, 10}, 50, 50, 64, 64);
  // Shaft (50, 50) up to the tip (50, 40), head base (48, 45)-(52, 45).
  for (auto p : PixelSet{{50, 40}, {48, 45}, {52, 45}, {50, 50}, {50, 46}}) EXPECT_TRUE(d.F.count(p));
  EXPECT_EQ(InkBox(d.Bmp), (TRect{48, 40, 52, 50}));
  for (int y = 41; y <= 50; ++y) EXPECT_TRUE(d.F.count({50, y}) || d.B.count({50, y})) << y;
  EXPECT_FALSE(d.F.count({50, 51}));
}

TEST(LandmarkSymbolGeometry, PlusExampleAtTenTen) {
  TDrawn d;
  DrawAt(d, {lmPlus, 3}, 10, 10, 21, 21);
  PixelSet arms, halo;
  for (int k = 7; k <= 13; ++k) arms.insert({k, 10}), arms.insert({10, k});
  for (int a = 6; a <= 14; ++a)
    for (int b = 9; b <= 11; ++b) halo.insert({a, b}), halo.insert({b, a});
  for (auto p : arms) halo.erase(p);
  EXPECT_EQ(d.F, arms);
  EXPECT_EQ(d.B, halo);
}

TEST(LandmarkSymbolGeometry, HugeSizesAreClippedNotOverflowed) {
  TDrawn d;
  for (int kind = lmPlus; kind <= lmUserDef + 1; ++kind) {
    DrawAt(d, {static_cast<TLandMarkElement>(kind), INT32_MAX, false, 33, INT32_MAX}, INT32_MAX, INT32_MIN, 8, 8);
    DrawAt(d, {static_cast<TLandMarkElement>(kind), INT32_MIN, true, INT32_MIN, INT32_MIN}, 3, 3, 8, 8);
  }
}

// What each kind leaves on the canvas: pen colour, brush colour, brush style.
TEST(LandmarkSymbolGeometry, PenAndBrushLeftOnTheCanvas) {
  struct TLeft {
    TLandMarkElement Kind;
    bool Transparent;
    TColor Pen, Brush;
    TBrushStyle Style;
  };
  const TLeft cases[] = {
      {lmPlus, false, kFG, kBrushBefore, bsSolid},      {lmPlus, true, kFG, kBrushBefore, bsSolid},
      {lmCross, false, kFG, kBrushBefore, bsSolid},     {lmCross, true, kFG, kBrushBefore, bsSolid},
      {lmSquare, false, kFG, kBG, bsSolid},             {lmSquare, true, kFG, kBrushBefore, bsSolid},
      {lmCrossBox, false, kFG, kBG, bsSolid},           {lmCrossBox, true, kFG, kBrushBefore, bsSolid},
      {lmTriangle, false, kFG, kBG, bsSolid},           {lmTriangle, true, kFG, kBG, bsSolid},
      {lmCircle, false, kFG, kBG, bsSolid},             {lmCircle, true, kFG, kBG, bsClear},
      {lmArrowFrom, false, kFG, kBG, bsSolid},          {lmArrowFrom, true, kFG, kBG, bsSolid},
      {lmArrowTo, false, kFG, kBG, bsSolid},            {lmArrowTo, true, kFG, kBG, bsSolid},
      {lmSpade, false, kFG, kBG, bsSolid},              {lmSpade, true, kFG, kBG, bsSolid},
      {lmUserDef, false, kPenBefore, kBrushBefore, bsSolid},
      {static_cast<TLandMarkElement>(10), false, kFG, kBrushBefore, bsSolid},
  };
  for (const TLeft& c : cases) {
    TDrawn d;
    DrawAt(d, {c.Kind, 3, c.Transparent, 30, 6});
    const TCanvas* cv = d.Bmp.Canvas();
    EXPECT_EQ(cv->Pen.Color, c.Pen) << c.Kind << " " << c.Transparent;
    EXPECT_EQ(cv->Brush.Color, c.Brush) << c.Kind << " " << c.Transparent;
    EXPECT_EQ(cv->Brush.Style, c.Style) << c.Kind << " " << c.Transparent;
    EXPECT_EQ(cv->Pen.Style, psSolid);
    EXPECT_EQ(cv->Pen.Mode, pmCopy);
  }
}

TEST(LandmarkSymbolGeometry, FilledSymbolsFillWhateverBrushStyleCameBefore) {
  // A transparent circle or caption leaves bsClear behind; a filled symbol
  // drawn next must still be filled.
  TBitmap bmp;
  testart::Blank(bmp, 11, 11);
  TCanvas* cv = bmp.Canvas();
  DrawLandMarkSymbolOnCanvas(cv, 5, 5, lmCircle, kFG, kBG, 3, 0, 0, true);
  EXPECT_EQ(cv->Brush.Style, bsClear);
  for (TLandMarkElement kind : {lmSpade, lmSquare, lmCircle, lmTriangle, lmArrowTo}) {
    testart::Blank(bmp, 11, 11);
    cv->Brush.Style = bsClear;
    DrawLandMarkSymbolOnCanvas(cv, 5, 5, kind, kFG, kBG, 3, 90, 4, false);
    EXPECT_FALSE(PixelsOf(bmp, kBG).empty()) << kind;
    EXPECT_EQ(cv->Brush.Style, bsSolid) << kind;
  }
}

}  // namespace
}  // namespace orq
