// Bitmaps and Qt images. A TColor (0x00BBGGRR) stored little-endian has the
// bytes R, G, B, 0: exactly Qt's RGBX8888, so a bitmap's pixels can be shown
// without converting them.
#include <QImage>
#include <cstring>

#include "Pixels.h"
#include "orqcarta/Orq_QtHost.h"
#include "orqplatform/Bitmap.h"

namespace orq::qt {

namespace detail {

QImage WrapBitmap(const TBitmap& Bitmap) {
  if (Bitmap.Width() <= 0 || Bitmap.Height() <= 0) return QImage();
  return QImage(reinterpret_cast<const uchar*>(Bitmap.PixelData().data()), Bitmap.Width(), Bitmap.Height(),
                static_cast<qsizetype>(Bitmap.Width()) * 4, QImage::Format_RGBX8888);
}

QRgb ToQRgba(uint32_t Pixel) { return qRgba(Pixel & 0xFF, (Pixel >> 8) & 0xFF, (Pixel >> 16) & 0xFF, Pixel >> 24); }

QColor ToQColor(TColor Color) { return QColor::fromRgba(ToQRgba(Color | 0xFF000000u)); }

}  // namespace detail

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the pixel view assumes little-endian TColor storage");

QImage ToQImage(const TBitmap& Bitmap) { return detail::WrapBitmap(Bitmap).convertToFormat(QImage::Format_RGB32); }

void FromQImage(const QImage& Image, TBitmap* Bitmap) {
  if (Bitmap == nullptr) return;
  const QImage rgbx = Image.convertToFormat(QImage::Format_RGBX8888);
  Bitmap->SetPixelFormat(pf24bit);  // what an image from the window system holds
  Bitmap->SetSize(rgbx.width(), rgbx.height());
  for (int y = 0; y < rgbx.height(); ++y) {
    uint32_t* row = Bitmap->ScanLine(y);
    std::memcpy(row, rgbx.constScanLine(y), static_cast<size_t>(rgbx.width()) * 4);
    for (int x = 0; x < rgbx.width(); ++x) row[x] &= 0x00FFFFFF;  // Qt keeps 0xFF in the padding byte
  }
}

}  // namespace orq::qt
