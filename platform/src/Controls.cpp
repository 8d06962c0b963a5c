// TControl: bounds, visibility, appearance properties and painting marks.
#include "orqplatform/Controls.h"

#include <algorithm>

#include "orqplatform/Forms.h"
#include "orqplatform/Menus.h"

namespace orq {

namespace {

// Windows that were hidden dropped their paints; showing them again
// repaints the whole tree.
void InvalidateTree(TControl* Control) {
  Control->Invalidate();
  if (auto* win = dynamic_cast<TWinControl*>(Control))
    for (int i = 0; i < win->ControlCount(); ++i)
      if (win->Controls(i)->Visible()) InvalidateTree(win->Controls(i));
}

}  // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
}

TControl::~TControl() {
  // TWinControl's destructor has already detached our children; here we
  // leave our parent and every list that may still point at us.
  SetParent(nullptr);
  Application->ControlDestroyed(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot be its own parent");
  for (const TWinControl* p = AParent; p != nullptr; p = p->FParent)
    if (p == this) throw EInvalidOperation("A control cannot be a parent of its own parent");
  if (FParent) FParent->DetachChild(this);
  if (AParent) AParent->AttachChild(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if ((AWidth != FWidth || AHeight != FHeight) && FOnCanResize) {
    bool allowed = true;
    FOnCanResize(this, AWidth, AHeight, allowed);
    if (!allowed) {
      AWidth = FWidth;
      AHeight = FHeight;
    }
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
  }
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  PeerChanged(pcBounds);
  if (resized) {
    SizeChanged();
    if (auto* self = dynamic_cast<TWinControl*>(this)) self->Realign();
  }
  // A moved or resized aligned child may push its siblings around.
  if (FParent && FAlign != alNone) FParent->ChildAlignChanged(this);
  if (resized) {
    Invalidate();
    Resize();
  } else if (FParent && !dynamic_cast<TWinControl*>(this)) {
    FParent->Invalidate();  // a windowless control moved over its parent
  }
}

TPoint TControl::ClientToParent(TPoint P, TWinControl* Ancestor) const {
  const TControl* c = this;
  while (c != nullptr && c != Ancestor) {
    P.X += c->FLeft;
    P.Y += c->FTop;
    c = c->FParent;
  }
  if (Ancestor != nullptr && c != Ancestor)
    throw EInvalidOperation("Control \"" + Name() + "\" is not inside the given ancestor");
  return P;
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FParent) FParent->ChildAlignChanged(this);
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  PeerChanged(pcVisible);
  if (FParent) {
    if (FAlign != alNone) FParent->ChildAlignChanged(this);
    if (!dynamic_cast<TWinControl*>(this)) FParent->Invalidate();
  }
  if (FVisible) InvalidateTree(this);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (!FEnabled && FMouseCapture) SetMouseCapture(false);
  PeerChanged(pcEnabled);
  Invalidate();
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  PeerChanged(pcCursor);
}

TPopupMenu* TControl::PopupMenu() const { return FPopupMenuAlive.expired() ? nullptr : FPopupMenu; }

void TControl::SetPopupMenu(TPopupMenu* Value) {
  FPopupMenu = Value;
  FPopupMenuAlive = Value ? Value->LifeToken() : std::weak_ptr<const int>();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  PeerChanged(pcColor);
  Invalidate();
}

void TControl::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  PeerChanged(pcCaption);
  Invalidate();
}

void TControl::SetHint(const std::string& Value) {
  if (Value == FHint) return;
  FHint = Value;
  PeerChanged(pcHint);
}

bool TControl::ShowHint() const {
  if (FParentShowHint && FParent) return FParent->ShowHint();
  return FShowHint;
}

void TControl::SetParentShowHint(bool Value) {
  if (Value == FParentShowHint) return;
  FParentShowHint = Value;
  PeerChanged(pcHint);
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (Value == FShowHint) return;
  FShowHint = Value;
  PeerChanged(pcHint);
}

void TControl::Invalidate() {
  if (FPaintPending) return;
  FPaintPending = true;
  Application->PaintRequested(this);
}

void TControl::Update() {
  if (!FPaintPending) return;
  // A hidden control is not painted; showing it again invalidates it.
  if (Showing())
    PaintNow();
  else
    Application->PaintDone(this);
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::PaintNow() {
  FPaintPending = false;
  Application->PaintDone(this);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::PeerChanged(TPeerChange What) const {
  if (TControlPeer* peer = WindowPeer()) peer->Changed(What);
}

bool TControl::InClientRect(int X, int Y) const {
  const TRect r = ClientRect();
  return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom;
}

}  // namespace orq
