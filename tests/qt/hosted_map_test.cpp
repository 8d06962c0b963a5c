// A TGeoMap in a Qt widget shows exactly what the same control shows
// headless after the same steps, whether they come as Qt mouse events or as
// the control's own messages.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <initializer_list>
#include <memory>

#include "atlas_test_support.h"
#include "orqcarta/Orq_GeoMap.h"
#include "qt_test_support.h"

using namespace orq;
using namespace orq::qt::testing;

namespace {

class HostedMap : public ::testing::Test {
 protected:
  void SetUp() override {
    Calibration = Maps.MapOfResolution("hosted", 250, "Hosted map");
    host = std::make_unique<orq::qt::Host>();
    Hosted = new TGeoMap(nullptr);
    Prepare(Hosted);
    Widget = host->Embed(Hosted);
    Widget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Widget));
    Prepare(&Headless);
  }
  void TearDown() override {
    delete Widget;  // frees the hosted control with it
    Settle();
    host.reset();
  }

  void Prepare(TGeoMap* map) {
    map->SetBounds(0, 0, 300, 200);
    map->LoadCalDataFromXML(Calibration, "atlas");
    map->SetShowGraticule(sgLines);
    map->ZoomFitPage();
  }

  void ExpectSamePicture(const char* step) {
    Settle();
    Headless.Update();
    std::string first;
    EXPECT_EQ(DifferentPixels(Widget, *Headless.Surface(), &first), 0) << step << ": " << first;
  }

  // A left-button drag through Points: as Qt mouse events to the hosted
  // map, as the control's own messages to the headless one.
  void DragBoth(std::initializer_list<QPoint> Points) {
    const QPoint first = *Points.begin(), last = *(Points.end() - 1);
    QTest::mousePress(Widget, Qt::LeftButton, {}, first);
    Headless.DispatchMouseDown(mbLeft, TShiftState{ssLeft}, first.x(), first.y());
    for (auto p = Points.begin() + 1; p != Points.end(); ++p) {
      QTest::mouseMove(Widget, *p);
      Headless.DispatchMouseMove(TShiftState{ssLeft}, p->x(), p->y());
    }
    QTest::mouseRelease(Widget, Qt::LeftButton, {}, last);
    Headless.DispatchMouseUp(mbLeft, TShiftState{}, last.x(), last.y());
  }

  TAtlasMapFolder Maps{"qt_hosted_map"};
  std::string Calibration;
  std::unique_ptr<orq::qt::Host> host;
  TGeoMap* Hosted = nullptr;
  QWidget* Widget = nullptr;
  TGeoMap Headless;
};

}  // namespace

TEST_F(HostedMap, ShowsTheHeadlessPixelsAfterEachStep) {
  EXPECT_EQ(Widget->size(), QSize(300, 200));
  ExpectSamePicture("first show");

  Widget->resize(340, 260);
  EXPECT_EQ(Hosted->Width(), 340);
  EXPECT_EQ(Hosted->Height(), 260);
  Headless.SetBounds(0, 0, 340, 260);
  ExpectSamePicture("resize");

  Hosted->SetMagnification(1.75);
  Headless.SetMagnification(1.75);
  ExpectSamePicture("magnification");

  Hosted->SetMouseAction(maPan);
  Headless.SetMouseAction(maPan);
  DragBoth({QPoint(170, 130), QPoint(140, 100), QPoint(110, 95)});
  EXPECT_EQ(Hosted->TopLeft().X, Headless.TopLeft().X);
  EXPECT_EQ(Hosted->TopLeft().Y, Headless.TopLeft().Y);
  EXPECT_NE(Hosted->TopLeft().X, 0);  // the drag did pan
  ExpectSamePicture("pan drag");

  Hosted->SetMouseAction(maZoomWind);
  Headless.SetMouseAction(maZoomWind);
  const double before = Hosted->Magnification();
  DragBoth({QPoint(60, 50), QPoint(120, 90), QPoint(160, 130)});
  EXPECT_GT(Hosted->Magnification(), before);
  EXPECT_DOUBLE_EQ(Hosted->Magnification(), Headless.Magnification());
  ExpectSamePicture("zoom window");
}

TEST_F(HostedMap, WheelAndDoubleClickReachTheControl) {
  int wheel = 0, doubles = 0;
  TShiftState wheelShift;
  Hosted->SetOnMouseWheel([&](TObject*, TShiftState shift, int delta, TPoint, bool& handled) {
    wheel += delta;
    wheelShift = shift;
    handled = true;
  });
  Hosted->SetOnDblClick([&](TObject*) { ++doubles; });
  QWheelEvent turn(QPointF(50, 40), Widget->mapToGlobal(QPointF(50, 40)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Widget, &turn);
  EXPECT_EQ(wheel, 120);
  EXPECT_TRUE(wheelShift.contains(ssCtrl));
  QTest::mouseDClick(Widget, Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(doubles, 1);
}

TEST_F(HostedMap, MouseBoxReturnsTheDraggedRectangleAndSleepsWhileWaiting) {
  double cpuWaiting = -1;
  const double start = ProcessCpuSeconds();
  QTimer::singleShot(2000, Widget, [&] {
    cpuWaiting = ProcessCpuSeconds() - start;
    QTest::mousePress(Widget, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(Widget, QPoint(120, 90));
    QTest::mouseMove(Widget, QPoint(40, 30));
    QTest::mouseRelease(Widget, Qt::LeftButton, {}, QPoint(40, 30));
  });
  int xLo = -1, yLo = -1, xHi = -1, yHi = -1;
  ASSERT_TRUE(Hosted->MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_EQ(xLo, 40);
  EXPECT_EQ(yLo, 30);
  EXPECT_EQ(xHi, 200);
  EXPECT_EQ(yHi, 150);
  ASSERT_GE(cpuWaiting, 0);
  EXPECT_LT(cpuWaiting / 2.0, 0.05) << "processor share while the box waited: " << cpuWaiting / 2.0;
  RecordProperty("MouseBoxWaitCpuShare", std::to_string(cpuWaiting / 2.0));
}

TEST_F(HostedMap, FreeingTheControlClosesItsWidgetAndTheOtherWayRound) {
  auto* owned = new TGeoMap(nullptr);
  QPointer<QWidget> widget = host->Embed(owned);
  delete owned;  // a program frees the control
  Settle();
  EXPECT_TRUE(widget.isNull());

  TComponent owner;
  auto* kept = new TGeoMap(&owner);
  QWidget* second = host->Embed(kept);
  EXPECT_EQ(host->Embed(kept), second);  // embedding again gives the same widget
  delete second;                         // the window goes, the owner's control stays
  EXPECT_EQ(orq::qt::WidgetOf(kept), nullptr);
  kept->SetMagnification(2);  // still usable
  EXPECT_DOUBLE_EQ(kept->Magnification(), 2);
}
