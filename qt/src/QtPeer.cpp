// TQtPeer: the common part of every native peer.
#include "QtPeer.h"

#include <QGuiApplication>
#include <cmath>

#include "Backend.h"
#include "Cursors.h"
#include "orqcarta/Orq_QtHost.h"

namespace orq::qt {

namespace detail {

double DeviceScale(const QWidget* Widget) {
  const double scale = Widget ? Widget->devicePixelRatioF() : 1.0;
  return scale > 0 ? scale : 1.0;
}

int ToDevice(double Logical, double Scale) { return static_cast<int>(std::lround(Logical * Scale)); }

int ToLogical(int Device, double Scale) { return static_cast<int>(std::lround(Device / Scale)); }

QRect ToLogical(const TRect& R, double Scale) {
  const int left = static_cast<int>(std::floor(R.Left / Scale));
  const int top = static_cast<int>(std::floor(R.Top / Scale));
  const int right = static_cast<int>(std::ceil(R.Right / Scale));
  const int bottom = static_cast<int>(std::ceil(R.Bottom / Scale));
  return QRect(left, top, right - left, bottom - top);
}

void TControlLink::Unlink() {
  TQtPeer* peer = FPeer;
  TControl* control = FControl;
  FPeer = nullptr;
  FControl = nullptr;
  if (peer) peer->WidgetGone();
  if (control == nullptr) return;
  if (FOwnsControl) {
    delete control;
  } else if (auto* win = dynamic_cast<TWinControl*>(control)) {
    win->DestroyHandle();  // a later window comes from the backend again
  }
}

QWidget* ParentWidget(const TControl* Control) { return Control->Parent() ? WidgetOf(Control->Parent()) : nullptr; }

TQtPeer::TQtPeer(TControl* Control, QWidget* Widget, TControlLink* Link)
    : FControl(Control), FWidget(Widget), FLink(Link) {
  FLink->FControl = Control;
  FLink->FPeer = this;
  Widget->setMouseTracking(true);
  if (TQtBackend* backend = TQtBackend::Instance()) backend->PeerCreated(this);
}

void TQtPeer::ShowAll() {
  for (TPeerChange what :
       {pcBounds, pcEnabled, pcHint, pcCaption, pcColor, pcItems, pcItemIndex, pcStyle, pcCursor, pcVisible})
    Changed(what);
}

TQtPeer::~TQtPeer() {
  if (TQtBackend* backend = TQtBackend::Instance()) backend->PeerDestroyed(this);  // the Host may be gone
  if (!FWidget) return;
  FLink->FControl = nullptr;
  FLink->FPeer = nullptr;
  // The control may be going away inside one of the widget's own event
  // handlers: hide the widget now, free it when the event is done.
  FWidget->hide();
  FWidget->setParent(nullptr);
  FWidget->deleteLater();
}

void TQtPeer::WidgetGone() { FWidget.clear(); }

void TQtPeer::ApplyBounds() {
  if (!FWidget) return;
  const double scale = DeviceScale(FWidget);
  const int width = ToLogical(FControl->Width(), scale), height = ToLogical(FControl->Height(), scale);
  if (FWidget->parentWidget() && FControl->Parent()) {
    FWidget->setGeometry(ToLogical(FControl->Left(), scale), ToLogical(FControl->Top(), scale), width, height);
  } else if (FWidget->width() != width || FWidget->height() != height) {
    // A top-level control: whoever holds the widget (a layout) places it.
    FWidget->resize(width, height);
  }
}

void TQtPeer::Changed(TPeerChange What) {
  if (!FWidget) return;
  switch (What) {
    case pcBounds:
    case pcParent:
      ApplyBounds();
      break;
    case pcVisible:
      // A widget without a parent would become a window of its own:
      // showing it is for whoever embedded it.
      if (!FControl->Visible())
        FWidget->hide();
      else if (FWidget->parentWidget())
        FWidget->show();
      break;
    case pcEnabled:
      FWidget->setEnabled(FControl->Enabled());
      break;
    case pcHint:
      FWidget->setToolTip(FControl->ShowHint() ? QString::fromStdString(FControl->Hint()) : QString());
      break;
    case pcCursor:
      RefreshCursor();
      break;
    default:
      break;
  }
  ShowChange(What);
}

void TQtPeer::Invalidate(const TRect& R) {
  if (FWidget) FWidget->update(ToLogical(R, DeviceScale(FWidget)));
}

void TQtPeer::Update() {
  if (FWidget && FWidget->isVisible() && !FLink->Painting()) FWidget->repaint();
}

void TQtPeer::SetMouseCapture(bool Capture) {
  // Qt grabs the mouse for a widget while a button is held; an explicit
  // grab adds the moves outside it. The offscreen platform has no grab.
  if (!FWidget || !FWidget->isVisible() || QGuiApplication::platformName() == QLatin1String("offscreen")) return;
  if (Capture)
    FWidget->grabMouse();
  else
    FWidget->releaseMouse();
}

void TQtPeer::RefreshCursor() {
  if (!FWidget) return;
  const double scale = DeviceScale(FWidget);
  const QPoint at = FWidget->mapFromGlobal(QCursor::pos());
  FCursorShown = false;  // the shape behind the number may be new
  ShowCursorAt(TPoint{ToDevice(at.x(), scale), ToDevice(at.y(), scale)});
}

void TQtPeer::ShowCursorAt(TPoint At) {
  if (!FWidget) return;
  auto* win = dynamic_cast<TWinControl*>(FControl);
  const TCursor cursor = win ? win->CursorAt(At) : FControl->Cursor();
  if (FCursorShown && cursor == FShownCursor) return;
  FWidget->setCursor(ToQCursor(cursor));
  FShownCursor = cursor;
  FCursorShown = true;
}

}  // namespace detail

QWidget* WidgetOf(const TControl* Control) {
  if (Control == nullptr) return nullptr;
  const TControlPeer* peer = nullptr;
  if (auto* win = dynamic_cast<const TWinControl*>(Control))
    peer = win->Peer();
  else if (auto* graphic = dynamic_cast<const TGraphicControl*>(Control))
    peer = graphic->Peer();
  auto* qtPeer = dynamic_cast<const detail::TQtPeer*>(peer);
  return qtPeer ? qtPeer->Widget() : nullptr;
}

}  // namespace orq::qt
