// Mouse and resize events from Qt widgets to their controls.
#include "MouseRelay.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include "QtPeer.h"

namespace orq::qt::detail {

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
  TShiftState shift;
  if (Modifiers & Qt::ShiftModifier) shift.insert(ssShift);
  if (Modifiers & Qt::AltModifier) shift.insert(ssAlt);
  if (Modifiers & Qt::ControlModifier) shift.insert(ssCtrl);
  if (Buttons & Qt::LeftButton) shift.insert(ssLeft);
  if (Buttons & Qt::RightButton) shift.insert(ssRight);
  if (Buttons & Qt::MiddleButton) shift.insert(ssMiddle);
  return shift;
}

bool ButtonOf(Qt::MouseButton Button, TMouseButton& Result) {
  switch (Button) {
    case Qt::LeftButton:
      Result = mbLeft;
      return true;
    case Qt::RightButton:
      Result = mbRight;
      return true;
    case Qt::MiddleButton:
      Result = mbMiddle;
      return true;
    default:
      return false;  // back/forward buttons have no message of their own
  }
}

TPoint ControlPoint(QWidget* Widget, QPointF Position) {
  const double scale = DeviceScale(Widget);
  return TPoint{ToDevice(Position.x(), scale), ToDevice(Position.y(), scale)};
}

}  // namespace

void RelayPress(TControlLink& Link, QWidget* Widget, QMouseEvent* Event, bool DoubleClick) {
  TControl* control = Link.LinkedControl();
  TMouseButton button;
  if (control == nullptr || !ButtonOf(Event->button(), button)) return;
  TShiftState shift = ShiftOf(Event->modifiers(), Event->buttons());
  if (DoubleClick) shift.insert(ssDouble);
  const TPoint p = ControlPoint(Widget, Event->position());
  control->DispatchMouseDown(button, shift, p.X, p.Y);
  Event->accept();
}

void RelayMove(TControlLink& Link, QWidget* Widget, QMouseEvent* Event) {
  TControl* control = Link.LinkedControl();
  if (control == nullptr) return;
  const TPoint p = ControlPoint(Widget, Event->position());
  control->DispatchMouseMove(ShiftOf(Event->modifiers(), Event->buttons()), p.X, p.Y);
  if (TQtPeer* peer = Link.LinkedPeer()) peer->ShowCursorAt(p);  // a handler may have freed the control
  Event->accept();
}

void RelayRelease(TControlLink& Link, QWidget* Widget, QMouseEvent* Event) {
  TControl* control = Link.LinkedControl();
  TMouseButton button;
  if (control == nullptr || !ButtonOf(Event->button(), button)) return;
  const TPoint p = ControlPoint(Widget, Event->position());
  control->DispatchMouseUp(button, ShiftOf(Event->modifiers(), Event->buttons()), p.X, p.Y);
  Event->accept();
}

void RelayWheel(TControlLink& Link, QWidget* Widget, QWheelEvent* Event) {
  TControl* control = Link.LinkedControl();
  if (control == nullptr) return;
  const int delta = Event->angleDelta().y();
  if (delta != 0)
    control->DispatchMouseWheel(ShiftOf(Event->modifiers(), Event->buttons()), delta,
                                ControlPoint(Widget, Event->position()));
  // The control hands an unhandled turn to its parent control itself.
  Event->accept();
}

void RelayResize(TControlLink& Link, QWidget* Widget) {
  TControl* control = Link.LinkedControl();
  if (control == nullptr || control->Parent() != nullptr) return;  // children follow their parent's layout
  const double scale = DeviceScale(Widget);
  const int width = ToDevice(Widget->width(), scale), height = ToDevice(Widget->height(), scale);
  if (width != control->Width() || height != control->Height())
    control->SetBounds(control->Left(), control->Top(), width, height);
}

}  // namespace orq::qt::detail
