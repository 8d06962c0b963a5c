#include "orqplatform/StdCtrls.h"

#include <algorithm>

namespace orq {

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Invalidate();
}

void TPanel::Paint() {
  TCanvas* c = Canvas();
  c->Brush.Color = Color();
  c->Brush.Style = bsSolid;
  c->FillRect(ClientRect());
  if (FBevelOuter == bvLowered || FBevelOuter == bvRaised) {
    const TColor light = clWhite, dark = clGray;
    const TColor tl = FBevelOuter == bvRaised ? light : dark, br = FBevelOuter == bvRaised ? dark : light;
    const int r = Width() - 1, b = Height() - 1;
    if (r >= 0 && b >= 0) {
      c->PlotSpan(0, r - 1, 0, tl, pmCopy);
      for (int y = 1; y < b; ++y) c->PlotPixel(0, y, tl, pmCopy);
      c->PlotSpan(0, r, b, br, pmCopy);
      for (int y = 0; y < b; ++y) c->PlotPixel(r, y, br, pmCopy);
    }
  }
  if (!Caption().empty()) {
    c->Brush.Style = bsClear;
    const TPoint e = c->TextExtent(Caption());
    c->TextOut((Width() - e.X) / 2, (Height() - e.Y) / 2, Caption());
  }
}

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 145, 21); }

void TComboBox::ClearItems() {
  FItems.clear();
  FItemIndex = -1;
  Invalidate();
}

void TComboBox::ItemsChanged() {
  if (FItemIndex >= static_cast<int>(FItems.size())) FItemIndex = -1;
  Invalidate();
}

void TComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= static_cast<int>(FItems.size())) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  if (Value >= 0) FText = FItems[static_cast<size_t>(Value)];
  Invalidate();
}

std::string TComboBox::Text() const {
  if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FItems.size())) return FItems[static_cast<size_t>(FItemIndex)];
  return FStyle == csDropDownList ? std::string() : FText;
}

void TComboBox::SetText(const std::string& Value) {
  // A drop-down list can only show one of its items.
  auto it = std::find(FItems.begin(), FItems.end(), Value);
  if (it != FItems.end()) {
    SetItemIndex(static_cast<int>(it - FItems.begin()));
    return;
  }
  if (FStyle == csDropDownList) return;
  FItemIndex = -1;
  FText = Value;
  Invalidate();
}

void TComboBox::UserSelect(int Index) {
  const int before = FItemIndex;
  SetItemIndex(Index);
  FDroppedDown = false;
  if (FItemIndex != before) Change();
}

void TComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TComboBox::Paint() {
  TCanvas* c = FSurface.Canvas();
  c->Brush.Color = clWhite;
  c->Brush.Style = bsSolid;
  c->Pen.Color = clGray;
  c->Pen.Style = psSolid;
  c->Pen.Mode = pmCopy;
  c->Pen.Width = 1;
  c->Rectangle(0, 0, Width(), Height());
  const std::string text = Text();
  if (!text.empty()) {
    c->Brush.Style = bsClear;
    c->TextOut(3, (Height() - c->TextHeight(text)) / 2, text);
  }
}

}  // namespace orq
