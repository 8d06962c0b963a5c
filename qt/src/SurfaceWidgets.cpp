// The control widget and the panel frame.
#include "SurfaceWidgets.h"

#include <QPaintEvent>
#include <QPainter>

#include "Factories.h"
#include "MouseRelay.h"
#include "Pixels.h"

namespace orq::qt::detail {

namespace {

// A peer that repaints its widget when the colour or caption changes.
class TSurfacePeer final : public TQtPeer {
 public:
  using TQtPeer::TQtPeer;

 protected:
  void ShowChange(TPeerChange What) override {
    if ((What == pcColor || What == pcCaption) && Widget()) Widget()->update();
  }
};

class TPanelPeer final : public TQtPeer {
 public:
  TPanelPeer(TPanel* Panel, TPanelFrame* Frame) : TQtPeer(Panel, Frame, Frame), FPanel(Panel), FFrame(Frame) {}

 protected:
  void ShowChange(TPeerChange What) override {
    if (What != pcColor && What != pcCaption && What != pcStyle) return;
    QPalette palette = FFrame->palette();
    palette.setColor(QPalette::Window, ToQColor(FPanel->Color()));
    FFrame->setPalette(palette);
    FFrame->setAutoFillBackground(true);
    FFrame->setLineWidth(FPanel->BevelWidth());
    switch (FPanel->BevelOuter()) {
      case bvLowered:
        FFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
      case bvRaised:
        FFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        break;
      default:
        FFrame->setFrameStyle(QFrame::NoFrame);
        break;
    }
    FFrame->update();
  }

 private:
  TPanel* FPanel;
  TPanelFrame* FFrame;
};

}  // namespace

template <class QtBase>
void TInputWidget<QtBase>::mousePressEvent(QMouseEvent* Event) {
  RelayPress(*this, this, Event, false);
}
template <class QtBase>
void TInputWidget<QtBase>::mouseDoubleClickEvent(QMouseEvent* Event) {
  RelayPress(*this, this, Event, true);
}
template <class QtBase>
void TInputWidget<QtBase>::mouseMoveEvent(QMouseEvent* Event) {
  RelayMove(*this, this, Event);
}
template <class QtBase>
void TInputWidget<QtBase>::mouseReleaseEvent(QMouseEvent* Event) {
  RelayRelease(*this, this, Event);
}
template <class QtBase>
void TInputWidget<QtBase>::wheelEvent(QWheelEvent* Event) {
  RelayWheel(*this, this, Event);
}
template <class QtBase>
void TInputWidget<QtBase>::resizeEvent(QResizeEvent* Event) {
  QtBase::resizeEvent(Event);
  RelayResize(*this, this);
}

template class TInputWidget<QWidget>;
template class TInputWidget<QFrame>;

TControlWidget::TControlWidget(QWidget* Parent) : TInputWidget<QWidget>(Parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the surface covers every pixel
}

void TControlWidget::paintEvent(QPaintEvent* Event) {
  auto* control = dynamic_cast<TWinControl*>(LinkedControl());
  if (control == nullptr) return;
  SetPainting(true);
  control->Update();  // composes what was invalidated; this is the paint it would ask for
  SetPainting(false);
  QPainter painter(this);
  auto* custom = dynamic_cast<TCustomControl*>(control);
  if (custom == nullptr || custom->Surface() == nullptr || custom->Surface()->Width() == 0) {
    painter.fillRect(Event->rect(), ToQColor(control->Color()));
    return;
  }
  QImage surface = WrapBitmap(*custom->Surface());
  surface.setDevicePixelRatio(DeviceScale(this));
  painter.drawImage(QPoint(0, 0), surface);
}

TPanelFrame::TPanelFrame(QWidget* Parent) : TInputWidget<QFrame>(Parent) {}

void TPanelFrame::paintEvent(QPaintEvent* Event) {
  QFrame::paintEvent(Event);
  TControl* panel = LinkedControl();
  if (panel == nullptr || panel->Caption().empty()) return;
  QPainter painter(this);
  painter.drawText(contentsRect(), Qt::AlignCenter, QString::fromStdString(panel->Caption()));
}

std::unique_ptr<TControlPeer> MakeControlWidget(TWinControl* Control) {
  auto* widget = new TControlWidget(ParentWidget(Control));
  auto peer = std::make_unique<TSurfacePeer>(Control, widget, widget);
  peer->ShowAll();
  return peer;
}

std::unique_ptr<TControlPeer> MakePanelFrame(TPanel* Panel) {
  auto* frame = new TPanelFrame(ParentWidget(Panel));
  auto peer = std::make_unique<TPanelPeer>(Panel, frame);
  peer->ShowAll();
  return peer;
}

}  // namespace orq::qt::detail
