// Composition of the map picture: every repaint lays down all layers in a
// fixed order into an off-screen bitmap, which Paint then shows in one block.
#include <algorithm>
#include <cmath>

#include "orqbase/DrawFrame.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqcarta/geomap/LandmarkDrawing.h"
#include "orqmath/MathUtils.h"
#include "orqplatform/StretchBlt.h"

namespace orq {

namespace {

// Landmarks are drawn only strictly inside the picture: a symbol centred on
// the edge would show only half.
bool StrictlyInside(TPoint P, const TMapView& View) {
  return P.X > 0 && P.X < View.Width && P.Y > 0 && P.Y < View.Height;
}

}  // namespace

void TGeoMap::Paint() {
  if (FDisplay.SuppressPaint) return;
  ConstructInternalMapImg();
  TCanvas* window = Canvas();
  window->SetCopyMode(cmSrcCopy);
  const TRect whole{0, 0, Width(), Height()};
  window->CopyRect(whole, FAuxBmp->Canvas(), whole);
}

void TGeoMap::ConstructInternalMapImg() {
  // The composition bitmap only grows, height first.
  if (FAuxBmp->Height() < Height()) FAuxBmp->SetHeight(Height());
  if (FAuxBmp->Width() < Width()) FAuxBmp->SetWidth(Width());
  ComposePicture(FAuxBmp.get(), CurrentView(), true);
}

void TGeoMap::ComposePicture(TBitmap* Target, const TMapView& View, bool ForControl) {
  TCanvas* c = Target->Canvas();
  const int W = View.Width, H = View.Height;
  c->Pen.Style = psSolid;
  c->Pen.Mode = pmCopy;
  // The last picture's captions may have left a clear brush: the background
  // must cover all of the previous picture.
  c->Brush.Style = bsSolid;

  if (ComponentState().contains(csDesigning) || FMapImgName.empty()) {
    c->Brush.Color = FDisplay.ColorBackGnd;
    c->Pen.Color = FDisplay.ColorBackGnd;
    c->Rectangle(0, 0, W, H);
    c->Font.Color = FDisplay.ColorFrame;
    c->TextOut(10, 10, FDisplay.EmptyMsg);
  } else if (!ForControl || Visible()) {
    c->Brush.Color = FDisplay.ColorBackGnd;
    c->Pen.Color = FDisplay.ColorBackGnd;
    c->Rectangle(0, 0, W, H);
    DrawImageSection(c, View, ForControl);
    if (FOnBeforeRenderData) FOnBeforeRenderData(this, c);
    if (FDisplay.ShowGraticule != sgNone) DrawGraticule(c, View);
    c->Pen.Color = 0x00FF00;
    DrawLandmarks(c, View);
    if (FOnDataRendered) FOnDataRendered(this, c);
    DrawHighlightedLandmark(c, View);
  }

  DrawTrace(c, View);
  if (ForControl)
    DrawFrame(c, FDisplay.FrameStyle, 0, 0, W - 1, H - 1, FDisplay.ColWhiteLine, 0xC0C0C0, FDisplay.ColGrayLine,
              FDisplay.ColBlackLine, 0);
}

// The visible part of the map image. Below CacheMagLimit the whole image is
// scaled once into FImgCache and every repaint is a 1:1 copy from it; above,
// the section is stretched from the full image each time.
void TGeoMap::DrawImageSection(TCanvas* C, const TMapView& View, bool MayUseCache) {
  const double M = View.Magnification;
  const int W = View.Width, H = View.Height;
  TCanvas* image = GrafBmp->Canvas();
  if (MayUseCache) {
    if ((FCacheMag != M || FCacheAA != FDisplay.AntiAlias) && M < FDisplay.CacheMagLimit) {
      FImgCache->SetWidth(RoundedOrZero(GrafBmp->Width() * M));
      FImgCache->SetHeight(RoundedOrZero(GrafBmp->Height() * M));
      SetStretchBltMode(FImgCache->Canvas(), FDisplay.AntiAlias ? HALFTONE : COLORONCOLOR);
      StretchBlt(FImgCache->Canvas(), 0, 0, FImgCache->Width(), FImgCache->Height(), image, 0, 0, GrafBmp->Width(),
                 GrafBmp->Height(), SRCCOPY);
      FCacheMag = M;
      FCacheAA = FDisplay.AntiAlias;
    }
    if (FCacheMag == M) {
      SetStretchBltMode(C, COLORONCOLOR);
      StretchBlt(C, 0, 0, W, H, FImgCache->Canvas(), RoundedOrZero(View.TopLeft.X * M),
                 RoundedOrZero(View.TopLeft.Y * M), W, H, SRCCOPY);
      return;
    }
  }
  SetStretchBltMode(C, FDisplay.AntiAlias ? HALFTONE : COLORONCOLOR);
  const int right = RoundedOrZero(W / M + View.TopLeft.X), bottom = RoundedOrZero(H / M + View.TopLeft.Y);
  StretchBlt(C, 0, 0, W, H, image, View.TopLeft.X, View.TopLeft.Y, right - View.TopLeft.X, bottom - View.TopLeft.Y,
             SRCCOPY);
}

// With more landmarks of visible classes inside the picture than the
// threshold, each is drawn with the probability that keeps about the
// threshold's number on screen.
double TGeoMap::LandmarkSamplingProbability(const TMapView& View) const {
  const int threshold = FDisplay.LMRandomDisplayThreshold;
  if (threshold >= FNumLandMarks) return 1.0;
  TCornerArray corners{};
  const TPoint controlCorners[4] = {{0, 0}, {0, View.Height}, {View.Width, View.Height}, {View.Width, 0}};
  for (int k = 0; k < 4; ++k) {
    const TPoint p = View.ControlToImage(controlCorners[k]);
    bool valid = false;
    corners[k].Latit = CalcLatitude(p.X, p.Y, valid);
    corners[k].Longit = CalcLongitude(p.X, p.Y, valid);
  }
  int inView = 0;
  for (int i = 0; i < FNumLandMarks; ++i) {
    const TLandMark& lm = FLandMarks[i];
    if (FDisplay.LMClassVisible[lm.ClassFlag] && PositionInMap(lm.Latitude, lm.Longitude, corners)) ++inView;
  }
  return threshold < inView ? static_cast<double>(threshold) / inView : 1.0;
}

// The landmark's picture position, offered to OnDrawLandmark wherever it
// lies; true when the library is still to draw it there (not handled, and
// strictly inside the picture).
bool TGeoMap::PlaceLandmark(TCanvas* C, const TMapView& View, const TLandMark& LandMark, TPoint& P) {
  int x = 0, y = 0;
  if (!CalcPixelCoords(LandMark.Latitude, LandMark.Longitude, x, y)) return false;
  P = View.ImageToControl(TPoint{x, y});
  bool handled = false;
  if (FOnDrawLandmark) FOnDrawLandmark(this, handled, C, P, LandMark);
  return !handled && StrictlyInside(P, View);
}

void TGeoMap::DrawLandmarks(TCanvas* C, const TMapView& View) {
  const double p = LandmarkSamplingProbability(View);
  for (int i = 0; i < FNumLandMarks; ++i) {
    const TLandMark& lm = FLandMarks[i];
    if (!FDisplay.LMClassVisible[lm.ClassFlag]) continue;
    // Drawn for every landmark, also at p = 1, so that a seeded random
    // sequence does not depend on how many landmarks are in view.
    if (!BRandom(p)) continue;
    TPoint P;
    if (!PlaceLandmark(C, View, lm, P)) continue;
    const TSymbolProperties& s = lm.SymbolProps;
    DrawLandMarkSymbolOnCanvas(C, P.X, P.Y, s.Kind, s.FGColor, s.BGColor, s.Size, s.Direction, s.Length, s.Transparent);
    if (!lm.Caption.Text.empty()) DrawLandMarkCaption(C, P, lm.Caption);
  }
}

// The highlighted landmark in the highlight colours, without caption and
// without sampling. The index is checked here because loading or removing
// landmarks may leave it beyond the list.
void TGeoMap::DrawHighlightedLandmark(TCanvas* C, const TMapView& View) {
  if (FHighLM < 1 || FHighLM > FNumLandMarks) return;
  const TLandMark& lm = FLandMarks[FHighLM - 1];
  if (!FDisplay.LMClassVisible[lm.ClassFlag]) return;
  TPoint P;
  if (!PlaceLandmark(C, View, lm, P)) return;
  const TSymbolProperties& s = lm.SymbolProps;
  DrawLandMarkSymbolOnCanvas(C, P.X, P.Y, s.Kind, FDisplay.HighLightColorFG, FDisplay.HighLightColorBG, s.Size,
                             s.Direction, s.Length, FDisplay.HighLightTransparent);
}

void TGeoMap::DrawMouseTrace(int, int, TBitmap* Bitmap) {
  if (Bitmap) DrawTrace(Bitmap->Canvas(), CurrentView());
}

// Strokes of the trace: a point whose bit 0 is set ends its stroke, so no
// segment leads from it to the next; bit 1 draws the segment in XOR.
void TGeoMap::DrawTrace(TCanvas* C, const TMapView& View) const {
  const int n = std::min(FNumMTrace, static_cast<int>(FMTrace.size()));
  if (n < 1) return;
  const TColor penColor = C->Pen.Color;
  const int penWidth = C->Pen.Width;
  const TPenStyle penStyle = C->Pen.Style;
  const TBrushStyle brushStyle = C->Brush.Style;
  auto at = [&](const TColoredPoint& p) { return View.ImageToControl(TPoint{RoundedOrZero(p.X), RoundedOrZero(p.Y)}); };
  for (int i = 1; i < n; ++i) {
    const TColoredPoint& from = FMTrace[i - 1];
    const TColoredPoint& to = FMTrace[i];
    if (from.Flags & 1) continue;
    C->Pen.Color = to.Color;
    C->Pen.Mode = (to.Flags & 2) ? pmXor : pmCopy;
    const TPoint a = at(from), b = at(to);
    C->MoveTo(a.X, a.Y);
    C->LineTo(b.X, b.Y);
    C->Pen.Mode = pmCopy;
  }
  C->Pen.Color = penColor;
  C->Pen.Width = penWidth;
  C->Pen.Style = penStyle;
  C->Brush.Style = brushStyle;
}

void TGeoMap::SetHighLightProperties(TColor ColorFG, TColor ColorBG, bool Transparent) {
  FDisplay.HighLightColorFG = ColorFG;
  FDisplay.HighLightColorBG = ColorBG;
  FDisplay.HighLightTransparent = Transparent;
  Paint();
}

}  // namespace orq
