// The Qt 6 host: puts the library's controls (a TGeoMap, a TGeoAtlas, any
// TCustomControl) into Qt Widgets windows.
//
//   QApplication app(argc, argv);
//   orq::qt::Host host;
//   QWidget* map = host.Embed(new orq::TGeoMap(nullptr));
//   layout->addWidget(map);
//
// While a Host lives, every control that gets a window gets a native one:
// a QWidget that shows the control's surface for a custom control, a QFrame
// for a panel, a QComboBox for a combo box and a flat checkable QToolButton
// for a speed button. Input goes to the controls, Application's
// ProcessMessages runs a round of the Qt event loop, a modal wait (the map's
// MouseBox) sleeps in Qt's event dispatcher, and the library's clipboard is
// the system clipboard. Control pixels are device pixels: on a HiDPI screen
// a map shows every image pixel on one screen pixel.
//
// Everything runs on the thread of the QApplication, which must exist
// before the Host and outlive it.
#pragma once

#include <QImage>

namespace orq {
class TBitmap;
class TControl;
class TWinControl;
}  // namespace orq

class QWidget;

namespace orq::qt {

class Host {
 public:
  // Installs the Qt backend, event pump and clipboard bridge and tells
  // Screen the desktop's size. Only one Host may exist at a time (a second
  // raises EInvalidOperation); the destructor puts the headless ones back.
  Host();
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The widget that shows Control and its children, a child of Parent (or
  // a window of its own while Parent is nullptr, until a layout takes it).
  // A control without an owner belongs to the widget from then on and is
  // freed with it; one with an owner stays its owner's, and freeing it
  // closes the widget. The widget's size follows the control's bounds and
  // resizing the widget resizes the control. A control that is already
  // embedded gives the same widget again.
  QWidget* Embed(TWinControl* Control, QWidget* Parent = nullptr);
};

// The native widget that shows Control, or nullptr while it has none (no
// Host or no window yet, or a windowless control drawn on its parent).
QWidget* WidgetOf(const TControl* Control);

// Pixels between the library's bitmaps and Qt images. ToQImage makes an
// RGB32 image (a deep copy); FromQImage converts any format, dropping alpha,
// into a pf24bit bitmap of the image's size.
QImage ToQImage(const TBitmap& Bitmap);
void FromQImage(const QImage& Image, TBitmap* Bitmap);

}  // namespace orq::qt
