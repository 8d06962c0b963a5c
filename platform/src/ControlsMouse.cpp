// Mouse events: the raw handlers, and the dispatch that turns window-system
// mouse messages into clicks, double clicks and capture.
#include "orqplatform/Controls.h"

namespace orq {

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown && !FControlStyle.contains(csNoStdEvents)) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove && !FControlStyle.contains(csNoStdEvents)) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp && !FControlStyle.contains(csNoStdEvents)) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::SetMouseCapture(bool Value) { FMouseCapture = Value; }

void TControl::DispatchMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!FEnabled) return;
  if (Button == mbLeft && FControlStyle.contains(csCaptureMouse)) SetMouseCapture(true);
  if (Shift.contains(ssDouble)) {
    // The second press of a double click makes no Click of its own.
    FClicked = false;
    if (FControlStyle.contains(csDoubleClicks)) {
      const auto alive = LifeToken();
      DblClick();
      if (alive.expired()) return;  // the handler freed us
    }
  } else if (Button == mbLeft && FControlStyle.contains(csClickEvents)) {
    FClicked = true;
  }
  MouseDown(Button, Shift, X, Y);
}

void TControl::DispatchMouseMove(TShiftState Shift, int X, int Y) {
  if (!FEnabled) return;
  MouseMove(Shift, X, Y);
}

void TControl::DispatchMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!FEnabled) return;
  if (Button == mbLeft) {
    if (FMouseCapture) SetMouseCapture(false);
    if (FClicked) {
      FClicked = false;
      if (InClientRect(X, Y)) {
        const auto alive = LifeToken();
        Click();
        if (alive.expired()) return;  // the handler freed us
      }
    }
  }
  MouseUp(Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (FOnMouseWheel) FOnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) {
    if (WheelDelta < 0 && FOnMouseWheelDown)
      FOnMouseWheelDown(this, Shift, MousePos, handled);
    else if (WheelDelta > 0 && FOnMouseWheelUp)
      FOnMouseWheelUp(this, Shift, MousePos, handled);
  }
  return handled;
}

bool TControl::DispatchMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (FEnabled && DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (FParent == nullptr) return false;
  return FParent->DispatchMouseWheel(Shift, WheelDelta, Point(MousePos.X + FLeft, MousePos.Y + FTop));
}

// A windowless child under the pointer takes the press and keeps every
// message until the release, wherever the pointer goes meanwhile.

void TWinControl::DispatchMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Enabled()) return;
  if (FMouseChild == nullptr) FMouseChild = ControlAtPos(Point(X, Y));
  if (TControl* child = FMouseChild) {
    child->DispatchMouseDown(Button, Shift, X - child->Left(), Y - child->Top());
    return;
  }
  TControl::DispatchMouseDown(Button, Shift, X, Y);
}

void TWinControl::DispatchMouseMove(TShiftState Shift, int X, int Y) {
  if (!Enabled()) return;
  TControl* child = FMouseChild ? FMouseChild : ControlAtPos(Point(X, Y));
  if (child) {
    child->DispatchMouseMove(Shift, X - child->Left(), Y - child->Top());
    return;
  }
  TControl::DispatchMouseMove(Shift, X, Y);
}

void TWinControl::DispatchMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Enabled()) return;
  if (TControl* child = FMouseChild) {
    // The child keeps the mouse while another button is still held.
    if ((Shift * TShiftState{ssLeft, ssRight, ssMiddle}).empty()) FMouseChild = nullptr;
    child->DispatchMouseUp(Button, Shift, X - child->Left(), Y - child->Top());
    return;
  }
  TControl::DispatchMouseUp(Button, Shift, X, Y);
}

}  // namespace orq
