// TSpeedButton: group logic, mouse handling and drawing.
#include "orqplatform/Buttons.h"

#include <algorithm>

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"

namespace orq {

namespace {

constexpr TColor kHighlight = 0xFFFFFF;
constexpr TColor kShadow = 0x808080;

void Edge(TCanvas* Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const int right = R.Right - 1, bottom = R.Bottom - 1;
  Canvas->PlotSpan(R.Left, right, R.Top, TopLeft, pmCopy);
  for (int y = R.Top + 1; y <= bottom; ++y) Canvas->PlotPixel(R.Left, y, TopLeft, pmCopy);
  Canvas->PlotSpan(R.Left, right, bottom, BottomRight, pmCopy);
  for (int y = R.Top; y < bottom; ++y) Canvas->PlotPixel(right, y, BottomRight, pmCopy);
}

}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  // Clicks come from our own press and release handling.
  FControlStyle = {csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

TButtonState TSpeedButton::RestingState() const {
  if (!Enabled()) return bsDisabled;
  return FDown ? bsExclusive : bsUp;
}

void TSpeedButton::SetState(TButtonState Value) {
  if (Value == FState) return;
  FState = Value;
  StyleChanged();
}

void TSpeedButton::StyleChanged() {
  PeerChanged(pcStyle);
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FGroupIndex == 0 && FDown) {
    FDown = false;
    SetState(RestingState());
  }
  UpdateExclusive();
  PeerChanged(pcStyle);
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  SetState(RestingState());
  PeerChanged(pcStyle);  // also when disabled, where the state stays
  if (FDown) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
  PeerChanged(pcStyle);
}

// Tells the rest of the group what this button now is: a down button puts
// the others up, and the group takes this button's AllowAllUp.
void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || Parent() == nullptr) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other == nullptr || other == this || other->FGroupIndex != FGroupIndex) continue;
    if (FDown && other->FDown) {
      other->FDown = false;
      other->SetState(other->RestingState());
      other->PeerChanged(pcStyle);
    }
    if (other->FAllowAllUp != FAllowAllUp) {
      other->FAllowAllUp = FAllowAllUp;
      other->PeerChanged(pcStyle);
    }
  }
}

void TSpeedButton::SetParent(TWinControl* AParent) {
  TGraphicControl::SetParent(AParent);
  if (FDown) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  StyleChanged();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  const int w = FGlyph->Width(), h = FGlyph->Height();
  if (h > 0 && w % h == 0 && w / h >= 1 && w / h <= 4) FNumGlyphs = w / h;
  StyleChanged();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  StyleChanged();
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (!FDown)
      SetDown(true);
    else if (FAllowAllUp)
      SetDown(false);
  }
  TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = LifeToken();
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (alive.expired()) return;  // the handler freed us
  if (Button != mbLeft || !Enabled()) return;
  FDragging = true;
  if (!FDown) SetState(bsDown);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  const auto alive = LifeToken();
  TGraphicControl::MouseMove(Shift, X, Y);
  if (alive.expired()) return;  // the handler freed us
  if (!FDragging) return;
  // Pressed while the pointer is over the button, resting while it is not.
  SetState(!FDown && InClientRect(X, Y) ? bsDown : RestingState());
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto alive = LifeToken();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (alive.expired()) return;  // the handler freed us
  if (Button != mbLeft || !FDragging) return;
  FDragging = false;
  const bool inside = InClientRect(X, Y);
  SetState(RestingState());
  if (inside) Click();
}

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  const TBrush savedBrush = canvas->Brush;
  canvas->Brush.Color = Color();
  canvas->Brush.Style = bsSolid;
  canvas->FillRect(client);

  const TButtonState state = State();
  const bool pressed = state == bsDown || state == bsExclusive;
  if (pressed)
    Edge(canvas, client, kShadow, kHighlight);
  else if (!FFlat)
    Edge(canvas, client, kHighlight, kShadow);
  const int shift = pressed ? 1 : 0;

  // The glyph's bottom-left pixel is its transparent colour.
  int glyphWidth = 0;
  if (!FGlyph->Empty()) {
    const int images = std::min(FNumGlyphs, std::max(FGlyph->Width(), 1));
    glyphWidth = FGlyph->Width() / images;
    const int image = static_cast<int>(state) < images ? static_cast<int>(state) : 0;
    const int glyphHeight = FGlyph->Height();
    const TColor transparent = FGlyph->ScanLine(glyphHeight - 1)[0];
    const int textWidth = Caption().empty() ? 0 : canvas->TextWidth(Caption()) + 4;
    const int x0 = (client.Width() - glyphWidth - textWidth) / 2 + shift;
    const int y0 = (client.Height() - glyphHeight) / 2 + shift;
    for (int y = 0; y < glyphHeight; ++y) {
      const uint32_t* row = FGlyph->ScanLine(y) + image * glyphWidth;
      for (int x = 0; x < glyphWidth; ++x)
        if (row[x] != transparent) canvas->PlotPixel(x0 + x, y0 + y, row[x], pmCopy);
    }
    glyphWidth += 4;
  }
  if (!Caption().empty()) {
    const TPoint extent = canvas->TextExtent(Caption());
    const int x = (client.Width() - glyphWidth - extent.X) / 2 + glyphWidth + shift;
    canvas->Brush.Style = bsClear;
    canvas->TextOut(x, (client.Height() - extent.Y) / 2 + shift, Caption());
  }
  canvas->Brush = savedBrush;
}

}  // namespace orq
