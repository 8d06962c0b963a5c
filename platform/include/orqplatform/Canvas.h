// TCanvas: drawing on a TBitmap surface with the classic raster rules.
//
//  - LineTo draws the integer line from PenPos up to, not including, the end
//    point. Along the major axis every step sets one pixel; the minor
//    coordinate is the exact one rounded to nearest, a tie going toward the
//    starting point's coordinate.
//  - Rectangle and Ellipse (x1, y1, x2, y2) cover x1..x2-1, y1..y2-1 (the
//    corners are put in order first): the outline with the pen, the rest with
//    the brush. A pen of width w draws a band of w pixels inside the figure.
//    An ellipse holds the pixels whose centres lie in the ellipse inscribed
//    in the box; its outline is those with a 4-neighbour outside.
//  - Polygon closes the figure, outlines it with the pen (LineTo rules) and
//    fills, with the alternate (even-odd) rule, the pixels (x, y) whose
//    point (x, y) lies inside (edges half-open: left and top edges belong to
//    the figure), so fill and outline meet without gaps.
//  - Pen modes apply to the pen and to the brush fill of shapes; outline and
//    fill never share a pixel, so drawing a shape twice with pmXor restores
//    the picture (on true-colour surfaces: pf1bit, pf4bit and pf8bit snap
//    each result to their palette).
//  - Everything is clipped to the surface.
#pragma once

#include <string>
#include <vector>

#include "orqplatform/Components.h"
#include "orqplatform/GraphicsTypes.h"

namespace orq {

class TBitmap;
class TGraphic;

class TCanvas : public TPersistent {
 public:
  explicit TCanvas(TBitmap* Surface);
  std::string ClassName() const override { return "TCanvas"; }

  TPen Pen;
  TBrush Brush;
  TFont Font;

  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  // COLORONCOLOR (3) or HALFTONE (4); see StretchBlt.h.
  int StretchBltMode() const { return FStretchBltMode; }
  void SetStretchBltMode(int Value) { FStretchBltMode = Value; }

  TBitmap* Surface() const { return FSurface; }
  TRect ClipRect() const;

  // CLR_INVALID outside the surface; writes outside are ignored.
  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Color);

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  // Lines through the points with LineTo rules; PenPos is not changed.
  void Polyline(const std::vector<TPoint>& Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  // The brush alone over Left..Right-1, Top..Bottom-1 (always pmCopy).
  void FillRect(const TRect& R);
  // A one-pixel border in the brush colour around Left..Right-1, Top..Bottom-1.
  void FrameRect(const TRect& R);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void Polygon(const std::vector<TPoint>& Points);

  // Text (UTF-8) with its cell's top-left corner at (X, Y), rotated by
  // Font.Escapement about that corner. A solid brush fills the cell first.
  // PenPos moves to the end of the (unrotated) text.
  void TextOut(int X, int Y, const std::string& Text);
  // The cell of the text: the sum of the glyph advances (hinted, whole
  // pixels, no kerning) by the font's line height (ascent + descent).
  TPoint TextExtent(const std::string& Text);
  int TextWidth(const std::string& Text) { return TextExtent(Text).X; }
  int TextHeight(const std::string& Text) { return TextExtent(Text).Y; }

  // Copies Source's rectangle to Dest with CopyMode, scaling (with this
  // canvas's stretch mode) when the sizes differ. Rectangles with an empty or
  // negative size copy nothing (no mirroring).
  void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
  // Draws a picture with its top-left corner at (X, Y).
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Dest, TGraphic* Graphic);

  // The low-level pixel writer shapes are built from: (X, Y) combined with
  // Color by Mode, quantised, clipped.
  void PlotPixel(int X, int Y, TColor Color, TPenMode Mode);
  // A horizontal run X1..X2 (inclusive) of PlotPixel.
  void PlotSpan(int X1, int X2, int Y, TColor Color, TPenMode Mode);

 private:
  void DrawLine(int X0, int Y0, int X1, int Y1, int& PatternPos);
  void WidePenSpans(const std::vector<TPoint>& Centres);
  TBitmap* FSurface;
  TPoint FPenPos;
  int FPatternPos = 0;  // position in the dash pattern along the current polyline
  TCopyMode FCopyMode = cmSrcCopy;
  int FStretchBltMode = 3;
};

}  // namespace orq
