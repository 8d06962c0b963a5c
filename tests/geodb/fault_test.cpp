// Damaged files and interrupted writes: no crash, no out-of-bounds access,
// only errors or a repairable state, and nothing completely added is lost.
#include <cmath>
#include <random>

#include "GeoDBTestUtil.h"
#include "FileIO.h"

namespace orq::test {
namespace {

void BuildSample(TGeoDB& db) {
  TMetaInfo mi;
  mi.Caption = "sample";
  for (int i = 0; i < 12; ++i) {
    AddTownAt(db, "t" + std::to_string(i), static_cast<float>(i), static_cast<float>(-i));
    AddRiverPts(db, "r" + std::to_string(i), {P(static_cast<float>(i), 1), P(2, static_cast<float>(i)), P(3, 3)});
    std::vector<uint8_t> blob(static_cast<size_t>(100 * i + 1), static_cast<uint8_t>(i));
    db.AddBLOB("b" + std::to_string(i), 0, 0, 0, 1, 0, 1, 0, 0, 0, mi, blob.data(), static_cast<int32_t>(blob.size()));
  }
}

// Every index holds each position once, sorted, matching the summary.
void ExpectConsistent(TGeoDB& db) {
  const int n = db.NumEntries();
  std::vector<int> seen(static_cast<size_t>(n) + 1, 0);
  for (int i = 1; i <= n; ++i) {
    const TIxItemIDRec r = db.IxItemID(i);
    ASSERT_TRUE(r.index >= 1 && r.index <= n);
    EXPECT_EQ(db.Data(r.index).ItemId, r.ItemID);
    ++seen[static_cast<size_t>(r.index)];
    const TIxLLRec l = db.IxLatLow(i);
    ASSERT_TRUE(l.index >= 1 && l.index <= n);
    const float v = db.Data(l.index).LatLow;
    EXPECT_TRUE(l.LLValue == v || (std::isnan(v) && std::isnan(l.LLValue)));
  }
  for (int p = 1; p <= n; ++p) EXPECT_EQ(seen[static_cast<size_t>(p)], 1);
  for (int i = 1; i <= n; ++i) EXPECT_EQ(db.SearchForItemID(db.Data(i).ItemId) != 0, true);
}

// Runs every operation; only the library's own exceptions may come out.
void ExerciseEverything(TGeoDB& db, const ScratchDir& dir) {
  auto guarded = [](auto&& f) {
    try {
      f();
    } catch (const Exception&) {
      // an error is an acceptable answer to a damaged file
    }
  };
  const int n = db.NumEntries();
  for (int i = 0; i <= n + 1; ++i) {
    (void)db.Data(i);
    (void)db.IxItemID(i);
    (void)db.IxLatLow(i);
    (void)db.IxLatHigh(i);
    (void)db.IxLongLow(i);
    (void)db.IxLongHigh(i);
    guarded([&] {
      std::vector<TSCoords> pts;
      db.RetrievePolygon(i, pts);
    });
    guarded([&] {
      TMetaInfo mi;
      std::vector<uint8_t> buf(4096);
      db.RetrieveBLOB(i, mi, buf.data(), static_cast<int32_t>(buf.size()));
    });
    guarded([&] {
      TMetaInfo mi;
      TMemoryStream s;
      db.RetrieveBLOB(i, mi, &s);
    });
    guarded([&] {
      TMetaInfo mi;
      db.RetrieveBLOB(i, dir.File("out.bin"), mi);
    });
    guarded([&] {
      TMetaInfo mi;
      if (db.GetMetaInfo(i, mi)) db.UpdateMetaInfo(i, mi);
    });
    (void)db.SearchForItemID(i);
  }
  (void)db.GetClosestItemIDIx(5);
  (void)db.GetClosestLatLowIx(3);
  (void)db.GetClosestLatHighIx(3);
  (void)db.GetClosestLongLowIx(-3);
  (void)db.GetClosestLongHighIx(-3);
  (void)db.FindItemsInRegion(-90, 90, -180, 180);
  std::string q = "*";
  (void)db.SearchData(q);
  guarded([&] { db.ExportDataDebug(dir.File("dump.txt")); });
  guarded([&] { AddTownAt(db, "new", 1, 1); });
  guarded([&] { AddRiverPts(db, "new", {P(1, 1)}); });
  guarded([&] { db.UpdateBasicData(1, db.Data(1)); });
  guarded([&] {
    std::string name = "rep";
    db.ReplaceTown(2, name, 0, 0, P(1, 1), 0, 0, 0);
  });
  guarded([&] { db.DeleteData(1); });
  guarded([&] { db.DeleteData(db.NumEntries()); });
  guarded([&] { db.GarbageCollection(); });
  guarded([&] { db.RecalcIndexes(); });
}

class GeoDBFault : public ::testing::Test {
 protected:
  void SetUp() override {
    TGeoDB db;
    db.SetDBName(sample.File("s"));
    db.SetLazyWrite(true);
    BuildSample(db);
  }
  void CopySample(const ScratchDir& to) const {
    for (const char* ext : kAllExts) fs::copy_file(sample.File(std::string("s") + ext), to.File(std::string("s") + ext));
  }
  ScratchDir sample;
};

TEST_F(GeoDBFault, TruncatedAndBitFlippedFilesNeverCrash) {
  std::mt19937 rng(2024);
  for (int file = 0; file < 7; ++file) {
    for (int trial = 0; trial < 6; ++trial) {
      SCOPED_TRACE(std::string(kAllExts[file]) + " trial " + std::to_string(trial));
      ScratchDir work;
      CopySample(work);
      const std::string path = work.File(std::string("s") + kAllExts[file]);
      auto bytes = ReadBytes(path);
      if (trial % 2 == 0) {
        bytes.resize(std::uniform_int_distribution<size_t>(0, bytes.size())(rng));
      } else {
        for (int k = 0; k < 8 && !bytes.empty(); ++k)
          bytes[std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(rng)] ^=
              static_cast<uint8_t>(1u << std::uniform_int_distribution<int>(0, 7)(rng));
      }
      WriteBytes(path, bytes);
      TGeoDB db;
      db.SetDBName(work.File("s"));
      db.SetLazyWrite(trial % 3 != 0);  // both paths, without a save per change everywhere
      ExerciseEverything(db, work);
      // Repaired: the indexes agree with the summary again.
      try {
        db.RecalcIndexes();
      } catch (const EOrqGeoDBError&) {
        continue;  // a header that cannot be written (HighestID exhausted)
      }
      ExpectConsistent(db);
      db.SetDBName("");
      db.SetDBName(work.File("s"));
      ExpectConsistent(db);
    }
  }
}

TEST_F(GeoDBFault, HugeCountsAndOffsetsInTheSummary) {
  ScratchDir work;
  CopySample(work);
  auto sum = ReadBytes(work.File("s.orqgds"));
  auto put = [&](size_t at, int32_t v) { std::memcpy(sum.data() + at, &v, 4); };
  put(120 * 1 + 112, INT32_MAX);  // river: 2^31 points
  put(120 * 2 + 112, INT32_MAX);  // BLOB: 2 GB
  put(120 * 4 + 112, -5);         // negative count
  put(120 * 5 + 76, INT32_MAX);   // offset past the end
  put(120 * 7 + 76, -7);          // negative offset on a polygon
  WriteBytes(work.File("s.orqgds"), sum);
  TGeoDB db;
  db.SetDBName(work.File("s"));
  std::vector<TSCoords> pts;
  EXPECT_FALSE(db.RetrievePolygon(2, pts));
  EXPECT_FALSE(db.RetrievePolygon(5, pts));
  EXPECT_FALSE(db.RetrievePolygon(8, pts));
  TMemoryStream s;
  TMetaInfo mi;
  EXPECT_FALSE(db.RetrieveBLOB(3, mi, &s));
  EXPECT_LE(s.Size(), SizeOf(work.File("s.orqgdd")));
  EXPECT_FALSE(db.RetrieveBLOB(6, mi, &s));
  std::vector<uint8_t> buf(16);
  EXPECT_THROW(db.RetrieveBLOB(3, mi, buf.data(), 16), EOrqGeoDBError);
  EXPECT_THROW(db.GarbageCollection(), EOrqGeoDBError);
  EXPECT_TRUE(db.RetrievePolygon(11, pts));  // undamaged items still read
}

// Stops an add after each of its file writes, as a crash would, and checks
// that reopening plus RecalcIndexes keeps every completely added item.
TEST_F(GeoDBFault, CrashBetweenTheWritesOfAnAddLosesNothingComplete) {
  for (int kind = 0; kind < 3; ++kind) {
    for (int stopAt = 1;; ++stopAt) {
      SCOPED_TRACE("kind " + std::to_string(kind) + " stop after write " + std::to_string(stopAt));
      ScratchDir work;
      CopySample(work);
      int before;
      bool crashed = false;
      {
        TGeoDB db;
        db.SetDBName(work.File("s"));
        before = db.NumEntries();
        int writes = 0;
        gdb_detail::SetFileWriteObserver([&](const std::string&) {
          if (++writes == stopAt) throw std::runtime_error("crash");
        });
        try {
          if (kind == 0) AddTownAt(db, "crash", 5, 5);
          if (kind == 1) AddRiverPts(db, "crash", {P(5, 5), P(6, 6)});
          if (kind == 2) db.AddBLOB("crash", 0, 0, 5, 6, 5, 6, 0, 0, 0, TMetaInfo(), "xyz", 3);
        } catch (const std::runtime_error&) {
          crashed = true;
        }
        gdb_detail::SetFileWriteObserver(nullptr);
      }
      TGeoDB db;
      db.SetDBName(work.File("s"));
      db.RecalcIndexes();
      ExpectConsistent(db);
      ASSERT_GE(db.NumEntries(), before);
      for (int i = 1; i <= before; ++i) EXPECT_EQ(db.Data(i).ItemId, i);
      if (db.NumEntries() > before) {
        // The summary record is the last write of the item: it is complete.
        EXPECT_EQ(db.Data(before + 1).Name, "crash");
        if (kind == 1) {
          std::vector<TSCoords> pts;
          EXPECT_TRUE(db.RetrievePolygon(before + 1, pts));
          EXPECT_EQ(pts.size(), 2u);
        }
      }
      // A later add never reuses an ItemID.
      const int p = AddTownAt(db, "after", 1, 1);
      for (int i = 1; i < p; ++i) EXPECT_NE(db.Data(i).ItemId, db.Data(p).ItemId);
      if (!crashed) break;
    }
  }
}

TEST_F(GeoDBFault, InterruptedIndexSaveKeepsTheOldFile) {
  ScratchDir work;
  CopySample(work);
  const auto old = ReadBytes(work.File("s.orqgi0"));
  {
    TGeoDB db;
    db.SetDBName(work.File("s"));
    gdb_detail::SetFileWriteObserver([&](const std::string& path) {
      if (path.find(".tmp") != std::string::npos) throw std::runtime_error("crash");
    });
    EXPECT_THROW(AddTownAt(db, "x", 1, 1), std::runtime_error);
    gdb_detail::SetFileWriteObserver(nullptr);
  }
  EXPECT_EQ(ReadBytes(work.File("s.orqgi0")), old);
}

}  // namespace
}  // namespace orq::test
