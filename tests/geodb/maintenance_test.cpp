// Garbage collection, its crash recovery, the debug dump, region queries.
#include <random>

#include "GeoDBTestUtil.h"
#include "FileIO.h"

namespace orq::test {
namespace {

TEST(GeoDBMaintenance, GarbageCollectionKeepsOnlyReferencedPayloads) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("g"));
  TMetaInfo mi;
  mi.Caption = "c";
  const int r = AddRiverPts(db, "r", {P(1, 1), P(2, 2)});
  const int b = db.AddBLOB("b", 0, 0, 0, 0, 0, 0, 0, 0, 0, mi, "abcdef", 6);
  AddTownAt(db, "t", 3, 3);
  std::string n = "r";
  db.ReplaceRiver(r, n, {P(5, 5), P(6, 6), P(7, 7)}, 0, 0, 0, 0, 0, 0, 0, 0, 0);  // 16 bytes unreferenced
  const int gone = AddRiverPts(db, "x", {P(0, 0)});
  db.DeleteData(gone);  // 8 more
  const int64_t before = SizeOf(dir.File("g.orqgdd"));
  EXPECT_EQ(db.GarbageCollection(), 24);
  EXPECT_EQ(SizeOf(dir.File("g.orqgdd")), before - 24);
  EXPECT_EQ(SizeOf(dir.File("g.orqgdd")), 260 + 24 + 1024 + 6);
  std::vector<TSCoords> pts;
  ASSERT_TRUE(db.RetrievePolygon(r, pts));
  EXPECT_EQ(pts.back(), P(7, 7));
  TMemoryStream s;
  TMetaInfo got;
  ASSERT_TRUE(db.RetrieveBLOB(b, got, &s));
  EXPECT_EQ(got.Caption, "c");
  EXPECT_EQ(std::string(static_cast<const char*>(s.Memory()), 6), "abcdef");
  // The summary on disk carries the new offsets.
  db.SetDBName("");
  db.SetDBName(dir.File("g"));
  ASSERT_TRUE(db.RetrievePolygon(r, pts));
  EXPECT_EQ(pts.size(), 3u);
  EXPECT_EQ(db.GarbageCollection(), 0);
}

TEST(GeoDBMaintenance, GarbageCollectionRefusesPayloadsOutsideTheFile) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("g"));
  AddRiverPts(db, "r", {P(1, 1), P(2, 2)});
  db.SetDBName("");
  fs::resize_file(dir.File("g.orqgdd"), 270);
  db.SetDBName(dir.File("g"));
  EXPECT_THROW(db.GarbageCollection(), EOrqGeoDBError);
  EXPECT_EQ(SizeOf(dir.File("g.orqgdd")), 270);
}

// A crash at every file write of a collection leaves either the old or the
// new database, complete, after reopening.
TEST(GeoDBMaintenance, InterruptedGarbageCollectionRecovers) {
  ScratchDir dir;
  std::vector<std::vector<uint8_t>> original;
  {
    TGeoDB db;
    db.SetDBName(dir.File("g"));
    AddRiverPts(db, "r", {P(1, 1), P(2, 2)});
    std::string n = "r";
    db.ReplaceRiver(1, n, {P(3, 3)}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  }
  for (int stopAt = 1;; ++stopAt) {
    // Fresh copy of the database for each crash point.
    ScratchDir work;
    for (const char* ext : kAllExts) fs::copy_file(dir.File(std::string("g") + ext), work.File(std::string("g") + ext));
    int writes = 0;
    bool crashed = false;
    {
      TGeoDB db;
      db.SetDBName(work.File("g"));
      gdb_detail::SetFileWriteObserver([&](const std::string&) {
        if (++writes == stopAt) throw std::runtime_error("crash");
      });
      try {
        db.GarbageCollection();
      } catch (const std::runtime_error&) {
        crashed = true;
      }
      gdb_detail::SetFileWriteObserver(nullptr);
    }
    TGeoDB db;
    db.SetDBName(work.File("g"));
    std::vector<TSCoords> pts;
    ASSERT_TRUE(db.RetrievePolygon(1, pts)) << "crash after write " << stopAt;
    EXPECT_EQ(pts, std::vector<TSCoords>{P(3, 3)}) << "crash after write " << stopAt;
    EXPECT_FALSE(fs::exists(work.File("g.orqgds.gcpending")));
    if (!crashed) break;
  }
}

TEST(GeoDBMaintenance, ExportDataDebugListsHeaderItemsAndIndexes) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("e"));
  db.SetDescription("Debug me");
  AddTownAt(db, "Bern", 46.95f, 7.45f);
  AddRiverPts(db, "Aare", {P(46, 7), P(47, 8)});
  db.ExportDataDebug(dir.File("dump.txt"));
  const auto bytes = ReadBytes(dir.File("dump.txt"));
  const std::string text(bytes.begin(), bytes.end());
  for (const char* needle : {"Description: Debug me", "NumEntries: 2", "Name=\"Bern\"", "Kind=River", "Index 0",
                             "Index 4 (LongHigh", "Closed=0"})
    EXPECT_NE(text.find(needle), std::string::npos) << needle;
  EXPECT_THROW(db.ExportDataDebug(dir.File("no/such/dir/x.txt")), EInOutError);
}

TEST(GeoDBRegion, FindItemsInRegionMatchesABruteForceScan) {
  ScratchDir dir;
  TGeoDB db;
  db.SetDBName(dir.File("s"));
  db.SetLazyWrite(true);
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> lat(-10, 10), lon(-20, 20), side(0.01f, 2.0f);
  auto addBox = [&] {
    const float la = lat(rng), lo = lon(rng);
    return AddRiverPts(db, "b", {P(la, lo), P(la + side(rng), lo + side(rng))});
  };
  for (int i = 0; i < 3000; ++i) addBox();
  AddRiverPts(db, "empty", {});  // box 90/-90: meets nothing
  std::uniform_int_distribution<int> op(0, 9);
  for (int round = 0; round < 300; ++round) {
    // Changes between queries exercise the changed-slot list and rebuilds.
    const int o = op(rng);
    if (o < 3) {
      addBox();
    } else if (o < 5) {
      db.DeleteData(std::uniform_int_distribution<int>(1, db.NumEntries())(rng));
    } else if (o < 6) {
      TgdbData d = db.Data(1);
      std::string n = "t";
      db.ReplaceTown(std::uniform_int_distribution<int>(1, db.NumEntries())(rng), n, 0, 0, P(lat(rng), lon(rng)), 0, 0, 0);
    }
    const double la = lat(rng), lo = lon(rng);
    const double w = round % 10 == 0 ? 0 : 1.5;  // some point queries
    std::vector<int> expected;
    for (int i = 1; i <= db.NumEntries(); ++i) {
      const TgdbData d = db.Data(i);
      if (d.LatLow <= d.LatHigh && d.LongLow <= d.LongHigh && d.LatLow <= la + w && d.LatHigh >= la &&
          d.LongLow <= lo + w && d.LongHigh >= lo)
        expected.push_back(i);
    }
    ASSERT_EQ(db.FindItemsInRegion(la, la + w, lo, lo + w), expected) << "round " << round;
  }
  EXPECT_EQ(db.FindItemsInRegion(-90, 90, -180, 180).size(), static_cast<size_t>(db.NumEntries() - 1));
  EXPECT_TRUE(db.FindItemsInRegion(5, 4, -180, 180).empty());  // inverted window
  EXPECT_TRUE(db.FindItemsInRegion(std::numeric_limits<double>::quiet_NaN(), 4, -180, 180).empty());
}

}  // namespace
}  // namespace orq::test
