// Adding, replacing, deleting and updating items; progress figures.
#include "GeoDBTestUtil.h"

namespace orq::test {
namespace {

class GeoDBModify : public ::testing::Test {
 protected:
  void SetUp() override {
    db.SetDBName(dir.File("m"));
    db.SetOnPercentDone([this](TObject* s, int p) {
      EXPECT_EQ(s, &db);
      progress.push_back(p);
    });
  }
  std::string F(const char* ext) const { return dir.File(std::string("m") + ext); }
  ScratchDir dir;
  TGeoDB db;
  std::vector<int> progress;
};

TEST_F(GeoDBModify, ThreeTownsAndADelete) {
  EXPECT_EQ(AddTownAt(db, "a", 1, 1), 1);
  EXPECT_EQ(AddTownAt(db, "b", 2, 2), 2);
  EXPECT_EQ(AddTownAt(db, "c", 3, 3), 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(db.Data(i).ItemId, i);
  db.DeleteData(1);
  EXPECT_EQ(db.NumEntries(), 2);
  EXPECT_EQ(db.Data(1).Name, "c");
  EXPECT_EQ(db.Data(1).ItemId, 3);
  EXPECT_EQ(SizeOf(F(".orqgds")), 240);
  for (int d = 0; d < 5; ++d) EXPECT_EQ(SizeOf(F((".orqgi" + std::to_string(d)).c_str())), 16);
  EXPECT_EQ(SizeOf(F(".orqgdd")), 260);
  EXPECT_EQ(AddTownAt(db, "d", 4, 4), 3);
  EXPECT_EQ(db.Data(3).ItemId, 4);
  EXPECT_EQ(db.SearchForItemID(3), 1);
  // The summary file holds what memory holds.
  const auto sum = ReadBytes(F(".orqgds"));
  EXPECT_EQ(I32At(sum, 0), 3);
  EXPECT_EQ(I32At(sum, 120), 2);
  EXPECT_EQ(I32At(sum, 240), 4);
}

TEST_F(GeoDBModify, ReservedItemIDsAreSkippedAndNeverGivenTwice) {
  AddTownAt(db, "a", 1, 1);
  db.ReserveItemIDs(41);
  EXPECT_EQ(db.SystemData().HighestID, 41);
  AddTownAt(db, "b", 2, 2);
  EXPECT_EQ(db.Data(2).ItemId, 42);
  db.ReserveItemIDs(10);  // below what was given out: ignored
  AddTownAt(db, "c", 3, 3);
  EXPECT_EQ(db.Data(3).ItemId, 43);
  // The header on disk carries the reservation.
  db.ReserveItemIDs(99);
  EXPECT_EQ(I32At(ReadBytes(F(".orqgdd")), 0), 99);
  db.SetDBName("");
  db.ReserveItemIDs(500);  // closed: nothing
  db.SetDBName(dir.File("m"));
  EXPECT_EQ(db.SystemData().HighestID, 99);
}

TEST_F(GeoDBModify, DeletingTheLastItemJustShortens) {
  AddTownAt(db, "a", 1, 1);
  AddTownAt(db, "b", 2, 2);
  db.DeleteData(2);
  EXPECT_EQ(db.NumEntries(), 1);
  EXPECT_EQ(SizeOf(F(".orqgds")), 120);
  EXPECT_EQ(db.IxLatLow(1), (TIxLLRec{1, 1}));
  db.DeleteData(0);  // out of range: nothing
  db.DeleteData(2);
  EXPECT_EQ(db.NumEntries(), 1);
  db.DeleteData(1);
  EXPECT_EQ(db.NumEntries(), 0);
  EXPECT_EQ(SizeOf(F(".orqgi4")), 0);
}

TEST_F(GeoDBModify, PolygonBoundingBoxAndClosedFlag) {
  std::string n = "CH";
  const std::vector<TSCoords> pts = {P(47.1f, 9.5f), P(47.9f, 8.2f), P(47.5f, 8.7f)};
  const int b = db.AddBorder(n, pts, true, 0, 0, -1, -2, -3, -4, 0, 0, 0);
  const TgdbData d = db.Data(b);
  EXPECT_EQ(d.LatLow, 47.1f);
  EXPECT_EQ(d.LatHigh, 47.9f);
  EXPECT_EQ(d.LongLow, 8.2f);
  EXPECT_EQ(d.LongHigh, 9.5f);
  EXPECT_TRUE(d.Closed);
  EXPECT_FALSE(db.Data(db.AddCity(n, pts, false, 0, 0, 0, 0, 0, 0, 0, 0, 0)).Closed);
  EXPECT_TRUE(db.Data(db.AddLake(n, pts, 0, 0, 0, 0, 0, 0, 0, 0, 0)).Closed);
  EXPECT_FALSE(db.Data(db.AddRiver(n, pts, 0, 0, 0, 0, 0, 0, 0, 0, 0)).Closed);
  EXPECT_EQ(db.Data(db.AddRoad(n, pts, 0, 0, 0, 0, 0, 0, 0, 0, 0)).ItemKind, gitRoad);
  EXPECT_EQ(db.Data(db.AddRoute(n, pts, 0, 0, 0, 0, 0, 0, 0, 0, 0)).ItemKind, gitRoute);

  const int64_t sizeBefore = SizeOf(F(".orqgdd"));
  const int e = db.AddRiver(n, {}, 0, 0, 1, 2, 3, 4, 0, 0, 0);
  const TgdbData empty = db.Data(e);
  EXPECT_EQ(empty.LatLow, 90);
  EXPECT_EQ(empty.LatHigh, -90);
  EXPECT_EQ(empty.LongLow, 180);
  EXPECT_EQ(empty.LongHigh, -180);
  EXPECT_EQ(empty.NumPoints, 0);
  EXPECT_EQ(empty.BlobOffset, sizeBefore);
}

TEST_F(GeoDBModify, LongNamesAreCutInPlace) {
  std::string n = std::string(58, 'x') + "éé";
  AddTownAt(db, n, 0, 0);
  std::string copy = n;
  db.AddTown(copy, 0, 0, P(0, 0), 0, 0, 0);
  EXPECT_EQ(copy, std::string(58, 'x') + "é");
  EXPECT_EQ(db.Data(2).Name, copy);
}

TEST_F(GeoDBModify, ReplaceKeepsItemIDAndPositionAndAppendsThePayload) {
  AddTownAt(db, "a", 1, 1);
  const int r = AddRiverPts(db, "r", {P(1, 1), P(2, 2)});
  AddTownAt(db, "c", 3, 3);
  const int64_t dataBefore = SizeOf(F(".orqgdd"));
  std::string n = "r2";
  progress.clear();
  db.ReplaceRoad(r, n, {P(5, 6), P(7, 8), P(9, 10)}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  EXPECT_EQ(SizeOf(F(".orqgdd")), dataBefore + 24);
  EXPECT_EQ(SizeOf(F(".orqgds")), 360);
  const TgdbData d = db.Data(r);
  EXPECT_EQ(d.ItemId, 2);
  EXPECT_EQ(d.ItemKind, gitRoad);
  EXPECT_EQ(d.BlobOffset, dataBefore);
  EXPECT_EQ(db.SystemData().HighestID, 3);
  EXPECT_EQ(db.IxLatLow(3), (TIxLLRec{5, 2}));
  std::vector<TSCoords> back;
  ASSERT_TRUE(db.RetrievePolygon(r, back));
  EXPECT_EQ(back, (std::vector<TSCoords>{P(5, 6), P(7, 8), P(9, 10)}));
  n = "t";
  db.ReplaceTown(1, n, 1, 2, P(-5, -6), 3, 4, 5);
  EXPECT_EQ(db.Data(1).LatHigh, -5);
  EXPECT_EQ(db.Data(1).LongLow, -6);
  db.ReplaceTown(9, n, 1, 2, P(-5, -6), 3, 4, 5);  // out of range: nothing
  EXPECT_EQ(db.NumEntries(), 3);
}

TEST_F(GeoDBModify, BlobFromMemoryReportsFullBlocksOnly) {
  std::vector<uint8_t> blob(40000);
  for (size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<uint8_t>(i * 7);
  TMetaInfo mi;
  db.AddBLOB("b", 0, 0, 1, 2, 3, 4, 0, 0, 0, mi, blob.data(), 40000);
  EXPECT_EQ(progress, (std::vector<int>{0, 41, 82, 100}));
  progress.clear();
  db.SetOnPercDoneEnabled(false);
  db.AddBLOB("b", 0, 0, 1, 2, 3, 4, 0, 0, 0, mi, blob.data(), 10);
  EXPECT_TRUE(progress.empty());
  EXPECT_THROW(db.AddBLOB("b", 0, 0, 1, 2, 3, 4, 0, 0, 0, mi, nullptr, 10), EOrqGeoDBError);
  EXPECT_THROW(db.AddBLOB("b", 0, 0, 1, 2, 3, 4, 0, 0, 0, mi, blob.data(), -1), EOrqGeoDBError);
  EXPECT_EQ(db.NumEntries(), 2);
  EXPECT_EQ(db.SystemData().HighestID, 2);
}

TEST_F(GeoDBModify, PolygonProgressPerPoint) {
  AddRiverPts(db, "r", {P(0, 0), P(1, 1), P(2, 2), P(3, 3)});
  EXPECT_EQ(progress, (std::vector<int>{0, 0, 25, 50, 75, 100}));
}

TEST_F(GeoDBModify, BlobFromFileTakesDateSizeAndNames) {
  const std::string src = dir.File("scan 01.jpg");
  std::vector<uint8_t> bytes(20000, 0x5A);
  WriteBytes(src, bytes);
  const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  fs::last_write_time(src, when);
  TMetaInfo mi;
  mi.Caption = "cap";
  const int a = db.AddBLOB(src, 1.0, 0, 1, 2, 3, 4, 0, 0, 0, mi);
  EXPECT_EQ(progress, (std::vector<int>{0, 82, 100, 100}));  // never above 100
  const TgdbData d = db.Data(a);
  EXPECT_EQ(d.Name, "scan 01.jpg");
  EXPECT_EQ(d.Size, 20000);
  TgdbData now;
  ClearGdbData(now);
  EXPECT_LT(d.Date, now.Date - 399);
  TMetaInfo got;
  ASSERT_TRUE(db.GetMetaInfo(a, got));
  EXPECT_EQ(got.FilePath, src);
  EXPECT_EQ(got.Caption, "cap");

  const int b = db.AddBLOB(src, "docs/Renamed.JPG", 1.0, 0, 1, 2, 3, 4, 0, 0, 0, mi);
  EXPECT_EQ(db.Data(b).Name, "Renamed.JPG");
  const int c = db.AddBLOB(src, "x.jpg", "D:\\archive\\orig.jpg", 1.0, 0, 1, 2, 3, 4, 0, 0, 0, mi);
  ASSERT_TRUE(db.GetMetaInfo(c, got));
  EXPECT_EQ(got.FilePath, "D:\\archive\\orig.jpg");

  // A missing source changes nothing at all.
  const int64_t dataSize = SizeOf(F(".orqgdd"));
  EXPECT_THROW(db.AddBLOB(dir.File("missing.bin"), 1.0, 0, 1, 2, 3, 4, 0, 0, 0, mi), EInOutError);
  EXPECT_THROW(db.AddBLOB(dir.Path().string(), 1.0, 0, 1, 2, 3, 4, 0, 0, 0, mi), EInOutError);
  EXPECT_THROW(db.ReplaceBLOB(1, dir.Path().string(), 1.0, 0, 1, 2, 3, 4, 0, 0, 0, mi), EInOutError);
  EXPECT_EQ(db.NumEntries(), 3);
  EXPECT_EQ(db.SystemData().HighestID, 3);
  EXPECT_EQ(SizeOf(F(".orqgdd")), dataSize);
}

TEST_F(GeoDBModify, BlobFromAFileWithAPathLongerThanTheMetaField) {
  const fs::path deep = dir.Path() / std::string(100, 'd') / std::string(60, 'e');
  fs::create_directories(deep);
  const std::string src = (deep / "photo.png").string();
  WriteBytes(src, {1, 2, 3});
  const int p = db.AddBLOB(src, 0, 0, 0, 0, 0, 0, 0, 0, 0, TMetaInfo());
  TMetaInfo got;
  TMemoryStream s;
  ASSERT_TRUE(db.RetrieveBLOB(p, got, &s));
  EXPECT_EQ(s.Size(), 3);
  EXPECT_EQ(got.FilePath, src.substr(0, 127));  // the stored path is cut, the copy is not
}

TEST_F(GeoDBModify, UpdateBasicDataKeepsIdentityAndPayload) {
  const int r = AddRiverPts(db, "r", {P(1, 1), P(2, 2)});
  const int t = AddTownAt(db, "t", 5, 5);
  TgdbData u = db.Data(r);
  u.Name = "renamed";
  u.ItemId = 99;
  u.ItemKind = gitTown;
  u.BlobOffset = 0;
  u.NumPoints = 7;
  u.LatLow = -50;
  u.Tag = 11;
  u.ClassFlag = 4;
  ASSERT_TRUE(db.UpdateBasicData(r, u));
  TgdbData d = db.Data(r);
  EXPECT_EQ(d.Name, "renamed");
  EXPECT_EQ(d.Tag, 11);
  EXPECT_EQ(d.ClassFlag, 4);
  EXPECT_EQ(d.ItemId, 1);
  EXPECT_EQ(d.ItemKind, gitRiver);
  EXPECT_EQ(d.NumPoints, 2);
  EXPECT_EQ(d.LatLow, 1);  // a polygon's box follows its points
  u = db.Data(t);
  u.LatLow = u.LatHigh = -10;
  ASSERT_TRUE(db.UpdateBasicData(t, u));
  EXPECT_EQ(db.IxLatLow(1), (TIxLLRec{-10, 2}));
  EXPECT_FALSE(db.UpdateBasicData(3, u));
  db.SetDBName("");
  db.SetDBName(dir.File("m"));
  EXPECT_EQ(db.Data(r).Name, "renamed");
  EXPECT_EQ(db.Data(t).LatLow, -10);
}

TEST_F(GeoDBModify, UpdateMetaInfoOnlyForBlobs) {
  TMetaInfo mi;
  mi.Keywords = "old";
  const uint8_t x = 1;
  const int b = db.AddBLOB("b", 0, 0, 0, 0, 0, 0, 0, 0, 0, mi, &x, 1);
  const int t = AddTownAt(db, "t", 0, 0);
  mi.Keywords = "new";
  EXPECT_TRUE(db.UpdateMetaInfo(b, mi));
  EXPECT_FALSE(db.UpdateMetaInfo(t, mi));
  EXPECT_FALSE(db.UpdateMetaInfo(0, mi));
  TMetaInfo got;
  ASSERT_TRUE(db.GetMetaInfo(b, got));
  EXPECT_EQ(got.Keywords, "new");
  EXPECT_FALSE(db.GetMetaInfo(t, got));
}

}  // namespace
}  // namespace orq::test
