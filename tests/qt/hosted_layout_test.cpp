// A control in a Qt layout: the layout decides the size, and the widget
// shows the control's current picture after every change of it.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "orqcarta/Orq_GeoMap.h"
#include "qt_test_support.h"

using namespace orq;
using namespace orq::qt::testing;

TEST(HostedLayout, TheWidgetShowsTheSurfaceAfterTheLayoutResizesAndTheViewFitsAgain) {
  orq::qt::Host host;
  QMainWindow window;
  auto* map = new TGeoMap(nullptr);
  map->SetBounds(0, 0, 1000, 700);
  map->CreateEmptyMapInMemory(34, -25, 72, 45, 5, 5, 1200, 900, true);
  map->ZoomFitPage();
  window.setCentralWidget(host.Embed(map));
  window.statusBar()->showMessage("status");
  window.resize(1000, 720);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  Settle();
  QWidget* widget = orq::qt::WidgetOf(map);
  EXPECT_EQ(map->Width(), widget->width());
  EXPECT_EQ(map->Height(), widget->height());
  std::string first;
  EXPECT_EQ(DifferentPixels(widget, *map->Surface(), &first), 0) << "after the layout: " << first;
  map->ZoomFitPage();
  Settle();
  EXPECT_EQ(DifferentPixels(widget, *map->Surface(), &first), 0) << "after fitting again: " << first;
  // The picture itself: nothing of the first, larger view is left beside the image.
  const int imageRight = static_cast<int>(1200 * map->Magnification());
  int stale = 0;
  for (int y = 10; y < map->Height() - 10; ++y)
    for (int x = imageRight + 2; x < map->Width() - 10; ++x)
      if (map->Surface()->Canvas()->Pixels(x, y) != map->ColorBackGnd()) ++stale;
  EXPECT_EQ(stale, 0);
}
