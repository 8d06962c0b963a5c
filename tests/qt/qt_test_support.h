// Helpers of the Qt host suites: pixels of a widget against a control's
// surface, and the process's processor time.
#pragma once

#include <time.h>

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <string>

#include "orqcarta/Orq_QtHost.h"
#include "orqplatform/Bitmap.h"

namespace orq::qt::testing {

// The widget as the screen shows it, one pixel per device pixel.
inline QImage Shown(QWidget* Widget) { return Widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Pixels where the widget's picture and the bitmap differ; a size mismatch
// counts every pixel. First receives the first difference, for messages.
inline long DifferentPixels(QWidget* Widget, const TBitmap& Expected, std::string* First = nullptr) {
  const QImage shown = Shown(Widget);
  if (shown.width() != Expected.Width() || shown.height() != Expected.Height()) {
    if (First)
      *First = "size " + std::to_string(shown.width()) + "x" + std::to_string(shown.height()) + " instead of " +
               std::to_string(Expected.Width()) + "x" + std::to_string(Expected.Height());
    return static_cast<long>(Expected.Width()) * Expected.Height() + 1;
  }
  const QImage expected = ToQImage(Expected);
  long differ = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) != expected.pixel(x, y) && differ++ == 0 && First)
        *First = "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
  return differ;
}

inline double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

// Lets Qt handle what is pending (shows, layouts, deferred deletes).
inline void Settle() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace orq::qt::testing
