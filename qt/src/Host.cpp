// orq::qt::Host: installs the Qt backend, pump and clipboard bridge.
#include <QApplication>
#include <QScreen>

#include "Backend.h"
#include "ClipboardBridge.h"
#include "EventPump.h"
#include "QtPeer.h"
#include "orqcarta/Orq_QtHost.h"
#include "orqplatform/Forms.h"

namespace orq::qt {

Host::Host() {
  if (QApplication::instance() == nullptr) throw EInvalidOperation("orq::qt::Host needs a QApplication");
  if (detail::TQtBackend::Instance() != nullptr) throw EInvalidOperation("an orq::qt::Host exists already");
  Application->SetHostBackend(std::make_unique<detail::TQtBackend>());
  Application->SetEventPump(std::make_unique<detail::TQtEventPump>());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const double scale = screen->devicePixelRatio();
    Screen->SetSize(detail::ToDevice(screen->size().width(), scale), detail::ToDevice(screen->size().height(), scale));
  }
  detail::StartClipboardBridge();
}

Host::~Host() {
  detail::StopClipboardBridge();
  Application->SetEventPump(nullptr);
  Application->SetHostBackend(nullptr);
}

QWidget* Host::Embed(TWinControl* Control, QWidget* Parent) {
  if (Control == nullptr) return nullptr;
  if (Control->Parent() != nullptr) throw EInvalidOperation("Embed takes a control without a parent control");
  Control->HandleNeeded();
  auto* peer = dynamic_cast<detail::TQtPeer*>(Control->Peer());
  if (peer == nullptr || peer->Widget() == nullptr) {
    // The window was made before this Host existed: make it again.
    Control->DestroyHandle();
    Control->HandleNeeded();
    peer = dynamic_cast<detail::TQtPeer*>(Control->Peer());
  }
  QWidget* widget = peer->Widget();
  if (Parent != nullptr && widget->parentWidget() != Parent) widget->setParent(Parent);
  if (auto* link = dynamic_cast<detail::TControlLink*>(widget)) link->SetOwnsControl(Control->Owner() == nullptr);
  if (Control->Visible() && Parent != nullptr) widget->show();
  return widget;
}

}  // namespace orq::qt
