// Landmark captions: the text cell placed by alignment and rotation. With a
// solid brush the cell is filled with BGColor, so the ink's extent is the
// cell and gives the reference point exactly.
#include <gtest/gtest.h>

#include <string>

#include "symbol_art_test.h"

namespace orq {
namespace {

using symbolart::InkBox;
using symbolart::PixelsOf;

constexpr TColor kText = 0x101010;
constexpr TColor kCell = 0xE0C080;
constexpr TPoint kP{100, 90};

TLMTextProperties Caption(const std::string& Text, int Direction, int H, int V) {
  TLMTextProperties c;
  c.Text = Text;
  c.Size = 12;
  c.FontName = "DejaVu Sans";
  c.FGColor = kText;
  c.BGColor = kCell;
  c.dx = 7;
  c.dy = -5;
  c.Direction = Direction;
  c.HAlignment = static_cast<TAlignment>(H);
  c.VAlignment = static_cast<TVerticalAlignment>(V);
  return c;
}

// Width and height of the text's cell, measured with the caption's font.
TPoint Extent(const TLMTextProperties& C) {
  TBitmap bmp;
  testart::Blank(bmp, 4, 4);
  TFont& f = bmp.Canvas()->Font;
  f.Name = C.FontName;
  f.Size = C.Size;
  f.Style = C.FontStyles;
  return bmp.Canvas()->TextExtent(C.Text);
}

TRect Drawn(TBitmap& Bmp, const TLMTextProperties& C) {
  testart::Blank(Bmp, 220, 200);
  DrawLandMarkCaption(Bmp.Canvas(), kP, C);
  return InkBox(Bmp);
}

TEST(LandmarkCaption, NineAlignmentsUpright) {
  for (int h = 0; h < 3; ++h)
    for (int v = 0; v < 3; ++v) {
      const TLMTextProperties c = Caption("Hamburg", 0, h, v);
      const TPoint e = Extent(c);
      const int a = h == taLeftJustify ? 0 : h == taRightJustify ? 2 * (e.X / 2) : e.X / 2;
      const int b = v == vaTop ? 0 : v == vaCenter ? e.Y / 2 : 2 * (e.Y / 2);
      const int rx = kP.X + 7 - a, ry = kP.Y - 5 - b;
      TBitmap bmp;
      EXPECT_EQ(Drawn(bmp, c), (TRect{rx, ry, rx + e.X - 1, ry + e.Y - 1})) << h << " " << v;
      EXPECT_EQ(bmp.Canvas()->Pixels(rx, ry), kCell);
      EXPECT_FALSE(PixelsOf(bmp, kText).empty());
    }
}

TEST(LandmarkCaption, NineAlignmentsReadingUpwards) {
  // At 90 degrees the text runs up from R and the cell lies to its right:
  // x = R.X .. R.X + height - 1, y = R.Y - width .. R.Y - 1, with
  // R = P + (dx, dy) + (-b, a).
  for (int h = 0; h < 3; ++h)
    for (int v = 0; v < 3; ++v) {
      const TLMTextProperties c = Caption("Hamburg", 90, h, v);
      const TPoint e = Extent(c);
      const int a = h == taLeftJustify ? 0 : h == taRightJustify ? 2 * (e.X / 2) : e.X / 2;
      const int b = v == vaTop ? 0 : v == vaCenter ? e.Y / 2 : 2 * (e.Y / 2);
      const int rx = kP.X + 7 - b, ry = kP.Y - 5 + a;
      TBitmap bmp;
      EXPECT_EQ(Drawn(bmp, c), (TRect{rx, ry - e.X, rx + e.Y - 1, ry - 1})) << h << " " << v;
    }
}

TEST(LandmarkCaption, LeftTopAtNinetyHasItsReferenceAtTheAnchor) {
  const TLMTextProperties c = Caption("Oslo", 90, taLeftJustify, vaTop);
  const TPoint e = Extent(c);
  TBitmap bmp;
  EXPECT_EQ(Drawn(bmp, c), (TRect{107, 85 - e.X, 107 + e.Y - 1, 84}));
  // Reading upwards: the first letter's ink is at the bottom of the cell.
  const TRect ink = InkBox(bmp);
  int lowestText = -1;
  for (auto [x, y] : PixelsOf(bmp, kText)) lowestText = std::max(lowestText, y);
  EXPECT_GT(lowestText, ink.Bottom - e.X / 4);
}

TEST(LandmarkCaption, FortyPixelTextCentredStartsTwentyPixelsLeft) {
  // Find a caption that measures 40 pixels, whatever the face's advances.
  TLMTextProperties c;
  bool found = false;
  for (const char* text : {"Oslo", "Bern", "Rome", "Lima", "Kyiv", "Riga", "Baku", "Doha"}) {
    for (int size = 6; size <= 24 && !found; ++size) {
      c = Caption(text, 0, taCenter, vaTop);
      c.Size = size;
      found = Extent(c).X == 40;
    }
    if (found) break;
  }
  ASSERT_TRUE(found);
  TBitmap bmp;
  const TRect cell = Drawn(bmp, c);
  EXPECT_EQ(cell.Left, kP.X + 7 - 20);
  EXPECT_EQ(cell.Right, kP.X + 7 + 19);
  EXPECT_EQ(cell.Top, kP.Y - 5);
}

TEST(LandmarkCaption, HalvesTruncateSoOddExtentsReachPastTheAnchor) {
  TLMTextProperties c;
  for (int size = 8; size <= 30; ++size) {
    c = Caption("Basel", 0, taRightJustify, vaBottom);
    c.Size = size;
    const TPoint e = Extent(c);
    if (e.X % 2 == 1 && e.Y % 2 == 1) break;
  }
  const TPoint e = Extent(c);
  ASSERT_TRUE(e.X % 2 == 1 && e.Y % 2 == 1);
  TBitmap bmp;
  const TRect cell = Drawn(bmp, c);
  // a = 2 (w div 2) = width - 1: the last column is the anchor's own.
  EXPECT_EQ(cell.Right, kP.X + 7);
  EXPECT_EQ(cell.Bottom, kP.Y - 5);
}

TEST(LandmarkCaption, TransparentLeavesTheBackground) {
  TLMTextProperties c = Caption("Hamburg", 0, taLeftJustify, vaTop);
  c.Transparent = true;
  TBitmap bmp;
  const TRect ink = Drawn(bmp, c);
  EXPECT_TRUE(PixelsOf(bmp, kCell).empty());
  EXPECT_FALSE(PixelsOf(bmp, kText).empty());
  // The glyphs stay inside the cell without filling it.
  const TPoint e = Extent(c);
  EXPECT_GE(ink.Left, 107);
  EXPECT_GE(ink.Top, 85);
  EXPECT_LE(ink.Right, 107 + e.X - 1);
  EXPECT_LE(ink.Bottom, 85 + e.Y - 1);
  EXPECT_EQ(bmp.Canvas()->Pixels(107, 85), clWhite);
  EXPECT_EQ(bmp.Canvas()->Brush.Style, bsClear);
}

TEST(LandmarkCaption, UnknownAlignmentSetsFontAndBrushButDrawsNothing) {
  for (auto [h, v] : {std::pair{3, 0}, {0, 3}, {-1, 1}, {2, 255}}) {
    TLMTextProperties c = Caption("Hamburg", 30, h, v);
    c.FontStyles = TFontStyles{fsBold};
    TBitmap bmp;
    const TRect ink = Drawn(bmp, c);
    EXPECT_GT(ink.Left, ink.Right) << h << " " << v;  // no ink at all
    const TCanvas* cv = bmp.Canvas();
    EXPECT_EQ(cv->Brush.Color, kCell);
    EXPECT_EQ(cv->Brush.Style, bsSolid);
    EXPECT_EQ(cv->Font.Color, kText);
    EXPECT_EQ(cv->Font.Name, "DejaVu Sans");
    EXPECT_EQ(cv->Font.Size, 12);
    EXPECT_TRUE(cv->Font.Style.contains(fsBold));
    EXPECT_EQ(cv->Font.Escapement, 300);
  }
}

TEST(LandmarkCaption, RotatedFontIsLeftOnTheCanvas) {
  TBitmap bmp;
  Drawn(bmp, Caption("Hamburg", -45, taCenter, vaCenter));
  const TFont& f = bmp.Canvas()->Font;
  EXPECT_EQ(f.Escapement, -450);
  EXPECT_EQ(f.Orientation, -450);
  EXPECT_EQ(f.Charset, DEFAULT_CHARSET);
  EXPECT_EQ(f.Quality, fqAntialiased);
  EXPECT_EQ(f.Name, "DejaVu Sans");
  EXPECT_EQ(f.Size, 12);
  EXPECT_EQ(f.Color, kText);
}

TEST(LandmarkCaption, UprightCaptionAfterARotatedOneIsUpright) {
  TBitmap bmp;
  Drawn(bmp, Caption("Hamburg", 90, taLeftJustify, vaTop));
  const TLMTextProperties c = Caption("Hamburg", 0, taLeftJustify, vaTop);
  const TPoint e = Extent(c);
  testart::Blank(bmp, 220, 200);
  DrawLandMarkCaption(bmp.Canvas(), kP, c);
  EXPECT_EQ(InkBox(bmp), (TRect{107, 85, 107 + e.X - 1, 85 + e.Y - 1}));
  EXPECT_EQ(bmp.Canvas()->Font.Escapement, 0);
}

TEST(LandmarkCaption, EmptyTextChangesNothing) {
  TBitmap bmp;
  testart::Blank(bmp, 20, 20);
  TCanvas* cv = bmp.Canvas();
  cv->Brush.Color = clYellow;
  const TFont before = cv->Font;
  TLMTextProperties c = Caption("", 30, taLeftJustify, vaTop);
  DrawLandMarkCaption(cv, TPoint{5, 5}, c);
  const TRect ink = InkBox(bmp);
  EXPECT_GT(ink.Left, ink.Right);
  EXPECT_EQ(cv->Brush.Color, clYellow);
  EXPECT_EQ(cv->Font.Name, before.Name);
  EXPECT_EQ(cv->Font.Escapement, 0);
}

}  // namespace
}  // namespace orq
