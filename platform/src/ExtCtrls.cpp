// TPanel.
#include "orqplatform/ExtCtrls.h"

#include <algorithm>

#include "orqplatform/Canvas.h"

namespace orq {

namespace {

constexpr TColor kHighlight = 0xFFFFFF;
constexpr TColor kShadow = 0x808080;

// Width rings of a 3-D edge just inside R, which shrinks by Width. Raised
// edges are light on the top and left, lowered ones on the bottom and right.
void Frame3D(TCanvas* Canvas, TRect& R, TColor TopLeft, TColor BottomRight, int Width) {
  for (int i = 0; i < Width && R.Right - R.Left > 0 && R.Bottom - R.Top > 0; ++i) {
    const int right = R.Right - 1, bottom = R.Bottom - 1;
    Canvas->PlotSpan(R.Left, right, R.Top, TopLeft, pmCopy);
    for (int y = R.Top + 1; y <= bottom; ++y) Canvas->PlotPixel(R.Left, y, TopLeft, pmCopy);
    Canvas->PlotSpan(R.Left, right, bottom, BottomRight, pmCopy);
    for (int y = R.Top; y < bottom; ++y) Canvas->PlotPixel(right, y, BottomRight, pmCopy);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}

void DrawBevel(TCanvas* Canvas, TRect& R, TPanelBevel Bevel, int Width) {
  switch (Bevel) {
    case bvRaised: Frame3D(Canvas, R, kHighlight, kShadow, Width); break;
    case bvLowered: Frame3D(Canvas, R, kShadow, kHighlight, Width); break;
    case bvSpace: R = Rect(R.Left + Width, R.Top + Width, R.Right - Width, R.Bottom - Width); break;
    case bvNone: break;
  }
}

}  // namespace

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  Invalidate();
}

void TPanel::SetBevelWidth(int Value) {
  Value = std::max(Value, 1);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  Invalidate();
}

void TPanel::SetBorderWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Invalidate();
}

void TPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  const TBrush savedBrush = canvas->Brush;
  canvas->Brush.Color = Color();
  canvas->Brush.Style = bsSolid;
  canvas->FillRect(r);
  DrawBevel(canvas, r, FBevelOuter, FBevelWidth);
  r = Rect(r.Left + FBorderWidth, r.Top + FBorderWidth, r.Right - FBorderWidth, r.Bottom - FBorderWidth);
  DrawBevel(canvas, r, FBevelInner, FBevelWidth);
  if (!Caption().empty()) {
    const TPoint extent = canvas->TextExtent(Caption());
    canvas->Brush.Style = bsClear;
    canvas->TextOut(r.Left + (r.Width() - extent.X) / 2, r.Top + (r.Height() - extent.Y) / 2, Caption());
  }
  canvas->Brush = savedBrush;
}

}  // namespace orq
