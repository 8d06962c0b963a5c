// Opening and closing, the header values, lazy writing and the header reader.
#include "GeoDBTestUtil.h"

namespace orq::test {
namespace {

TEST(GeoDBOpen, DefaultsBeforeOpening) {
  TGeoDB db;
  EXPECT_EQ(db.DBName(), "");
  EXPECT_EQ(db.NumEntries(), 0);
  EXPECT_FALSE(db.LazyWrite());
  EXPECT_TRUE(db.OnPercDoneEnabled());
  EXPECT_EQ(db.DBVersion(), 4);
  EXPECT_EQ(db.Revision(), 0);
  // Closed: setters keep nothing, operations answer their closed result.
  db.SetDescription("ignored");
  db.SetRevision(3);
  EXPECT_EQ(db.Description(), "");
  EXPECT_EQ(db.Revision(), 0);
  std::string n = "x";
  EXPECT_EQ(db.AddTown(n, 0, 0, P(0, 0), 0, 0, 0), -1);
  db.DeleteData(1);
  std::vector<TSCoords> poly;
  EXPECT_FALSE(db.RetrievePolygon(1, poly));
  EXPECT_EQ(db.SearchForItemID(1), 0);
  EXPECT_EQ(db.GetClosestLatLowIx(3), 1);
  EXPECT_EQ(db.Data(1).ItemId, 0);
  EXPECT_EQ(db.IxItemID(1).index, 0);
  EXPECT_EQ(db.GarbageCollection(), -1);
  EXPECT_TRUE(db.FindItemsInRegion(-90, 90, -180, 180).empty());
}

TEST(GeoDBOpen, NameWithExtensionUsesTheBase) {
  ScratchDir dir;
  TGeoDB db;
  // A directory that does not exist: an input/output error, and still closed.
  EXPECT_THROW(db.SetDBName(dir.File("maps.v2/roads.dat")), EInOutError);
  EXPECT_EQ(db.DBName(), "");
  fs::create_directories(dir.Path() / "maps.v2");
  db.SetDBName(dir.File("maps.v2/roads.dat"));
  EXPECT_EQ(db.DBName(), dir.File("maps.v2/roads"));
  EXPECT_TRUE(fs::exists(dir.File("maps.v2/roads.orqgdd")));
  db.SetDBName(dir.File("maps.v2/plain"));
  EXPECT_EQ(db.DBName(), dir.File("maps.v2/plain"));
  db.SetDBName("");
  EXPECT_EQ(db.DBName(), "");
}

TEST(GeoDBOpen, HeaderValuesPersistAndDescriptionIsCut) {
  ScratchDir dir;
  {
    TGeoDB db;
    db.SetDBName(dir.File("h"));
    db.SetDescription(std::string(70, 'd'));
    EXPECT_EQ(db.Description(), std::string(60, 'd'));
    db.SetDescription(std::string(58, 'a') + "äöü");  // cut in characters, not bytes
    EXPECT_EQ(db.Description(), std::string(58, 'a') + "äö");
    db.SetRevision(12);
    AddTownAt(db, "a", 1, 1);
    AddTownAt(db, "b", 1, 1);
  }
  TGeoDB db;
  db.SetDBName(dir.File("h"));
  EXPECT_EQ(db.Description(), std::string(58, 'a') + "äö");
  EXPECT_EQ(db.Revision(), 12);
  EXPECT_EQ(db.SystemData().HighestID, 2);
  const TgdbSystemInformation info = ReadSystemInformation(dir.File("h.orqgdd"));
  EXPECT_EQ(info.Description, db.Description());
  EXPECT_EQ(info.Revision, 12);
  EXPECT_EQ(info.DBVersion, 4);
  EXPECT_EQ(info.HighestID, 2);
  EXPECT_EQ(info.NumEntries, 2);
  EXPECT_THROW(ReadSystemInformation(dir.File("missing")), EInOutError);
  db.SetDBName("");
  EXPECT_EQ(db.Description(), "");
  EXPECT_EQ(db.Revision(), 0);
}

TEST(GeoDBOpen, HeaderWriteFailureNamesTheSetter) {
  ScratchDir dir;
  TGeoDB db;
  db.SetName("Atlas1");
  db.SetDBName(dir.File("g"));
  fs::remove(dir.File("g.orqgdd"));
  try {
    db.SetDescription("x");
    FAIL();
  } catch (const EOrqGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"Atlas1\": SetDescription: cannot open database.");
  }
  EXPECT_EQ(db.Description(), "x");  // kept in memory
  try {
    db.SetRevision(2);
    FAIL();
  } catch (const EOrqGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"Atlas1\": SetRevision: cannot open database.");
  }
  std::string n = "t";
  try {
    db.AddTown(n, 0, 0, P(0, 0), 0, 0, 0);
    FAIL();
  } catch (const EOrqGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"Atlas1\": AddData: cannot open database.");
  }
  EXPECT_EQ(db.NumEntries(), 0);
}

TEST(GeoDBOpen, LazyWriteDefersIndexFilesUntilSwitchedOff) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("l"));
  db.SetLazyWrite(false);  // no change: nothing written
  db.SetLazyWrite(true);
  AddTownAt(db, "a", 3, 3);
  AddTownAt(db, "b", 1, 1);
  for (int d = 0; d < 5; ++d) EXPECT_EQ(SizeOf(dir.File("l.orqgi" + std::to_string(d))), 0);
  EXPECT_EQ(SizeOf(dir.File("l.orqgds")), 240);
  // Lookups see the deferred state, sorted.
  EXPECT_EQ(db.IxLatLow(1).index, 2);
  db.SetLazyWrite(false);
  for (int d = 0; d < 5; ++d) EXPECT_EQ(SizeOf(dir.File("l.orqgi" + std::to_string(d))), 16);
  const auto ix1 = ReadBytes(dir.File("l.orqgi1"));
  EXPECT_EQ(F32At(ix1, 0), 1.0f);
  EXPECT_EQ(I32At(ix1, 4), 1);
}

TEST(GeoDBOpen, ClosingOpeningAnotherAndDestroyingSaveLazyIndexes) {
  ScratchDir dir;
  {
    TGeoDB db;
    db.SetDBName(dir.File("a"));
    db.SetLazyWrite(true);
    AddTownAt(db, "a", 1, 1);
    db.SetDBName("");
    EXPECT_FALSE(db.LazyWrite());
    EXPECT_EQ(SizeOf(dir.File("a.orqgi0")), 8);

    db.SetDBName(dir.File("b"));
    db.SetLazyWrite(true);
    AddTownAt(db, "b", 1, 1);
    db.SetDBName(dir.File("c"));  // saves b first
    EXPECT_EQ(SizeOf(dir.File("b.orqgi0")), 8);
    db.SetLazyWrite(true);
    AddTownAt(db, "c", 1, 1);
  }
  EXPECT_EQ(SizeOf(dir.File("c.orqgi3")), 8);
}

}  // namespace
}  // namespace orq::test
