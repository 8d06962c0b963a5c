// TWinControl: the list of children and the window (peer) of a control.
#include <algorithm>

#include "orqplatform/Controls.h"
#include "orqplatform/Forms.h"

namespace orq {

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Child windows go with ours, before we let go of the children.
  DestroyHandle();
  // Children stay alive: their owners free them. They only lose us.
  for (TControl* child : FControls) child->FParent = nullptr;
  FControls.clear();
  FMouseChild = nullptr;
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* Control) {
  if (Control) Control->SetParent(this);
}

void TWinControl::RemoveControl(TControl* Control) {
  if (Control && Control->Parent() == this) Control->SetParent(nullptr);
}

void TWinControl::AttachChild(TControl* Control) {
  FControls.push_back(Control);
  Control->FParent = this;
  if (HandleAllocated()) {
    if (auto* win = dynamic_cast<TWinControl*>(Control))
      win->HandleNeeded();
    else if (auto* graphic = dynamic_cast<TGraphicControl*>(Control))
      GraphicPeerNeeded(graphic);
  }
  if (Control->Align() != alNone) Realign();
  Invalidate();
}

void TWinControl::DetachChild(TControl* Control) {
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  if (it == FControls.end()) return;
  if (FMouseChild == Control) FMouseChild = nullptr;
  if (auto* win = dynamic_cast<TWinControl*>(Control))
    win->DestroyHandle();
  else if (auto* graphic = dynamic_cast<TGraphicControl*>(Control))
    graphic->FPeer.reset();
  FControls.erase(it);
  Control->FParent = nullptr;
  // A windowless child held the mouse through our window.
  if (Control->FMouseCapture && !dynamic_cast<TWinControl*>(Control)) SetMouseCapture(false);
  Control->FMouseCapture = false;
  if (Control->Align() != alNone) Realign();
  Invalidate();
}

TControl* TWinControl::ControlAtPos(TPoint P, bool AllowDisabled, bool AllowWinControls) const {
  // Later children lie on top of earlier ones.
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
    if (!AllowWinControls && dynamic_cast<TWinControl*>(c)) continue;
    const TRect r = c->BoundsRect();
    if (P.X >= r.Left && P.X < r.Right && P.Y >= r.Top && P.Y < r.Bottom) return c;
  }
  return nullptr;
}

TCursor TWinControl::CursorAt(TPoint P) const {
  if (const TControl* c = ControlAtPos(P, true)) return c->Cursor();
  return Cursor();
}

void TWinControl::HandleNeeded() {
  if (HandleAllocated()) return;
  // A child window needs its parent's window first.
  if (Parent()) Parent()->HandleNeeded();
  if (HandleAllocated()) return;  // the parent created ours on the way
  CreateWnd();
  if (!FPeer) FPeer = std::make_unique<TNullPeer>();
  for (TControl* child : FControls) {
    if (auto* win = dynamic_cast<TWinControl*>(child))
      win->HandleNeeded();
    else if (auto* graphic = dynamic_cast<TGraphicControl*>(child))
      GraphicPeerNeeded(graphic);
  }
}

void TWinControl::GraphicPeerNeeded(TGraphicControl* Control) {
  if (!Control->FPeer) Control->FPeer = Application->HostBackend()->CreateGraphicPeer(Control);
}

void TWinControl::CreateWnd() {
  if (!FPeer) FPeer = Application->HostBackend()->CreatePeer(this);
}

void TWinControl::DestroyHandle() {
  if (!HandleAllocated()) return;
  for (TControl* child : FControls) {
    if (auto* win = dynamic_cast<TWinControl*>(child))
      win->DestroyHandle();
    else if (auto* graphic = dynamic_cast<TGraphicControl*>(child))
      graphic->FPeer.reset();
  }
  DestroyWnd();
  FPeer.reset();
}

void TWinControl::DestroyWnd() {}

void TWinControl::Invalidate() {
  TControl::Invalidate();
  if (FPeer) FPeer->Invalidate(ClientRect());
}

void TWinControl::Update() {
  TControl::Update();
  if (FPeer) FPeer->Update();
}

void TWinControl::SetMouseCapture(bool Value) {
  if (Value == MouseCapture()) return;
  FMouseCapture = Value;
  if (FPeer) FPeer->SetMouseCapture(Value);
}

}  // namespace orq
