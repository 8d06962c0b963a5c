// The link between a control and the Qt widget that shows it. Each side can
// go first: a control freed by its owner takes its widget with it (later,
// since it may be inside one of the widget's own event handlers); a widget
// freed by Qt (its window closed) drops the control's window, and frees the
// control when the widget owns it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "orqplatform/ControlPeer.h"
#include "orqplatform/Controls.h"

namespace orq::qt::detail {

class TQtPeer;

// What every widget of ours knows of its control. Widget classes inherit it
// beside their Qt base and call Unlink() first thing in their destructor.
class TControlLink {
 public:
  TControl* LinkedControl() const { return FControl; }
  TQtPeer* LinkedPeer() const { return FPeer; }
  // The widget frees the control when it goes (Embed of an unowned control).
  void SetOwnsControl(bool Value) { FOwnsControl = Value; }
  // Set while the widget paints: the control's Update() then composes
  // without asking the widget to paint again.
  bool Painting() const { return FPainting; }
  void SetPainting(bool Value) { FPainting = Value; }

 protected:
  // Tells the peer its widget is gone, then drops or frees the control.
  void Unlink();

 private:
  friend class TQtPeer;
  TControl* FControl = nullptr;
  TQtPeer* FPeer = nullptr;
  bool FOwnsControl = false;
  bool FPainting = false;
};

// Control pixels are device pixels; widget geometry is in Qt's logical
// pixels. One place converts.
double DeviceScale(const QWidget* Widget);
int ToDevice(double Logical, double Scale);
int ToLogical(int Device, double Scale);
QRect ToLogical(const TRect& R, double Scale);

class TQtPeer : public TControlPeer {
 public:
  // Widget must also be a TControlLink; the peer takes it over.
  TQtPeer(TControl* Control, QWidget* Widget, TControlLink* Link);
  ~TQtPeer() override;

  // Shows every property of the control; the factories call it once the
  // peer is complete (a constructor cannot reach the subclass's part).
  void ShowAll();

  QWidget* Widget() const { return FWidget.data(); }
  TControl* Control() const { return FControl; }

  void Changed(TPeerChange What) override;
  void Invalidate(const TRect& R) override;
  void Update() override;
  void SetMouseCapture(bool Capture) override;

  // Shows the cursor the control asks for at the pointer (Screen's cursor
  // table may have changed), or at At (control pixels).
  void RefreshCursor();
  void ShowCursorAt(TPoint At);
  // The widget is being destroyed by Qt.
  void WidgetGone();

 protected:
  // What a subclass shows beyond bounds, visibility, enabling and hints.
  virtual void ShowChange(TPeerChange What) {}
  // Widget position and size from the control's bounds.
  void ApplyBounds();

 private:
  TControl* FControl;
  QPointer<QWidget> FWidget;
  TControlLink* FLink;
  TCursor FShownCursor = crDefault;
  bool FCursorShown = false;
};

// The widget that shows Parent's window (nullptr for none).
QWidget* ParentWidget(const TControl* Control);

}  // namespace orq::qt::detail
