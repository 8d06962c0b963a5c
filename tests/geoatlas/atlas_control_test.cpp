// The atlas as a control: its children and resources, the mode buttons,
// clicks on the map in zoom mode, the outlines of the other maps, and
// destruction.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "atlas_test_support.h"
#include "orqplatform/Resources.h"

namespace orq {
namespace {

TEST(AtlasControl, ConstructionLaysOutItsChildren) {
  TGeoAtlas atlas;
  EXPECT_EQ(atlas.BoundsRect(), Rect(100, 50, 580, 370));
  EXPECT_FALSE(atlas.ControlStyle().contains(csAcceptsControls));
  EXPECT_FALSE(atlas.ControlStyle().contains(csSetCaption));
  EXPECT_TRUE(atlas.ControlStyle().contains(csFramed));
  EXPECT_TRUE(atlas.ControlStyle().contains(csOpaque));
  EXPECT_EQ(atlas.MapOutlineColor(), 0xFF0000u);
  EXPECT_TRUE(atlas.MapOutlineVisible());
  EXPECT_EQ(atlas.NumRegMaps(), 0);

  EXPECT_EQ(atlas.CmdPanel()->Parent(), &atlas);
  EXPECT_EQ(atlas.CmdPanel()->Align(), alTop);
  EXPECT_EQ(atlas.CmdPanel()->BoundsRect(), Rect(0, 0, 480, 33));
  EXPECT_EQ(atlas.CurrentMap()->Align(), alClient);
  EXPECT_EQ(atlas.CurrentMap()->BoundsRect(), Rect(0, 33, 480, 320));
  TSpeedButton* p = atlas.PointerButton();
  TSpeedButton* z = atlas.ZoomButton();
  EXPECT_EQ(p->BoundsRect(), Rect(3, 3, 29, 29));
  EXPECT_EQ(z->BoundsRect(), Rect(32, 3, 58, 29));
  for (TSpeedButton* b : {p, z}) {
    EXPECT_EQ(b->Parent(), atlas.CmdPanel());
    EXPECT_TRUE(b->Flat());
    EXPECT_EQ(b->GroupIndex(), 999);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Glyph()->Width(), 40);
    EXPECT_EQ(b->Glyph()->Height(), 20);
    EXPECT_EQ(b->Glyph()->PixelFormat(), pf8bit);
  }
  EXPECT_TRUE(p->Down());
  EXPECT_FALSE(z->Down());
  EXPECT_EQ(atlas.MapSelector()->Left(), 68);
  EXPECT_EQ(atlas.MapSelector()->Top(), 5);
  EXPECT_EQ(atlas.MapSelector()->Width(), 300);
  EXPECT_EQ(atlas.MapSelector()->Style(), csDropDownList);

  atlas.SetCmdPanelVisible(false);
  EXPECT_FALSE(atlas.CmdPanelVisible());
  EXPECT_EQ(atlas.CurrentMap()->BoundsRect(), Rect(0, 0, 480, 320));

  atlas.HandleNeeded();
  EXPECT_EQ(atlas.CurrentMap()->EmptyMsg(), "TGeoAtlas: Empty");
}

TEST(AtlasControl, GlyphsHaveADrawingAndItsDisabledFormOnATransparentGround) {
  TGeoAtlas atlas;  // registers the resources
  for (const char* name : {"POINTR", "ZOOMIN"}) {
    const auto glyph = LoadBitmapResource(name);
    ASSERT_NE(glyph, nullptr) << name;
    const TColor ground = glyph->ScanLine(19)[0];
    int normal = 0, disabled = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        normal += glyph->ScanLine(y)[x] != ground;
        disabled += glyph->ScanLine(y)[20 + x] != ground;
      }
    EXPECT_GT(normal, 40) << name;
    EXPECT_GT(disabled, 20) << name;
    EXPECT_LT(disabled, normal) << name;
  }
  EXPECT_EQ(LoadBitmapResource("NOSUCH"), nullptr);
}

TEST(AtlasControl, CursorsOutliveTheAtlasInTheCursorTable) {
  auto* owner = new TComponent;
  auto* atlas = new TGeoAtlas(owner);
  atlas->CurrentMap()->Paint();
  const TCursorShape* zoom = CursorShape(Screen->Cursors(TGeoAtlas::crGeoZoom));
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(zoom->Name, "CURGEOZOOM");
  delete owner;  // frees the atlas, which frees its children
  const TCursorShape* zoomAfter = CursorShape(Screen->Cursors(TGeoAtlas::crGeoZoom));
  const TCursorShape* hand = CursorShape(Screen->Cursors(TGeoAtlas::crGeoHand));
  ASSERT_NE(zoomAfter, nullptr);
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand->Name, "CURGEOHAND");
  EXPECT_EQ(hand->Width, 16);
  EXPECT_EQ(hand->Pixels.size(), 256u);
  // Opaque pixels and transparent ones both.
  int opaque = 0;
  for (uint32_t px : hand->Pixels) opaque += (px >> 24) == 255;
  EXPECT_GT(opaque, 60);
  EXPECT_LT(opaque, 256);
}

class AtlasMouse : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new TAtlasMapFolder("mouse");
    m100 = folder->MapOfResolution("m100", 100, "100 m");
    m50 = folder->MapOfResolution("m50", 50, "50 m");
  }
  static void TearDownTestSuite() { delete folder; }
  void SetUp() override {
    ASSERT_TRUE(atlas.RegisterMap(m100));
    ASSERT_TRUE(atlas.RegisterMap(m50));
    ASSERT_TRUE(atlas.SelectMap(1));
    atlas.SetOnClick([&](TObject*) { events.push_back("click"); });
    atlas.SetOnZoomButClick([&](TObject*) { events.push_back("zoom"); });
    atlas.SetOnPointerButClick([&](TObject*) { events.push_back("pointer"); });
    atlas.SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) {
      events.push_back("down:" + atlas.MapSelector()->Text());
    });
  }
  // A press on the map at the position of (46.5, 10.5).
  void PressAtCentre(TMouseButton Button) {
    TGeoMap* map = atlas.CurrentMap();
    int x = 0, y = 0;
    ASSERT_TRUE(map->CalcPixelCoords(46.5, 10.5, x, y));
    const TPoint c = map->MapImageToControl(TPoint{x, y});
    map->MouseDown(Button, TShiftState{}, c.X, c.Y);
    map->MouseUp(Button, TShiftState{}, c.X, c.Y);
  }

  static inline TAtlasMapFolder* folder = nullptr;
  static inline std::string m100, m50;
  TGeoAtlas atlas;
  std::vector<std::string> events;
};

TEST_F(AtlasMouse, ZoomButtonSwitchesTheCursorAndPanning) {
  atlas.ZoomButton()->Click();
  EXPECT_TRUE(atlas.ZoomButton()->Down());
  EXPECT_FALSE(atlas.PointerButton()->Down());
  EXPECT_EQ(atlas.Cursor(), TGeoAtlas::crGeoZoom);
  EXPECT_FALSE(atlas.CurrentMap()->AllowPan());
  EXPECT_EQ(events, (std::vector<std::string>{"click", "zoom"}));
  atlas.PointerButton()->Click();
  EXPECT_EQ(atlas.Cursor(), crHandPoint);
  EXPECT_TRUE(atlas.CurrentMap()->AllowPan());
  EXPECT_EQ(events, (std::vector<std::string>{"click", "zoom", "click", "pointer"}));
}

TEST_F(AtlasMouse, InZoomModeLeftZoomsInAndRightZoomsOutAfterTheAtlasMouseDown) {
  atlas.ZoomButton()->Click();
  events.clear();
  PressAtCentre(mbLeft);
  EXPECT_EQ(atlas.MapSelector()->Text(), "50 m");
  PressAtCentre(mbRight);
  EXPECT_EQ(atlas.MapSelector()->Text(), "100 m");
  EXPECT_EQ(events, (std::vector<std::string>{"down:100 m", "down:50 m"}));
}

TEST_F(AtlasMouse, WithThePointerButtonDownClicksSwitchNothing) {
  PressAtCentre(mbLeft);
  PressAtCentre(mbRight);
  EXPECT_EQ(atlas.MapSelector()->Text(), "100 m");
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(AtlasMouse, MapEventsAreTheAtlasEvents) {
  int ups = 0, moves = 0, dbl = 0;
  atlas.SetOnMouseUp([&](TObject* S, TMouseButton, TShiftState, int X, int Y) {
    EXPECT_EQ(S, &atlas);
    EXPECT_EQ(X, 7);
    ++ups;
  });
  atlas.SetOnMouseMove([&](TObject*, TShiftState, int X, int Y) { moves += X == 9 && Y == 4; });
  atlas.SetOnDblClick([&](TObject*) { ++dbl; });
  atlas.CurrentMap()->MouseUp(mbLeft, TShiftState{}, 7, 8);
  atlas.CurrentMap()->MouseMove(TShiftState{}, 9, 4);
  atlas.CurrentMap()->DblClick();
  atlas.CurrentMap()->Click();
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(events, (std::vector<std::string>{"click"}));
}

TEST(AtlasImages, ImagesAreLookedUpBesideTheCurrentCalibrationFile) {
  TAtlasMapFolder folder("images");
  TGeoAtlas atlas;
  std::string name = "elsewhere/Map.BMP";
  atlas.CurrentMap()->OnMapImageRequest()(atlas.CurrentMap(), name);
  EXPECT_EQ(name, "elsewhere/Map.BMP");  // no map current yet: unchanged
  ASSERT_TRUE(atlas.RegisterMap(folder.MapOfResolution("m", 80, "m")));
  ASSERT_TRUE(atlas.SelectMap(1));
  atlas.CurrentMap()->OnMapImageRequest()(atlas.CurrentMap(), name);
  EXPECT_EQ(name, folder.File("") + "Map.BMP");
}

// Map A covers 46..47 N, 10..11 E on a 430-pixel image whose frame, 30
// pixels inside, spans 370 pixels a degree; map B (46.2..46.8, 10.2..10.8)
// then sits at image pixels 104..326 both ways.
class AtlasOutlines : public ::testing::TestWithParam<double> {
 protected:
  static void SetUpTestSuite() {
    folder = new TAtlasMapFolder("outlines");
    a = folder->GeneratedMap("a", 46, 10, 47, 11, 430);
    b = folder->GeneratedMap("b", 46.2, 10.2, 46.8, 10.8, 200);
  }
  static void TearDownTestSuite() { delete folder; }
  static inline TAtlasMapFolder* folder = nullptr;
  static inline std::string a, b;
};

TEST_P(AtlasOutlines, OtherMapsAreOutlinedAtTheirControlPixels) {
  const double mag = GetParam();
  TGeoAtlas atlas;
  atlas.SetBounds(0, 0, 800, 800);
  ASSERT_TRUE(atlas.RegisterMap(a));
  ASSERT_TRUE(atlas.RegisterMap(b));
  ASSERT_TRUE(atlas.SelectMap(1));
  TGeoMap* map = atlas.CurrentMap();
  const int shift = mag > 1 ? 60 : 0;
  map->SetTopLeft(TPoint{shift, shift});
  map->SetMagnification(mag);
  const auto ctl = [&](int image) { return static_cast<int>(std::lround((image - shift) * mag)); };
  const int lo = ctl(104), hi = ctl(326), mid = (lo + hi) / 2;
  const TBitmap* pic = map->AuxBmp();
  const auto px = [&](int x, int y) { return pic->ScanLine(y)[x]; };
  const TColor blue = pic->Quantize(0xFF0000);
  EXPECT_EQ(px(mid, lo), blue);   // top edge
  EXPECT_EQ(px(mid, hi), blue);   // bottom edge
  EXPECT_EQ(px(lo, mid), blue);   // left edge
  EXPECT_EQ(px(hi, mid), blue);   // right edge
  EXPECT_EQ(px(lo, lo), blue);
  EXPECT_EQ(px(hi, hi), blue);
  EXPECT_NE(px(mid, lo - 2), blue);
  EXPECT_NE(px(mid, lo + 2), blue);
  EXPECT_NE(px(hi + 2, mid), blue);
  // The map shown has no outline of its own: its frame corner stays black or white.
  EXPECT_NE(px(ctl(215), ctl(400)), blue);

  atlas.SetMapOutlineVisible(false);
  EXPECT_NE(px(mid, lo), blue);
  atlas.SetMapOutlineVisible(true);
  atlas.SetMapOutlineColor(0x0000FF);
  EXPECT_EQ(px(mid, lo), pic->Quantize(0x0000FF));
}

INSTANTIATE_TEST_SUITE_P(Magnifications, AtlasOutlines, ::testing::Values(0.5, 1.0, 2.0));

}  // namespace
}  // namespace orq
