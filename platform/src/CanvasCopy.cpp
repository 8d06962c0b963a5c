// Block copies of TCanvas: CopyRect, Draw, StretchDraw.
#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/JPEGImage.h"
#include "orqplatform/StretchBlt.h"

namespace orq {
namespace {

// Runs Action with a canvas showing the graphic's pixels.
template <typename F>
void WithGraphicCanvas(TGraphic* Graphic, F&& Action) {
  if (auto* bmp = dynamic_cast<TBitmap*>(Graphic)) {
    Action(bmp->Canvas(), bmp->Width(), bmp->Height());
    return;
  }
  TBitmap temp;
  temp.Assign(Graphic);
  Action(temp.Canvas(), temp.Width(), temp.Height());
}

}  // namespace

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect) {
  if (!Source) return;
  StretchBlt(this, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source, SourceRect.Left, SourceRect.Top,
             SourceRect.Width(), SourceRect.Height(), FCopyMode);
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  WithGraphicCanvas(Graphic, [&](TCanvas* src, int w, int h) { StretchBlt(this, X, Y, w, h, src, 0, 0, w, h, FCopyMode); });
}

void TCanvas::StretchDraw(const TRect& Dest, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  WithGraphicCanvas(Graphic, [&](TCanvas* src, int w, int h) {
    StretchBlt(this, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, 0, 0, w, h, FCopyMode);
  });
}

}  // namespace orq
