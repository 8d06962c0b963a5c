// Cursor shapes: Qt's own for the standard numbers, pixmaps for the rest.
#include "Cursors.h"

#include <QImage>
#include <QPixmap>

#include "Pixels.h"
#include "orqplatform/Forms.h"

namespace orq::qt::detail {

namespace {

Qt::CursorShape StandardShape(TCursor Cursor) {
  switch (Cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crSQLWait:
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;  // crDefault, crArrow
  }
}

}  // namespace

QCursor ToQCursor(TCursor Cursor) {
  const HCURSOR handle = Screen->Cursors(Cursor);
  const TCursorShape* shape = CursorShape(handle);
  if (shape == nullptr || shape->Pixels.empty() || shape->Width <= 0 || shape->Height <= 0)
    return QCursor(StandardShape(shape ? shape->Standard : Cursor));
  QImage image(shape->Width, shape->Height, QImage::Format_ARGB32);
  for (int y = 0; y < shape->Height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < shape->Width; ++x) row[x] = ToQRgba(shape->Pixels[static_cast<size_t>(y) * shape->Width + x]);
  }
  return QCursor(QPixmap::fromImage(image), shape->HotSpot.X, shape->HotSpot.Y);
}

}  // namespace orq::qt::detail
