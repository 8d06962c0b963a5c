#include "orqplatform/Controls.h"

#include <algorithm>

namespace orq {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) { FSurface.SetPixelFormat(pf24bit); }

TControl::~TControl() {
  if (FPeer) FPeer->Destroying(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft, FTop = ATop, FWidth = AWidth, FHeight = AHeight;
  if (resized) FSurface.SetSize(FWidth, FHeight);
  if (FPeer) FPeer->BoundsChanged(this);
  if (resized) Resize();
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (FPeer) FPeer->VisibleChanged(this);
  if (FParent) FParent->AlignControls();
  if (FVisible) Invalidate();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FParent) FParent->AlignControls();
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  if (FPeer) FPeer->CursorChanged(this);
}

void TControl::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::Invalidate() {
  if (!FVisible) return;
  if (ComponentState().contains(csLoading) || ComponentState().contains(csDestroying)) return;
  if (auto* win = dynamic_cast<TWinControl*>(this)) win->HandleNeeded();
  Paint();
  if (FPeer) FPeer->Invalidated(this);
}

void TControl::PaintTo(TCanvas* Canvas, int X, int Y) {
  if (!Canvas || !FVisible) return;
  Canvas->Draw(X, Y, &FSurface);
  if (auto* win = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < win->ControlCount(); ++i) {
      TControl* child = win->Controls(i);
      child->PaintTo(Canvas, X + child->FLeft, Y + child->FTop);
    }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) FLeftPressed = true;
  if (Shift.contains(ssDouble) && Button == mbLeft) DblClick();
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool click = Button == mbLeft && FLeftPressed && X >= 0 && Y >= 0 && X < FWidth && Y < FHeight;
  if (Button == mbLeft) FLeftPressed = false;
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
  if (click && FEnabled) Click();
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Children outlive their parent only when someone else owns them; they
  // lose their parent here.
  for (TControl* c : FControls) c->FParent = nullptr;
  FControls.clear();
}

void TWinControl::InsertControl(TControl* AControl) {
  if (!AControl || AControl->FParent == this || AControl == this) return;
  if (AControl->FParent) AControl->FParent->RemoveControl(AControl);
  FControls.push_back(AControl);
  AControl->FParent = this;
  HandleNeeded();
  AlignControls();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it == FControls.end()) return;
  FControls.erase(it);
  AControl->FParent = nullptr;
  AlignControls();
}

void TWinControl::Resize() {
  TControl::Resize();
  AlignControls();
}

void TWinControl::AlignControls() {
  TRect r = ClientRect();
  auto place = [](TControl* c, int l, int t, int w, int h) {
    // Bypass the parent's re-alignment while placing.
    const TAlign a = c->FAlign;
    c->FAlign = alNone;
    c->SetBounds(l, t, w, h);
    c->FAlign = a;
  };
  for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : FControls) {
      if (c->FAlign != pass || !c->FVisible) continue;
      const int w = std::max(r.Right - r.Left, 0), h = std::max(r.Bottom - r.Top, 0);
      switch (pass) {
        case alTop:
          place(c, r.Left, r.Top, w, std::min(c->FHeight, h));
          r.Top += c->FHeight;
          break;
        case alBottom:
          place(c, r.Left, r.Bottom - std::min(c->FHeight, h), w, std::min(c->FHeight, h));
          r.Bottom -= c->FHeight;
          break;
        case alLeft:
          place(c, r.Left, r.Top, std::min(c->FWidth, w), h);
          r.Left += c->FWidth;
          break;
        case alRight:
          place(c, r.Right - std::min(c->FWidth, w), r.Top, std::min(c->FWidth, w), h);
          r.Right -= c->FWidth;
          break;
        default:
          place(c, r.Left, r.Top, w, h);
          break;
      }
    }
  }
}

}  // namespace orq
