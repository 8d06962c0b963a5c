#include "orqbase/DrawFrame.h"

namespace orq {
namespace {

// One ring at the given inset: top and left in TopLeft, the rest in
// BottomRight. Each pixel is set once.
void Ring(TCanvas* C, int Left, int Top, int Right, int Bottom, TColor TopLeft, TColor BottomRight) {
  if (Right < Left || Bottom < Top) return;
  if (Right == Left || Bottom == Top) {  // a line: all in the bottom-right colour
    for (int y = Top; y <= Bottom; ++y) C->PlotSpan(Left, Right, y, BottomRight, pmCopy);
    return;
  }
  C->PlotSpan(Left, Right - 1, Top, TopLeft, pmCopy);
  for (int y = Top + 1; y < Bottom; ++y) C->PlotPixel(Left, y, TopLeft, pmCopy);
  C->PlotSpan(Left, Right, Bottom, BottomRight, pmCopy);
  for (int y = Top; y < Bottom; ++y) C->PlotPixel(Right, y, BottomRight, pmCopy);
}

}  // namespace

void DrawFrame(TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom, TColor Color1,
               TColor Color2, TColor Color3, TColor Color4, TColor Color5) {
  if (!Canvas) return;
  switch (Style) {
    case frSingle:
      Ring(Canvas, Left, Top, Right, Bottom, Color5, Color5);
      break;
    case frLowered:
      Ring(Canvas, Left, Top, Right, Bottom, Color3, Color1);
      break;
    case frRaised:
      Ring(Canvas, Left, Top, Right, Bottom, Color1, Color3);
      break;
    case frDoubleLowered:
      Ring(Canvas, Left, Top, Right, Bottom, Color3, Color1);
      Ring(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, Color4, Color2);
      break;
    case frDoubleRaised:
      Ring(Canvas, Left, Top, Right, Bottom, Color2, Color4);
      Ring(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, Color1, Color3);
      break;
    default:
      break;
  }
}

}  // namespace orq
