// Clipboard bridge. Each side is told of the other's changes; contents
// equal to what the library holds already are not assigned again, so one
// copy raises the library clipboard's OnChange once.
#include "ClipboardBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "orqcarta/Orq_QtHost.h"
#include "orqplatform/Bitmap.h"
#include "orqplatform/Clipboard.h"

namespace orq::qt::detail {

namespace {

bool gSyncing = false;  // one side is being brought in line with the other
QMetaObject::Connection gFollow;

bool SamePixels(const TBitmap& A, const TBitmap& B) {
  return A.Width() == B.Width() && A.Height() == B.Height() && A.PixelData() == B.PixelData();
}

void FollowSystemClipboard() {
  if (gSyncing) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr) return;
  gSyncing = true;
  if (data->hasImage()) {
    TBitmap pulled;
    FromQImage(qvariant_cast<QImage>(data->imageData()), &pulled);
    const TBitmap* held = Clipboard()->Bitmap();
    if (held == nullptr || !SamePixels(*held, pulled)) Clipboard()->Assign(&pulled);
  } else if (data->hasText()) {
    const std::string text = data->text().toStdString();
    if (!Clipboard()->HasFormat(CF_TEXT) || Clipboard()->AsText() != text) Clipboard()->SetAsText(text);
  }
  gSyncing = false;
}

}  // namespace

void PublishClipboard() {
  if (gSyncing || QGuiApplication::instance() == nullptr) return;
  gSyncing = true;
  QClipboard* system = QGuiApplication::clipboard();
  if (const TBitmap* bitmap = Clipboard()->Bitmap())
    system->setImage(ToQImage(*bitmap));
  else if (Clipboard()->HasFormat(CF_TEXT))
    system->setText(QString::fromStdString(Clipboard()->AsText()));
  else
    system->clear();
  gSyncing = false;
}

void StartClipboardBridge() {
  gFollow = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &FollowSystemClipboard);
}

void StopClipboardBridge() { QObject::disconnect(gFollow); }

}  // namespace orq::qt::detail
