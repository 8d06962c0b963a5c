// The atlas's registered maps: registration keys and the list, selecting,
// unregistering, and the choice of map when zooming in and out.
#include <gtest/gtest.h>

#include <filesystem>

#include "atlas_test_support.h"
#include "orqplatform/FileUtils.h"

namespace orq {
namespace {

class AtlasMaps : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new TAtlasMapFolder("maps");
    m100 = folder->MapOfResolution("m100", 100, "100 m");
    m50 = folder->MapOfResolution("m50", 50, "50 m");
    m20 = folder->MapOfResolution("m20", 20, "20 m");
    m5 = folder->MapOfResolution("m5", 5, "5 m");
  }
  static void TearDownTestSuite() { delete folder; }
  void RegisterAll() {
    for (const std::string& f : {m100, m50, m20, m5}) ASSERT_TRUE(atlas.RegisterMap(f)) << f;
  }
  std::string Shown() const { return atlas.MapSelector()->Text(); }

  static inline TAtlasMapFolder* folder = nullptr;
  static inline std::string m100, m50, m20, m5;
  TGeoAtlas atlas;
};

TEST_F(AtlasMaps, RegistrationTakesTheBlockWithoutSelecting) {
  RegisterAll();
  EXPECT_EQ(atlas.NumRegMaps(), 4);
  const TMapDefinition def = atlas.Maps(2);
  EXPECT_EQ(def.MapFName, LowerCase(m50));
  EXPECT_EQ(def.Caption, "50 m");
  EXPECT_NEAR(def.Resolution, 50, 2.5);
  EXPECT_LT(def.Corners[gcoBottomLeft].Latit, 46.5);
  EXPECT_GT(def.Corners[gcoTopRight].Longit, 10.5);
  EXPECT_EQ(atlas.MapSelector()->Items()->Items(), (std::vector<std::string>{"100 m", "50 m", "20 m", "5 m"}));
  EXPECT_EQ(atlas.MapSelector()->ItemIndex(), -1);
  EXPECT_EQ(atlas.CurrentMap()->MapImgWidth(), 0);
  // Outside 1..200 an empty definition.
  EXPECT_EQ(atlas.GetMapDef(0), TMapDefinition{});
  EXPECT_EQ(atlas.GetMapDef(201), TMapDefinition{});
  EXPECT_EQ(atlas.GetMapDef(5), TMapDefinition{});
  EXPECT_FALSE(atlas.RegisterMap(folder->File("none.xml")));
  EXPECT_EQ(atlas.NumRegMaps(), 4);
}

TEST_F(AtlasMaps, MixedCaseFileRegistersOnceAndLoadsOnACaseSensitiveDisk) {
  // "Alps.XML" beside "Alps.bmp": the key is lower case, the disk is not.
  const std::string generated = folder->MapOfResolution("Alps", 30, "Alps");
  const std::string mixed = folder->File("Alps.XML");
  std::filesystem::rename(generated, mixed);
  ASSERT_TRUE(atlas.RegisterMap(mixed));
  ASSERT_TRUE(atlas.RegisterMap(LowerCase(mixed)));
  EXPECT_EQ(atlas.NumRegMaps(), 1);
  EXPECT_EQ(atlas.Maps(1).MapFName, LowerCase(mixed));
  ASSERT_TRUE(atlas.SelectMap(1));
  EXPECT_EQ(atlas.CurrentMap()->MapImgWidth(), 400);
  EXPECT_EQ(atlas.CurrentMap()->Caption(), "Alps");
  EXPECT_EQ(atlas.MapSelector()->ItemIndex(), 0);
}

TEST_F(AtlasMaps, ReRegisteringUpdatesInPlaceAndTheListShowsTheNameWithoutCaption) {
  RegisterAll();
  const std::string file = folder->MapOfResolution("update", 50, "first");
  ASSERT_TRUE(atlas.RegisterMap(file));
  folder->MapOfResolution("update", 70, "");  // the same file, rewritten
  ASSERT_TRUE(atlas.RegisterMap(file));
  EXPECT_EQ(atlas.NumRegMaps(), 5);
  EXPECT_EQ(atlas.Maps(5).Caption, "");
  EXPECT_NEAR(atlas.Maps(5).Resolution, 70, 3.5);
  EXPECT_EQ(atlas.MapSelector()->Items()->Count(), 5);
  EXPECT_EQ(atlas.MapSelector()->Items()->Strings(4), LowerCase(file));
}

TEST_F(AtlasMaps, GeneratedBlockWithoutResolutionRegistersZero) {
  const std::string raw = folder->GeneratedMap("raw", 46, 10, 47, 11, 200);
  ASSERT_TRUE(atlas.RegisterMap(raw));
  EXPECT_EQ(atlas.Maps(1).Resolution, 0);
  // Never chosen by zooming in: its resolution is unknown.
  EXPECT_FALSE(atlas.ZoomIn(46.5, 10.5, 100));
}

TEST_F(AtlasMaps, The201stRegistrationIsRefused) {
  for (int i = 1; i <= 201; ++i)
    std::filesystem::copy_file(m100, folder->File("copy" + std::to_string(i) + ".xml"),
                               std::filesystem::copy_options::overwrite_existing);
  for (int i = 1; i <= 200; ++i) ASSERT_TRUE(atlas.RegisterMap(folder->File("copy" + std::to_string(i) + ".xml")));
  EXPECT_FALSE(atlas.RegisterMap(folder->File("copy201.xml")));
  EXPECT_EQ(atlas.NumRegMaps(), 200);
  EXPECT_EQ(atlas.MapSelector()->Items()->Count(), 200);
  // Updating one of the 200 still works.
  EXPECT_TRUE(atlas.RegisterMap(folder->File("copy7.xml")));
  EXPECT_EQ(atlas.NumRegMaps(), 200);
}

TEST_F(AtlasMaps, ZoomInTakesTheCoarsestMapFinerByMoreThanMinResDiff) {
  RegisterAll();
  EXPECT_EQ(atlas.MinResDiff(), 10.0);
  ASSERT_TRUE(atlas.ZoomIn(46.5, 10.5, 100));
  EXPECT_EQ(Shown(), "50 m");
  EXPECT_EQ(atlas.CurrentMap()->Caption(), "50 m");
  // The 50 m map is only 50 % finer than 100 m.
  atlas.SetMinResDiff(60);
  ASSERT_TRUE(atlas.ZoomIn(46.5, 10.5, 100));
  EXPECT_EQ(Shown(), "20 m");
  // Nothing finer than the finest; nothing outside every map.
  EXPECT_FALSE(atlas.ZoomIn(46.5, 10.5, atlas.Maps(4).Resolution));
  EXPECT_FALSE(atlas.ZoomIn(40, 10.5, 1000));
  EXPECT_EQ(Shown(), "20 m");
}

TEST_F(AtlasMaps, ZoomOutTakesTheFinestCoarserMap) {
  RegisterAll();
  ASSERT_TRUE(atlas.ZoomOut(46.5, 10.5, 20));
  EXPECT_EQ(Shown(), "50 m");
  EXPECT_FALSE(atlas.ZoomOut(46.5, 10.5, atlas.Maps(1).Resolution));
}

TEST_F(AtlasMaps, EqualResolutionIsNeverChosenAndTheFirstWinsOnTies) {
  RegisterAll();
  std::filesystem::copy_file(m50, folder->File("twin50.xml"), std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(atlas.RegisterMap(folder->File("twin50.xml")));  // map 5, same resolution as map 2
  const double r50 = atlas.Maps(2).Resolution;
  ASSERT_TRUE(atlas.ZoomIn(46.5, 10.5, r50));
  EXPECT_EQ(atlas.MapSelector()->ItemIndex(), 2);  // 20 m
  ASSERT_TRUE(atlas.ZoomOut(46.5, 10.5, r50));
  EXPECT_EQ(atlas.MapSelector()->ItemIndex(), 0);  // 100 m
  ASSERT_TRUE(atlas.ZoomOut(46.5, 10.5, atlas.Maps(3).Resolution));
  EXPECT_EQ(atlas.MapSelector()->ItemIndex(), 1);  // the first of the two 50 m maps
}

TEST_F(AtlasMaps, ZoomingCentresThePosition) {
  RegisterAll();
  ASSERT_TRUE(atlas.ZoomIn(46.5, 10.5, 100));
  TGeoMap* map = atlas.CurrentMap();
  int x = 0, y = 0;
  ASSERT_TRUE(map->CalcPixelCoords(46.5, 10.5, x, y));
  const TPoint c = map->MapImageToControl(TPoint{x, y});
  // The 400-pixel image is narrower than the map control, so only the
  // vertical can be centred; horizontally the view starts at the image's edge.
  EXPECT_EQ(map->TopLeft().X, 0);
  EXPECT_NEAR(c.Y, map->Height() / 2, 1);
}

TEST_F(AtlasMaps, SelectingOutOfRangeOrAMissingFileChangesNoSelection) {
  RegisterAll();
  ASSERT_TRUE(atlas.SelectMap(3));
  EXPECT_FALSE(atlas.SelectMap(0));
  EXPECT_FALSE(atlas.SelectMap(5));
  const std::string gone = folder->MapOfResolution("gone", 10, "gone");
  ASSERT_TRUE(atlas.RegisterMap(gone));
  std::filesystem::remove(gone);
  atlas.MapSelector()->SetItemIndex(2);
  EXPECT_FALSE(atlas.SelectMap(5));
  EXPECT_EQ(atlas.MapSelector()->ItemIndex(), 2);
}

TEST_F(AtlasMaps, UnregisteringTheSelectedMapShowsTheOneMovingIntoItsPlace) {
  for (const std::string& f : {m100, m50, m20}) ASSERT_TRUE(atlas.RegisterMap(f));
  ASSERT_TRUE(atlas.SelectMap(2));
  atlas.UnregisterMap(2);
  EXPECT_EQ(atlas.NumRegMaps(), 2);
  EXPECT_EQ(atlas.Maps(2).Caption, "20 m");
  EXPECT_EQ(atlas.MapSelector()->ItemIndex(), 1);
  EXPECT_EQ(atlas.CurrentMap()->Caption(), "20 m");
  // Removing another map keeps the selection on the map shown.
  atlas.UnregisterMap(1);
  EXPECT_EQ(Shown(), "20 m");
  atlas.UnregisterMap(0);
  atlas.UnregisterMap(2);
  EXPECT_EQ(atlas.NumRegMaps(), 1);
}

TEST_F(AtlasMaps, ChoosingFromTheListLoadsTheMapAndTellsTheApplication) {
  RegisterAll();
  int changes = 0;
  std::string shownThen;
  atlas.SetOnCBoxMapsChange([&](TObject* Sender) {
    EXPECT_EQ(Sender, &atlas);
    ++changes;
    shownThen = atlas.CurrentMap()->Caption();
  });
  ASSERT_TRUE(atlas.MapSelector()->SelectItem(3));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(shownThen, "5 m");
}

}  // namespace
}  // namespace orq
