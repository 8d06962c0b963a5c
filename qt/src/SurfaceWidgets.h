// The widgets for windows that the library draws itself: the plain control
// widget (a TCustomControl's surface) and the panel frame.
#pragma once

#include <QFrame>
#include <QWidget>

#include "QtPeer.h"

namespace orq::qt::detail {

// Forwards mouse, wheel and resize events to the linked control.
template <class QtBase>
class TInputWidget : public QtBase, public TControlLink {
 public:
  using QtBase::QtBase;
  ~TInputWidget() override { Unlink(); }

 protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
};

// Shows the control's surface, composed first by Update().
class TControlWidget final : public TInputWidget<QWidget> {
 public:
  explicit TControlWidget(QWidget* Parent);

 protected:
  void paintEvent(QPaintEvent* Event) override;
};

// The panel's bevel and caption drawn by Qt's style, its colour as the
// background.
class TPanelFrame final : public TInputWidget<QFrame> {
 public:
  explicit TPanelFrame(QWidget* Parent);

 protected:
  void paintEvent(QPaintEvent* Event) override;
};

}  // namespace orq::qt::detail
