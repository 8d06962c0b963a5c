// Index order, lookups by bisection, item-ID search and name search.
#include "GeoDBTestUtil.h"

namespace orq::test {
namespace {

class GeoDBIndex : public ::testing::Test {
 protected:
  void SetUp() override { db.SetDBName(dir.File("ix")); }
  ScratchDir dir;
  TGeoDB db;
};

TEST_F(GeoDBIndex, ClosestLatLowFollowsTheInsertionPointRule) {
  EXPECT_EQ(db.GetClosestLatLowIx(5), 1);  // empty
  AddTownAt(db, "c", 30, 0);
  AddTownAt(db, "a", 10, 0);
  AddTownAt(db, "b", 20, 0);
  EXPECT_EQ(db.GetClosestLatLowIx(5), 1);
  EXPECT_EQ(db.GetClosestLatLowIx(20), 2);
  EXPECT_EQ(db.GetClosestLatLowIx(25), 3);
  EXPECT_EQ(db.GetClosestLatLowIx(35), 4);
  EXPECT_EQ(db.GetClosestLatHighIx(10), 1);
  EXPECT_EQ(db.GetClosestLongLowIx(0), 2);  // the middle equal key is met first
  EXPECT_EQ(db.GetClosestLongHighIx(0.5), 4);
  EXPECT_EQ(db.GetClosestItemIDIx(2), 2);
  EXPECT_EQ(db.GetClosestItemIDIx(9), 4);
  // The double argument is compared with the stored single value.
  AddTownAt(db, "d", 0.1f, 0);
  EXPECT_EQ(db.GetClosestLatLowIx(static_cast<double>(0.1f)), 1);
  EXPECT_EQ(db.GetClosestLatLowIx(0.1), static_cast<double>(0.1f) < 0.1 ? 2 : 1);
}

TEST_F(GeoDBIndex, AccessorsClampAndReportOneBasedPositions) {
  AddTownAt(db, "x", 50, 5);
  AddTownAt(db, "y", 40, 6);
  AddTownAt(db, "z", 45, 4);
  EXPECT_EQ(db.Data(0).Name, "x");
  EXPECT_EQ(db.Data(-3).Name, "x");
  EXPECT_EQ(db.Data(db.NumEntries() + 5).Name, "z");
  EXPECT_EQ(db.IxItemID(1), (TIxItemIDRec{1, 1}));
  EXPECT_EQ(db.IxItemID(99), (TIxItemIDRec{3, 3}));
  EXPECT_EQ(db.IxLatLow(1), (TIxLLRec{40, 2}));
  EXPECT_EQ(db.IxLatHigh(3), (TIxLLRec{50, 1}));
  EXPECT_EQ(db.IxLongLow(1), (TIxLLRec{4, 3}));
  EXPECT_EQ(db.IxLongHigh(0), (TIxLLRec{4, 3}));
}

TEST_F(GeoDBIndex, SearchForItemIDFindsOnlyLiveItems) {
  for (int i = 0; i < 6; ++i) AddTownAt(db, "t" + std::to_string(i), static_cast<float>(i), 0);
  db.DeleteData(2);  // ItemID 2 gone, ItemID 6 now at position 2
  EXPECT_EQ(db.SearchForItemID(2), 0);
  EXPECT_EQ(db.SearchForItemID(6), 2);
  EXPECT_EQ(db.SearchForItemID(5), 5);
  EXPECT_EQ(db.SearchForItemID(7), 0);
  EXPECT_EQ(db.SearchForItemID(-1), 0);
  EXPECT_EQ(db.SearchForItemID(0), 0);
}

TEST_F(GeoDBIndex, EqualKeysGoBeforeTheEqualKeyTheSearchMeets) {
  AddTownAt(db, "a", 10, 0);
  AddTownAt(db, "b", 10, 0);
  AddTownAt(db, "c", 10, 0);
  // Bisection over [10,10] meets slot 0 for the third insert... the exact
  // slots follow from the rule; check the records on disk match memory.
  const auto ix1 = ReadBytes(dir.File("ix.orqgi1"));
  ASSERT_EQ(ix1.size(), 24u);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(I32At(ix1, (i - 1) * 8 + 4) + 1, db.IxLatLow(i).index);
  // Second insert meets slot 0 and goes before it; third meets slot 0 of
  // [b, a] and goes first too.
  EXPECT_EQ(db.IxLatLow(1).index, 3);
  EXPECT_EQ(db.IxLatLow(2).index, 2);
  EXPECT_EQ(db.IxLatLow(3).index, 1);
}

TEST_F(GeoDBIndex, SearchDataMatchesWildcardsKindAndClass) {
  std::string n;
  n = "Bern";
  db.AddTown(n, 0, 0, P(1, 1), 0, 3, 0);
  n = "Basel";
  db.AddTown(n, 0, 0, P(1, 1), 0, 3, 0);
  AddRiverPts(db, "Birs", {P(1, 1)});  // class 2
  n = "BÄRENGRABEN";
  db.AddTown(n, 0, 0, P(1, 1), 0, 3, 0);

  std::string q = "b*";
  EXPECT_EQ(db.SearchData(q, gitTown, 1, 3), 1);
  EXPECT_EQ(q, "Bern");
  q = "b*";
  EXPECT_EQ(db.SearchData(q, gitTown, 2, 3), 2);
  q = "b*";
  EXPECT_EQ(db.SearchData(q, gitTown, 3, 3), 4);
  q = "b??s";
  EXPECT_EQ(db.SearchData(q, gitRiver, 0, 2), 3);
  EXPECT_EQ(q, "Birs");
  q = "b??s";
  EXPECT_EQ(db.SearchData(q, gitRiver, 0, 3), 0);  // wrong class
  EXPECT_EQ(q, "b??s");                            // untouched
  q = "b?s";
  EXPECT_EQ(db.SearchData(q, gitRiver, 0, 2), 0);
  q = "bären*";
  EXPECT_EQ(db.SearchData(q, gitTown, 1, 3), 4);  // case folding beyond ASCII
  q = "*SEL";
  EXPECT_EQ(db.SearchData(q), 2);
  q = "Ba";
  EXPECT_EQ(db.SearchData(q), 0);
  q = "*";
  EXPECT_EQ(db.SearchData(q), 1);
}

TEST_F(GeoDBIndex, RecalcIndexesRebuildsDamagedIndexFiles) {
  for (int i = 0; i < 5; ++i) AddTownAt(db, "t", static_cast<float>(5 - i), static_cast<float>(i));
  db.SetDBName("");
  WriteBytes(dir.File("ix.orqgi2"), {1, 2, 3});                // cut inside a record
  WriteBytes(dir.File("ix.orqgi0"), std::vector<uint8_t>(80, 0xFF));  // positions -1, too many
  db.SetDBName(dir.File("ix"));
  EXPECT_EQ(db.SearchForItemID(3), 3);  // falls back to the summary
  db.RecalcIndexes();
  for (int d = 0; d < 5; ++d) EXPECT_EQ(SizeOf(dir.File("ix.orqgi" + std::to_string(d))), 40);
  EXPECT_EQ(db.IxLatHigh(1), (TIxLLRec{1, 5}));
  EXPECT_EQ(db.IxItemID(5), (TIxItemIDRec{5, 5}));
}

TEST_F(GeoDBIndex, RecalcIndexesRaisesAHighestIDBehindTheItems) {
  AddTownAt(db, "a", 1, 1);
  AddTownAt(db, "b", 1, 1);
  db.SetDBName("");
  auto header = ReadBytes(dir.File("ix.orqgdd"));
  header[0] = 0;  // HighestID 0 while ItemIDs 1 and 2 exist
  WriteBytes(dir.File("ix.orqgdd"), header);
  db.SetDBName(dir.File("ix"));
  // Even before repairing, a new item never reuses an ItemID.
  EXPECT_EQ(db.Data(AddTownAt(db, "c", 1, 1)).ItemId, 3);
  db.RecalcIndexes();
  EXPECT_EQ(db.SystemData().HighestID, 3);
}

}  // namespace
}  // namespace orq::test
