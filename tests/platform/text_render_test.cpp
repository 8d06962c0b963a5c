// Text: font resolution and fallback, cell geometry against what is drawn,
// rotation about the cell's top-left corner, styles, aliased rendering.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "canvas_art_test.h"
#include "orqplatform/Fonts.h"

namespace orq {
namespace {

struct Box {
  int Left = INT32_MAX, Top = INT32_MAX, Right = INT32_MIN, Bottom = INT32_MIN;  // inclusive
  void Add(int x, int y) {
    Left = std::min(Left, x), Top = std::min(Top, y), Right = std::max(Right, x), Bottom = std::max(Bottom, y);
  }
  bool Empty() const { return Left > Right; }
};

Box BoxOf(TBitmap& bmp, const std::function<bool(TColor)>& pick) {
  Box b;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (pick(bmp.Canvas()->Pixels(x, y))) b.Add(x, y);
  return b;
}

TCanvas& TextCanvas(TBitmap& bmp, int w, int h) {
  testart::Blank(bmp, w, h);
  TCanvas& cv = *bmp.Canvas();
  cv.Font.Name = "DejaVu Sans";
  cv.Font.Size = 12;
  cv.Font.Color = clBlack;
  cv.Brush.Style = bsClear;
  return cv;
}

TEST(TextFonts, UnknownNamesFallBackToSansSerifAndStylesPickFaces) {
  TFont f;
  f.Name = "MS Sans Serif";
  EXPECT_NE(ResolvedFontFile(f).find("DejaVuSans"), std::string::npos) << ResolvedFontFile(f);
  f.Name = "No Such Family 12345";
  EXPECT_NE(ResolvedFontFile(f).find("DejaVuSans"), std::string::npos);
  f.Style.insert(fsBold);
  EXPECT_NE(ResolvedFontFile(f).find("Bold"), std::string::npos) << ResolvedFontFile(f);
}

TEST(TextFonts, SizeIsPointsAt96Dpi) {
  TFont f;
  f.Size = 8;
  EXPECT_EQ(f.PixelHeight(), 11);
  f.Size = 12;
  EXPECT_EQ(f.PixelHeight(), 16);
  f.Size = 9;
  EXPECT_EQ(f.PixelHeight(), 12);
}

TEST(TextFonts, LogicalFontRoundTripsAndCarriesRotation) {
  for (int size = 1; size <= 72; ++size) {
    TFont f, g;
    f.Size = size;
    g.SetHandle(CreateFontIndirect(GetObject(f)));
    EXPECT_EQ(g.Size, size);
  }
  TFont f;
  f.Name = "DejaVu Serif";
  f.Style = {fsBold, fsUnderline};
  f.Color = clRed;
  TLogFont lf = GetObject(f);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -11);
  lf.lfEscapement = lf.lfOrientation = 900;
  lf.lfQuality = ANTIALIASED_QUALITY;
  lf.lfUnderline = 0;
  f.SetHandle(CreateFontIndirect(lf));
  EXPECT_EQ(f.Name, "DejaVu Serif");
  EXPECT_EQ(f.Escapement, 900);
  EXPECT_EQ(f.Style, (TFontStyles{fsBold}));
  EXPECT_EQ(f.Quality, fqAntialiased);
  EXPECT_EQ(f.Color, clRed);  // a logical font has no colour: the font keeps its own
  EXPECT_EQ(GetObject(f.Handle()).lfEscapement, 900);
}

TEST(TextRender, InkStaysInTheCellThatTextWidthAndHeightDescribe) {
  TBitmap bmp;
  TCanvas& cv = TextCanvas(bmp, 200, 60);
  const std::string text = "Hamburg 53.5";
  const int w = cv.TextWidth(text), h = cv.TextHeight(text);
  ASSERT_GT(w, 40);
  ASSERT_GT(h, 12);
  cv.TextOut(20, 10, text);
  const Box ink = BoxOf(bmp, [](TColor c) { return c != clWhite; });
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.Left, 20);
  EXPECT_LE(ink.Left, 22);
  EXPECT_LE(ink.Right, 20 + w);
  EXPECT_GE(ink.Right, 20 + w - 3);
  EXPECT_GE(ink.Top, 10);
  EXPECT_LT(ink.Bottom, 10 + h);
  EXPECT_EQ(cv.PenPos(), (TPoint{20 + w, 10}));
  EXPECT_EQ(cv.TextWidth(""), 0);
  EXPECT_EQ(cv.TextHeight(""), h);
}

TEST(TextRender, SolidBrushFillsExactlyTheCell) {
  TBitmap bmp;
  TCanvas& cv = TextCanvas(bmp, 120, 40);
  cv.Brush.Style = bsSolid;
  cv.Brush.Color = clRed;
  const int w = cv.TextWidth("Wien"), h = cv.TextHeight("Wien");
  cv.TextOut(5, 7, "Wien");
  const Box fill = BoxOf(bmp, [](TColor c) { return c != clWhite; });
  EXPECT_EQ(fill.Left, 5);
  EXPECT_EQ(fill.Top, 7);
  EXPECT_EQ(fill.Right, 5 + w - 1);
  EXPECT_EQ(fill.Bottom, 7 + h - 1);
}

TEST(TextRender, EscapementRotatesTheCellAboutItsTopLeftCorner) {
  struct Case {
    int Tenths;
    // expected cell bounds (inclusive) relative to the reference point, in
    // units of the text width w and height h
    std::function<Box(int w, int h)> Cell;
  };
  const std::vector<Case> cases = {
      {900, [](int w, int h) { return Box{0, -w, h - 1, -1}; }},         // reads upwards
      {1800, [](int w, int h) { return Box{-w, -h, -1, -1}; }},          // upside down, to the left
      {2700, [](int w, int h) { return Box{-h, 0, -1, w - 1}; }},        // reads downwards
      {-900, [](int w, int h) { return Box{-h, 0, -1, w - 1}; }},        // the same as 270 degrees
  };
  for (const auto& c : cases) {
    TBitmap bmp;
    TCanvas& cv = TextCanvas(bmp, 160, 160);
    cv.Font.Escapement = c.Tenths;
    cv.Brush.Style = bsSolid;
    cv.Brush.Color = clRed;
    const int w = cv.TextWidth("Bern"), h = cv.TextHeight("Bern");
    cv.TextOut(80, 80, "Bern");
    const Box got = BoxOf(bmp, [](TColor col) { return col != clWhite; });
    const Box want = c.Cell(w, h);
    EXPECT_EQ(got.Left, 80 + want.Left) << c.Tenths;
    EXPECT_EQ(got.Top, 80 + want.Top) << c.Tenths;
    EXPECT_EQ(got.Right, 80 + want.Right) << c.Tenths;
    EXPECT_EQ(got.Bottom, 80 + want.Bottom) << c.Tenths;
    // The ink is inside the filled cell.
    const Box ink = BoxOf(bmp, [](TColor col) { return col != clWhite && col != clRed; });
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.Left, got.Left - 1);
    EXPECT_LE(ink.Right, got.Right + 1);
    EXPECT_GE(ink.Top, got.Top - 1);
    EXPECT_LE(ink.Bottom, got.Bottom + 1);
  }
}

TEST(TextRender, FortyFiveDegreesRunsUpAndRight) {
  TBitmap bmp;
  TCanvas& cv = TextCanvas(bmp, 200, 200);
  cv.Font.Escapement = 450;
  cv.Brush.Style = bsSolid;
  cv.Brush.Color = clRed;
  const double w = cv.TextWidth("Madrid"), h = cv.TextHeight("Madrid"), r = std::sqrt(0.5);
  cv.TextOut(50, 150, "Madrid");
  // Corners: (50, 150), along the text (+w r, -w r), down the cell (+h r, +h r).
  const Box cell = BoxOf(bmp, [](TColor c) { return c != clWhite; });
  EXPECT_NEAR(cell.Left, 50, 1);
  EXPECT_NEAR(cell.Top, 150 - w * r, 1);
  EXPECT_NEAR(cell.Right, 50 + (w + h) * r - 1, 1);
  EXPECT_NEAR(cell.Bottom, 150 + h * r - 1, 1);  // the far corners are points, not pixels
  const Box ink = BoxOf(bmp, [](TColor c) { return c != clWhite && c != clRed; });
  EXPECT_GT(ink.Right - ink.Left, w * r - h);
}

TEST(TextRender, AliasedTextHasOnlyTwoColoursAntialiasedHasMore) {
  for (TFontQuality q : {fqNonAntialiased, fqAntialiased}) {
    TBitmap bmp;
    TCanvas& cv = TextCanvas(bmp, 120, 30);
    cv.Font.Quality = q;
    cv.TextOut(2, 2, "Oslo @%");
    int greys = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 120; ++x) {
        const TColor c = cv.Pixels(x, y);
        greys += c != clWhite && c != clBlack;
      }
    if (q == fqNonAntialiased)
      EXPECT_EQ(greys, 0);
    else
      EXPECT_GT(greys, 10);
  }
}

TEST(TextRender, StylesChangeWidthAndDrawLines) {
  TBitmap bmp;
  TCanvas& cv = TextCanvas(bmp, 200, 40);
  const int regular = cv.TextWidth("Lisboa");
  cv.Font.Style = {fsBold};
  EXPECT_GT(cv.TextWidth("Lisboa"), regular);
  cv.Font.Style = {fsUnderline, fsStrikeOut};
  cv.Font.Quality = fqNonAntialiased;
  const int w = cv.TextWidth("ii ii"), h = cv.TextHeight("ii ii");
  cv.TextOut(10, 5, "ii ii");
  // Full-width ink rows: one under the baseline, one through the letters.
  std::vector<int> fullRows;
  for (int y = 5; y < 5 + h + 3; ++y) {
    bool full = true;
    for (int x = 10; x < 10 + w; ++x) full = full && cv.Pixels(x, y) == clBlack;
    if (full) fullRows.push_back(y);
  }
  ASSERT_GE(fullRows.size(), 2u);
  EXPECT_GT(fullRows.back() - fullRows.front(), h / 4);
}

TEST(TextRender, TextIsQuantisedAndClipped) {
  TBitmap bmp;
  TCanvas& cv = TextCanvas(bmp, 30, 12);
  bmp.SetPixelFormat(pf15bit);
  cv.Font.Color = 0x123457;
  cv.TextOut(-8, -5, "Kraków ÄÖÜ");
  cv.TextOut(25, 8, "Far off to the right");
  cv.Font.Escapement = 1234;
  cv.TextOut(10, 5, "turned");
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 30; ++x) EXPECT_EQ(cv.Pixels(x, y) & 0x070707u, 0u);
}

}  // namespace
}  // namespace orq
