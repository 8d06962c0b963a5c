// TQtBackend: which widget each kind of control gets, and the process-wide
// things a window system owns (override cursor, clipboard).
#include "Backend.h"

#include <QApplication>

#include "ClipboardBridge.h"
#include "Cursors.h"
#include "Factories.h"
#include "QtPeer.h"
#include "orqplatform/Forms.h"

namespace orq::qt::detail {

namespace {
TQtBackend* gInstance = nullptr;
}

TQtBackend::TQtBackend() { gInstance = this; }

TQtBackend::~TQtBackend() {
  if (FOverrideCursor) QApplication::restoreOverrideCursor();
  if (gInstance == this) gInstance = nullptr;
}

TQtBackend* TQtBackend::Instance() { return gInstance; }

std::unique_ptr<TControlPeer> TQtBackend::CreatePeer(TWinControl* Control) {
  // The most specific kind first: a panel is also a custom control.
  if (auto* combo = dynamic_cast<TComboBox*>(Control)) return MakeComboBox(combo);
  if (auto* panel = dynamic_cast<TPanel*>(Control)) return MakePanelFrame(panel);
  return MakeControlWidget(Control);
}

std::unique_ptr<TControlPeer> TQtBackend::CreateGraphicPeer(TGraphicControl* Control) {
  if (auto* button = dynamic_cast<TSpeedButton*>(Control)) return MakeToolButton(button);
  return nullptr;
}

void TQtBackend::ScreenCursorChanged(TCursor Cursor) {
  if (Cursor == crDefault) {
    if (FOverrideCursor) QApplication::restoreOverrideCursor();
    FOverrideCursor = false;
  } else if (FOverrideCursor) {
    QApplication::changeOverrideCursor(ToQCursor(Cursor));
  } else {
    QApplication::setOverrideCursor(ToQCursor(Cursor));
    FOverrideCursor = true;
  }
}

void TQtBackend::CursorShapeChanged(TCursor Index) {
  for (TQtPeer* peer : FPeers) peer->RefreshCursor();
  if (FOverrideCursor && Screen->Cursor() == Index) QApplication::changeOverrideCursor(ToQCursor(Index));
}

void TQtBackend::ClipboardChanged() { PublishClipboard(); }

}  // namespace orq::qt::detail
