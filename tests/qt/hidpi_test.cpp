// Control pixels are device pixels: on a screen of two device pixels per
// Qt pixel a map shows every pixel of its surface on one screen pixel, and
// mouse positions arrive in the same pixels. The suite runs once as it is
// and once with QT_SCALE_FACTOR=2 (see CMakeLists.txt).
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "orqcarta/Orq_GeoMap.h"
#include "qt_test_support.h"

using namespace orq;
using namespace orq::qt::testing;

TEST(HiDpi, SurfacePixelsAreScreenPixelsAndMousePositionsFollow) {
  orq::qt::Host host;
  auto* map = new TGeoMap(nullptr);
  map->SetBounds(0, 0, 320, 240);
  map->CreateEmptyMapInMemory(45, 5, 48, 11, 1, 1, 640, 480, true);
  map->SetShowGraticule(sgLines);
  map->ZoomFitPage();
  std::unique_ptr<QWidget> widget(host.Embed(map));
  widget->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
  const double scale = widget->devicePixelRatioF();
  RecordProperty("DevicePixelRatio", std::to_string(scale));
  EXPECT_EQ(qRound(widget->width() * scale), 320);
  EXPECT_EQ(qRound(widget->height() * scale), 240);
  Settle();
  std::string first;
  EXPECT_EQ(DifferentPixels(widget.get(), *map->Surface(), &first), 0) << first;  // grab() gives device pixels

  int x = -1, y = -1;
  map->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int X, int Y) { x = X, y = Y; });
  QTest::mouseClick(widget.get(), Qt::LeftButton, {}, QPoint(50, 40));
  EXPECT_EQ(x, qRound(50 * scale));
  EXPECT_EQ(y, qRound(40 * scale));

  widget->resize(200, 100);  // Qt pixels
  EXPECT_EQ(map->Width(), qRound(200 * scale));
  EXPECT_EQ(map->Height(), qRound(100 * scale));
}
