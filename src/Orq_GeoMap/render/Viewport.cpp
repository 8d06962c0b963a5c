// TGeoMap's viewport: magnification and TopLeft, fitting and centring, the
// zoom history ring, the zoom/pan notification and the copy of the view to
// the clipboard.
#include <algorithm>
#include <cmath>

#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Clipboard.h"

namespace orq {

double TGeoMap::ClampedMagnification(double value) {
  return std::clamp(value, MinMagnification, MaxMagnification);
}

void TGeoMap::SetMagnification(double value) {
  if (std::isnan(value)) return;
  FViewport.Magnification = ClampedMagnification(value);
  Paint();
}

void TGeoMap::SetTopLeft(TPoint value) {
  FViewport.TopLeft = value;
  Paint();
}

void TGeoMap::ZoomFitPage() {
  if (FMapImgWidth <= 0 || FMapImgHeight <= 0) return;
  const double m = std::min(static_cast<double>(Height()) / FMapImgHeight, static_cast<double>(Width()) / FMapImgWidth);
  // A control of no area would give 0, a magnification nothing can be
  // converted with.
  if (!(m > 0)) return;
  FViewport.Magnification = m;
  SetTopLeft(TPoint{0, 0});
}

void TGeoMap::BringMapPixelToCenter(TPoint APoint) {
  const double m = FViewport.Magnification;
  FViewport.TopLeft = TPoint{APoint.X - RoundedOrZero(Width() / m / 2), APoint.Y - RoundedOrZero(Height() / m / 2)};
  PanMapToFillWindow();
  Paint();
}

void TGeoMap::BringLocationToCenter(double Latitude, double Longitude) {
  int x = 0, y = 0;
  if (!CalcPixelCoords(Latitude, Longitude, x, y)) return;
  const double m = FViewport.Magnification;
  const int a = RoundedOrZero(Width() / m / 2), b = RoundedOrZero(Height() / m / 2);
  // Lowered first so that an image narrower than the window still starts
  // at its left edge.
  const int left = std::max(std::min(x - a, GrafBmp->Width() - 2 * a), 0);
  const int top = std::max(std::min(y - b, GrafBmp->Height() - 2 * b), 0);
  FViewport.TopLeft = TPoint{left, top};
  Paint();
}

// ---- zoom history ------------------------------------------------------------

int TGeoMap::ZoomSlot(int RelIndex) const {
  if (RelIndex < 1 - ZoomStackSize || RelIndex > 0) return -1;
  int slot = FViewport.ZStackPoi + RelIndex - 1;
  if (slot < 1) slot += ZoomStackSize;
  return slot - 1;
}

void TGeoMap::ZoomStateOnStack() {
  if (ComponentState().contains(csLoading)) return;
  FViewport.ZoomStack[FViewport.ZStackPoi - 1] =
      TgmZoomStackEntry{FViewport.TopLeft.X, FViewport.TopLeft.Y, FViewport.Magnification};
  FViewport.ZStackPoi = FViewport.ZStackPoi % ZoomStackSize + 1;
}

void TGeoMap::ClearZoomHistory() {
  FViewport.ZoomStack.fill(TgmZoomStackEntry{});
  FViewport.ZStackPoi = 1;
  ZoomStateOnStack();
}

void TGeoMap::ZoomHistory(int Index) {
  const int slot = ZoomSlot(Index);
  if (slot < 0) return;
  const TgmZoomStackEntry& e = FViewport.ZoomStack[slot];
  if (e.IsEmpty()) return;
  FViewport.TopLeft = TPoint{e.Left, e.Top};
  FViewport.Magnification = e.MagF;
  Paint();
}

TgmZoomStackEntry TGeoMap::GetZoomStackEntry(int StackIx) const {
  const int slot = ZoomSlot(StackIx);
  return slot < 0 ? TgmZoomStackEntry{} : FViewport.ZoomStack[slot];
}

void TGeoMap::DoZoomPanEvent() {
  if (FOnZoomPan) FOnZoomPan(this);
}

// ---- clipboard -----------------------------------------------------------------

void TGeoMap::CopyToClipboard() {
  const int w = Width(), h = Height();
  TBitmap view;
  view.SetSize(w, h);
  TCanvas* c = view.Canvas();
  // White wherever the composed picture does not reach (nothing composed yet).
  c->Brush.Style = bsSolid;
  c->Brush.Color = 0xFFFFFF;
  c->FillRect(TRect{0, 0, w, h});
  // The whole picture, outermost row and column included; the border below
  // then replaces the frame's inner line.
  c->SetCopyMode(cmSrcCopy);
  c->CopyRect(TRect{0, 0, w, h}, FAuxBmp->Canvas(), TRect{0, 0, w, h});
  c->Pen.Color = 0;
  c->Pen.Mode = pmCopy;
  c->Pen.Style = psSolid;
  c->Pen.Width = 1;
  c->MoveTo(1, 1);
  c->LineTo(w - 2, 1);
  c->LineTo(w - 2, h - 2);
  c->LineTo(1, h - 2);
  c->LineTo(1, 1);
  Clipboard()->Assign(&view);
}

}  // namespace orq
