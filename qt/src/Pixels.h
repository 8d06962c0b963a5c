// The library's pixels in Qt's terms; one home for the byte orders.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>

#include "orqplatform/Bitmap.h"

namespace orq::qt::detail {

// A view of the bitmap's pixels (no copy): valid while the bitmap is
// neither resized nor freed.
QImage WrapBitmap(const TBitmap& Bitmap);
// 0xAABBGGRR (a TColor with an opacity byte on top, as cursor pictures
// keep them) to Qt's 0xAARRGGBB.
QRgb ToQRgba(uint32_t Pixel);
// An opaque TColor.
QColor ToQColor(TColor Color);

}  // namespace orq::qt::detail
