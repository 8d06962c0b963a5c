#include "orqplatform/Buttons.h"

#include <algorithm>

namespace orq {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FGlyph.SetPixelFormat(pf24bit);
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  // In a group that must keep one button down, only another button's
  // going down puts this one up.
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (FDown) UpdateExclusive();
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FGroupIndex == 0) FDown = false;
  if (FDown) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  TWinControl* parent = Parent();
  if (!parent || FGroupIndex == 0) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
      other->FDown = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph.Assign(Value);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (!FDown) {
      SetDown(true);
    } else if (FAllowAllUp) {
      SetDown(false);
    }
  }
  TGraphicControl::Click();
}

void TSpeedButton::Paint() {
  TCanvas* c = Canvas();
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  c->Brush.Style = bsSolid;
  c->Brush.Color = FDown ? 0xE0E0E0 : Color();
  c->FillRect(ClientRect());
  if (!FFlat || FDown) {
    const TColor tl = FDown ? clGray : clWhite, br = FDown ? clWhite : clGray;
    c->PlotSpan(0, w - 2, 0, tl, pmCopy);
    for (int y = 1; y < h - 1; ++y) c->PlotPixel(0, y, tl, pmCopy);
    c->PlotSpan(0, w - 1, h - 1, br, pmCopy);
    for (int y = 0; y < h - 1; ++y) c->PlotPixel(w - 1, y, br, pmCopy);
  }
  if (FGlyph.Empty()) return;
  // Image index: 0 up, 1 disabled, 2 clicked, 3 down.
  int index = 0;
  if (!Enabled() && FNumGlyphs > 1) index = 1;
  else if (FDown && FNumGlyphs > 3) index = 3;
  else if (FDown && FNumGlyphs > 2) index = 2;
  const int gw = FGlyph.Width() / FNumGlyphs, gh = FGlyph.Height();
  const int ox = (w - gw) / 2 + (FDown ? 1 : 0), oy = (h - gh) / 2 + (FDown ? 1 : 0);
  // The bottom-left pixel marks the transparent colour.
  const TColor transparent = FGlyph.ScanLine(gh - 1)[0];
  for (int y = 0; y < gh; ++y) {
    const uint32_t* row = FGlyph.ScanLine(y) + index * gw;
    for (int x = 0; x < gw; ++x)
      if (row[x] != transparent) c->PlotPixel(ox + x, oy + y, row[x], pmCopy);
  }
}

}  // namespace orq
