// The atlas's children through their native peers: the map list is a
// QComboBox, the mode buttons are tool buttons, the map shows the atlas's
// zoom cursor.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "atlas_test_support.h"
#include "orqcarta/Orq_GeoAtlas.h"
#include "orqplatform/Forms.h"
#include "qt_test_support.h"

using namespace orq;
using namespace orq::qt::testing;

namespace {

class HostedAtlas : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_unique<orq::qt::Host>();
    Atlas = new TGeoAtlas(nullptr);
    for (auto [name, resolution, caption] :
         {std::tuple{"coarse", 1000.0, "Coarse map"}, std::tuple{"middle", 250.0, "Middle map"},
          std::tuple{"fine", 60.0, "Fine map"}})
      ASSERT_TRUE(Atlas->RegisterMap(Maps.MapOfResolution(name, resolution, caption)));
    Widget = host->Embed(Atlas);
    Widget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Widget));
    Combo = qobject_cast<QComboBox*>(orq::qt::WidgetOf(Atlas->MapSelector()));
    Zoom = qobject_cast<QToolButton*>(orq::qt::WidgetOf(Atlas->ZoomButton()));
    Pointer = qobject_cast<QToolButton*>(orq::qt::WidgetOf(Atlas->PointerButton()));
    MapWidget = orq::qt::WidgetOf(Atlas->CurrentMap());
  }
  void TearDown() override {
    delete Widget;
    Settle();
    host.reset();
  }

  TAtlasMapFolder Maps{"qt_hosted_atlas"};
  std::unique_ptr<orq::qt::Host> host;
  TGeoAtlas* Atlas = nullptr;
  QWidget* Widget = nullptr;
  QComboBox* Combo = nullptr;
  QToolButton* Zoom = nullptr;
  QToolButton* Pointer = nullptr;
  QWidget* MapWidget = nullptr;
};

}  // namespace

TEST_F(HostedAtlas, ChildrenGetNativeWidgetsInsideTheAtlasWidget) {
  ASSERT_NE(Combo, nullptr);
  ASSERT_NE(Zoom, nullptr);
  ASSERT_NE(Pointer, nullptr);
  ASSERT_NE(MapWidget, nullptr);
  EXPECT_TRUE(Widget->isAncestorOf(Combo));
  EXPECT_TRUE(Widget->isAncestorOf(MapWidget));
  EXPECT_EQ(qobject_cast<QFrame*>(orq::qt::WidgetOf(Atlas->CmdPanel()))->frameShape(), QFrame::Panel);
  // Geometry follows the control tree: the map fills what the panel leaves.
  EXPECT_EQ(MapWidget->geometry(), QRect(Atlas->CurrentMap()->Left(), Atlas->CurrentMap()->Top(),
                                         Atlas->CurrentMap()->Width(), Atlas->CurrentMap()->Height()));
  EXPECT_TRUE(Pointer->isChecked());
  EXPECT_FALSE(Zoom->isChecked());
  EXPECT_TRUE(Zoom->autoRaise());
  EXPECT_FALSE(Zoom->icon().isNull());  // the glyph from the atlas's resources
}

TEST_F(HostedAtlas, AUserSelectionLoadsThatMapAndRaisesOnChangeOnce) {
  ASSERT_NE(Combo, nullptr);
  ASSERT_EQ(Combo->count(), 3);
  EXPECT_EQ(Combo->itemText(1).toStdString(), "Middle map");
  int changes = 0;
  Atlas->SetOnCBoxMapsChange([&](TObject*) { ++changes; });

  emit Combo->activated(1);  // what QComboBox emits when the user picks an item
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), 1);
  EXPECT_EQ(Atlas->CurrentMap()->Caption(), "Middle map");

  Atlas->SelectMap(3);  // a program's selection shows but is no user change
  EXPECT_EQ(Combo->currentIndex(), 2);
  EXPECT_EQ(changes, 1);

  QTest::keyClick(Combo, Qt::Key_Up);  // the keyboard picks the item above
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Atlas->CurrentMap()->Caption(), "Middle map");
}

TEST_F(HostedAtlas, TheZoomButtonGivesTheZoomCursorAndAZoomClickTheFinerMap) {
  ASSERT_NE(Zoom, nullptr);
  ASSERT_NE(MapWidget, nullptr);
  ASSERT_TRUE(Atlas->SelectMap(1));
  QTest::mouseClick(Zoom, Qt::LeftButton);
  EXPECT_TRUE(Atlas->ZoomButton()->Down());
  EXPECT_FALSE(Atlas->PointerButton()->Down());
  EXPECT_TRUE(Zoom->isChecked());
  EXPECT_FALSE(Pointer->isChecked());

  const TCursorShape* shape = CursorShape(Screen->Cursors(TGeoAtlas::crGeoZoom));
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(Atlas->CurrentMap()->Cursor(), TGeoAtlas::crGeoZoom);
  const QCursor shown = MapWidget->cursor();
  EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
  EXPECT_EQ(shown.hotSpot(), QPoint(shape->HotSpot.X, shape->HotSpot.Y));
  EXPECT_EQ(shown.pixmap().size(), QSize(shape->Width, shape->Height));

  // Where the finer maps are: they are all centred on (46.5, 10.5).
  int x = 0, y = 0;
  ASSERT_TRUE(Atlas->CurrentMap()->CalcPixelCoords(46.5, 10.5, x, y));
  const TPoint at = Atlas->CurrentMap()->MapImageToControl(TPoint{x, y});
  const QPoint centre(at.X, at.Y);
  QTest::mouseClick(MapWidget, Qt::LeftButton, {}, centre);
  EXPECT_EQ(Atlas->CurrentMap()->Caption(), "Middle map");
  EXPECT_EQ(Combo->currentText().toStdString(), "Middle map");
  QTest::mouseClick(MapWidget, Qt::RightButton, {}, centre);
  EXPECT_EQ(Combo->currentText().toStdString(), "Coarse map");

  QTest::mouseClick(Pointer, Qt::LeftButton);
  EXPECT_TRUE(Pointer->isChecked());
  EXPECT_NE(MapWidget->cursor().shape(), Qt::BitmapCursor);
}

// Loading a map lets Qt paint on the way (progress); the picture shown at
// the end must still be the one for the final selection.
TEST_F(HostedAtlas, ShowsTheSamePictureAsTheHeadlessAtlasMap) {
  ASSERT_TRUE(Atlas->SelectMap(2));
  Settle();
  TGeoAtlas headless;  // gets a hidden widget of its own while the host runs; its surface is what counts
  for (const char* name : {"coarse", "middle", "fine"}) headless.RegisterMap(Maps.File(std::string(name) + ".xml"));
  headless.SetBounds(Atlas->Left(), Atlas->Top(), Atlas->Width(), Atlas->Height());
  ASSERT_TRUE(headless.SelectMap(2));
  headless.CurrentMap()->Update();
  std::string first;
  EXPECT_EQ(DifferentPixels(MapWidget, *headless.CurrentMap()->Surface(), &first), 0) << first;
}
