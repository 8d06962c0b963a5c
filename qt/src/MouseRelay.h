// Qt's mouse events as the window-system messages the controls take
// (DispatchMouseDown/Move/Up, DispatchMouseWheel), in control pixels.
#pragma once

class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace orq::qt::detail {

class TControlLink;

void RelayPress(TControlLink& Link, QWidget* Widget, QMouseEvent* Event, bool DoubleClick);
void RelayMove(TControlLink& Link, QWidget* Widget, QMouseEvent* Event);
void RelayRelease(TControlLink& Link, QWidget* Widget, QMouseEvent* Event);
void RelayWheel(TControlLink& Link, QWidget* Widget, QWheelEvent* Event);
// A top-level control takes the size its widget was given.
void RelayResize(TControlLink& Link, QWidget* Widget);

}  // namespace orq::qt::detail
