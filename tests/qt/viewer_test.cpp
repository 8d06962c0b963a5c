// The viewer's own logic: the status-bar texts, the zoom about the pointer
// and the zoom history steps, on a window that is never shown.
#include <gtest/gtest.h>

#include <QTest>

#include "PointerReadout.h"
#include "ViewerWindow.h"
#include "atlas_test_support.h"
#include "qt_test_support.h"

using namespace orq;

TEST(ViewerReadout, DegreesMinutesSecondsRoundOnceAndCarry) {
  EXPECT_EQ(viewer::DegreesMinutesSeconds(47.375139, true), "47\u00B022'30.5\"N");
  EXPECT_EQ(viewer::DegreesMinutesSeconds(-8.5, false), "8\u00B030'00.0\"W");
  // 59.96 seconds round to the next minute, and 59'59.96" to the next degree.
  EXPECT_EQ(viewer::DegreesMinutesSeconds(10 + 59.996 / 3600, false), "10\u00B001'00.0\"E");
  EXPECT_EQ(viewer::DegreesMinutesSeconds(10 + (59 * 60 + 59.96) / 3600, true), "11\u00B000'00.0\"N");
  EXPECT_EQ(viewer::DegreesMinutesSeconds(-0.0, true), "0\u00B000'00.0\"N");
}

TEST(ViewerReadout, PositionsCarryTheirUtmZoneOnlyInsideTheUtmRange) {
  const std::string zurich = viewer::PositionText(47.37, 8.54, gelWGS84);
  EXPECT_NE(zurich.find("(47.370000, 8.540000)"), std::string::npos) << zurich;
  EXPECT_NE(zurich.find("UTM 32N 465"), std::string::npos) << zurich;  // easting 465 km
  const std::string cape = viewer::PositionText(-33.92, 18.42, gelWGS84);
  EXPECT_NE(cape.find("UTM 34S"), std::string::npos) << cape;
  EXPECT_EQ(viewer::PositionText(86, 0, gelWGS84).find("UTM"), std::string::npos);
}

TEST(ViewerWindow, OpensAFolderAsAnAtlasOnItsCoarsestMap) {
  orq::qt::Host host;
  TAtlasMapFolder maps("qt_viewer");
  maps.MapOfResolution("b_fine", 60, "Fine");
  maps.MapOfResolution("a_coarse", 1000, "Coarse");
  maps.MapOfResolution("c_middle", 250, "Middle");
  viewer::TViewerOptions options;
  options.Maps << QString::fromStdString(maps.Dir.string());
  viewer::TViewerWindow window(host, options);
  EXPECT_EQ(window.Atlas()->NumRegMaps(), 3);
  EXPECT_EQ(window.Map()->Caption(), "Coarse");
  EXPECT_TRUE(window.Atlas()->CmdPanelVisible());
  EXPECT_FALSE(window.OpenMaps(QString::fromStdString(maps.File("nothing.xml")), true));
  EXPECT_EQ(window.Atlas()->NumRegMaps(), 3);
}

TEST(ViewerWindow, WithoutMapsItShowsTheDemoMapWithCapitals) {
  orq::qt::Host host;
  viewer::TViewerWindow window(host, {});
  EXPECT_EQ(window.Atlas()->NumRegMaps(), 1);
  EXPECT_FALSE(window.Atlas()->CmdPanelVisible());
  EXPECT_GT(window.Map()->NumLandMarks(), 40);  // the capitals of Europe and around it
  EXPECT_GT(window.Map()->MapImgWidth(), 0);
}

namespace {
QAction* Action(QWidget& Window, const QString& Text) {
  for (QAction* action : Window.findChildren<QAction*>())
    if (action->text() == Text) return action;
  return nullptr;
}
}  // namespace

TEST(ViewerWindow, TheWheelZoomsAboutThePointerAndBackReturns) {
  orq::qt::Host host;
  TAtlasMapFolder maps("qt_viewer_wheel");
  viewer::TViewerOptions options;
  options.Maps << QString::fromStdString(maps.MapOfResolution("map", 250, "Map"));
  viewer::TViewerWindow window(host, options);
  window.resize(700, 500);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  orq::qt::testing::Settle();
  TGeoMap* map = window.Map();
  QWidget* widget = orq::qt::WidgetOf(map);
  const double before = map->Magnification();
  const TPoint pointer{120, 90};
  const TPoint under = map->ControlToMapImage(pointer);
  QWheelEvent turn(QPointF(pointer.X, pointer.Y), widget->mapToGlobal(QPointF(pointer.X, pointer.Y)), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &turn);
  EXPECT_DOUBLE_EQ(map->Magnification(), before * 1.25);
  const TPoint still = map->ControlToMapImage(pointer);
  EXPECT_LE(std::abs(still.X - under.X), 1);
  EXPECT_LE(std::abs(still.Y - under.Y), 1);

  QAction* back = Action(window, "&Back");
  QAction* forward = Action(window, "F&orward");
  ASSERT_NE(back, nullptr);
  ASSERT_NE(forward, nullptr);
  back->trigger();
  EXPECT_DOUBLE_EQ(map->Magnification(), before);
  forward->trigger();
  EXPECT_DOUBLE_EQ(map->Magnification(), before * 1.25);
  forward->trigger();  // nothing newer: stays
  EXPECT_DOUBLE_EQ(map->Magnification(), before * 1.25);
}
