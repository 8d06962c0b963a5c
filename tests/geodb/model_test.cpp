// Randomised operations against a plain in-memory model of the database,
// reopening at random points and comparing positions, ItemIDs, payloads, the
// five indexes and the files on disk.
#include <algorithm>
#include <map>
#include <random>

#include "GeoDBTestUtil.h"

namespace orq::test {
namespace {

struct ModelItem {
  int32_t id = 0;
  std::string name;
  TgdbItem kind = gitTown;
  float latLo = 0, latHi = 0, longLo = 0, longHi = 0;
  int32_t tag = 0;
  uint8_t cls = 0;
  std::vector<TSCoords> points;
  std::vector<uint8_t> blob;
  TMetaInfo meta;
};

class ModelRun {
 public:
  explicit ModelRun(uint32_t seed) : rng(seed) { db.SetDBName(dir.File("model")); }

  void Run(int ops) {
    for (int i = 0; i < ops; ++i) {
      Step();
      if (::testing::Test::HasFatalFailure()) return;
      if (i % 97 == 0) CheckAll();
    }
    db.SetLazyWrite(false);
    CheckAll();
    Reopen();
    CheckAll();
  }

 private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  float Coord(float range) { return std::uniform_real_distribution<float>(-range, range)(rng); }

  std::string Name() {
    static const char* const parts[] = {"Bern", "Zürich", "Genève", "Aare", "Rhône", "Ölberg", "x", ""};
    return std::string(parts[Pick(0, 7)]) + std::to_string(Pick(0, 99));
  }

  void FillBox(ModelItem& m) {
    if (m.kind == gitTown || m.kind == gitBLOB) return;
    m.latLo = 90, m.latHi = -90, m.longLo = 180, m.longHi = -180;
    for (const TSCoords& c : m.points) {
      m.latLo = std::min(m.latLo, c.Latit);
      m.latHi = std::max(m.latHi, c.Latit);
      m.longLo = std::min(m.longLo, c.Longit);
      m.longHi = std::max(m.longHi, c.Longit);
    }
  }

  // A random item written through the matching add or replace operation.
  ModelItem Make(int replaceAt) {
    ModelItem m;
    m.name = Name();
    m.tag = Pick(-5, 5);
    m.cls = static_cast<uint8_t>(Pick(0, 3));
    const int k = Pick(0, 2);
    std::string n = m.name;
    if (k == 0) {
      m.kind = gitTown;
      const TSCoords at = P(Coord(80), Coord(170));
      m.latLo = m.latHi = at.Latit;
      m.longLo = m.longHi = at.Longit;
      if (replaceAt) {
        db.ReplaceTown(replaceAt, n, 1, 0, at, 0, m.cls, m.tag);
      } else {
        db.AddTown(n, 1, 0, at, 0, m.cls, m.tag);
      }
    } else if (k == 1) {
      m.kind = gitRiver;
      const int count = Pick(0, 6);
      for (int i = 0; i < count; ++i) m.points.push_back(P(Coord(80), Coord(170)));
      if (replaceAt) {
        db.ReplaceRiver(replaceAt, n, m.points, 1, 0, 0, 0, 0, 0, 0, m.cls, m.tag);
      } else {
        db.AddRiver(n, m.points, 1, 0, 0, 0, 0, 0, 0, m.cls, m.tag);
      }
    } else {
      m.kind = gitBLOB;
      m.blob.resize(static_cast<size_t>(Pick(0, 3000)));
      for (uint8_t& b : m.blob) b = static_cast<uint8_t>(Pick(0, 255));
      m.meta.Caption = Name();
      m.latLo = Coord(10);
      m.latHi = m.latLo + 1;
      m.longLo = Coord(10);
      m.longHi = m.longLo + 2;
      if (replaceAt) {
        db.ReplaceBLOB(replaceAt, n, 1, 0, m.latLo, m.latHi, m.longLo, m.longHi, 0, m.cls, m.tag, m.meta,
                       m.blob.data(), static_cast<int32_t>(m.blob.size()));
      } else {
        db.AddBLOB(n, 1, 0, m.latLo, m.latHi, m.longLo, m.longHi, 0, m.cls, m.tag, m.meta, m.blob.data(),
                   static_cast<int32_t>(m.blob.size()));
      }
    }
    FillBox(m);
    return m;
  }

  void Step() {
    const int n = static_cast<int>(items.size());
    const int op = Pick(0, 99);
    if (op < 40 || n == 0) {
      ModelItem m = Make(0);
      m.id = ++highestId;
      items.push_back(m);
    } else if (op < 55) {
      const int at = Pick(1, n);
      ModelItem m = Make(at);
      m.id = items[static_cast<size_t>(at - 1)].id;
      items[static_cast<size_t>(at - 1)] = m;
    } else if (op < 70) {
      const int at = Pick(1, n);
      db.DeleteData(at);
      items[static_cast<size_t>(at - 1)] = items.back();
      items.pop_back();
    } else if (op < 78) {
      const int at = Pick(1, n);
      ModelItem& m = items[static_cast<size_t>(at - 1)];
      TgdbData d = db.Data(at);
      d.Name = m.name = Name();
      d.Tag = m.tag = Pick(100, 200);
      if (m.kind != gitRiver) {
        d.LatLow = m.latLo = Coord(5);
        d.LatHigh = m.latHi = m.latLo + 0.5f;
      }
      ASSERT_TRUE(db.UpdateBasicData(at, d));
    } else if (op < 82) {
      const int at = Pick(1, n);
      ModelItem& m = items[static_cast<size_t>(at - 1)];
      TMetaInfo mi;
      mi.Comment = Name();
      const bool ok = db.UpdateMetaInfo(at, mi);
      ASSERT_EQ(ok, m.kind == gitBLOB);
      if (ok) m.meta = mi;
    } else if (op < 90) {
      // Lookups of live, deleted and unknown ItemIDs.
      const int32_t id = Pick(-1, highestId + 2);
      int expected = 0;
      for (int i = 0; i < n; ++i)
        if (items[static_cast<size_t>(i)].id == id) expected = i + 1;
      ASSERT_EQ(db.SearchForItemID(id), expected) << "ItemID " << id;
    } else if (op < 94) {
      // Mostly lazy, so that the run stays quick; every switch-off saves.
      if (!db.LazyWrite() || Pick(0, 2) == 0) db.SetLazyWrite(!db.LazyWrite());
    } else if (op < 98) {
      Reopen();
    } else {
      db.GarbageCollection();
    }
  }

  void Reopen() {
    const bool lazy = db.LazyWrite();
    db.SetDBName("");
    db.SetDBName(dir.File("model"));
    db.SetLazyWrite(lazy);
  }

  template <typename Get, typename Key>
  void CheckBoundIndex(Get get, Key key, const char* what) {
    const int n = static_cast<int>(items.size());
    std::vector<int> seen(static_cast<size_t>(n) + 1, 0);
    for (int i = 1; i <= n; ++i) {
      const TIxLLRec r = get(i);
      ASSERT_TRUE(r.index >= 1 && r.index <= n) << what;
      ++seen[static_cast<size_t>(r.index)];
      ASSERT_EQ(r.LLValue, key(items[static_cast<size_t>(r.index - 1)])) << what << " slot " << i;
      if (i > 1) {
        ASSERT_LE(get(i - 1).LLValue, r.LLValue) << what;
      }
    }
    for (int p = 1; p <= n; ++p) ASSERT_EQ(seen[static_cast<size_t>(p)], 1) << what << " position " << p;
  }

  void CheckAll() {
    const int n = static_cast<int>(items.size());
    ASSERT_EQ(db.NumEntries(), n);
    ASSERT_EQ(SizeOf(dir.File("model.orqgds")), static_cast<int64_t>(n) * 120);
    for (int i = 1; i <= n; ++i) {
      const ModelItem& m = items[static_cast<size_t>(i - 1)];
      const TgdbData d = db.Data(i);
      ASSERT_EQ(d.ItemId, m.id) << "position " << i;
      ASSERT_EQ(d.Name, m.name);
      ASSERT_EQ(d.ItemKind, m.kind);
      ASSERT_EQ(d.Tag, m.tag);
      ASSERT_EQ(d.LatLow, m.latLo);
      ASSERT_EQ(d.LongHigh, m.longHi);
      if (m.kind == gitRiver) {
        std::vector<TSCoords> pts;
        ASSERT_TRUE(db.RetrievePolygon(i, pts));
        ASSERT_EQ(pts, m.points);
      } else if (m.kind == gitBLOB) {
        TMetaInfo mi;
        TMemoryStream s;
        ASSERT_TRUE(db.RetrieveBLOB(i, mi, &s));
        ASSERT_EQ(mi, m.meta);
        ASSERT_EQ(s.Size(), static_cast<int64_t>(m.blob.size()));
        ASSERT_TRUE(m.blob.empty() || std::memcmp(s.Memory(), m.blob.data(), m.blob.size()) == 0);
      }
    }
    std::vector<int> ids(static_cast<size_t>(n) + 1, 0);
    for (int i = 1; i <= n; ++i) {
      const TIxItemIDRec r = db.IxItemID(i);
      ASSERT_TRUE(r.index >= 1 && r.index <= n);
      ASSERT_EQ(r.ItemID, items[static_cast<size_t>(r.index - 1)].id);
      if (i > 1) {
        ASSERT_LT(db.IxItemID(i - 1).ItemID, r.ItemID);
      }
    }
    CheckBoundIndex([&](int i) { return db.IxLatLow(i); }, [](const ModelItem& m) { return m.latLo; }, "LatLow");
    CheckBoundIndex([&](int i) { return db.IxLatHigh(i); }, [](const ModelItem& m) { return m.latHi; }, "LatHigh");
    CheckBoundIndex([&](int i) { return db.IxLongLow(i); }, [](const ModelItem& m) { return m.longLo; }, "LongLow");
    CheckBoundIndex([&](int i) { return db.IxLongHigh(i); }, [](const ModelItem& m) { return m.longHi; }, "LongHigh");
    if (!db.LazyWrite()) {
      // Index files mirror memory record by record.
      for (int d = 0; d < 5; ++d) {
        const auto bytes = ReadBytes(dir.File("model.orqgi" + std::to_string(d)));
        ASSERT_EQ(bytes.size(), static_cast<size_t>(n) * 8);
        for (int i = 1; i <= n; ++i) {
          const int32_t pos = I32At(bytes, static_cast<size_t>(i - 1) * 8 + 4) + 1;
          const int32_t expected = d == 0 ? db.IxItemID(i).index
                                   : d == 1 ? db.IxLatLow(i).index
                                   : d == 2 ? db.IxLatHigh(i).index
                                   : d == 3 ? db.IxLongLow(i).index
                                            : db.IxLongHigh(i).index;
          ASSERT_EQ(pos, expected) << "index file " << d << " slot " << i;
        }
      }
    }
    const auto sum = ReadBytes(dir.File("model.orqgds"));
    for (int i = 0; i < n; ++i) ASSERT_EQ(I32At(sum, static_cast<size_t>(i) * 120), items[static_cast<size_t>(i)].id);
    ASSERT_EQ(db.SystemData().HighestID, highestId);
  }

  std::mt19937 rng;
  ScratchDir dir;
  TGeoDB db;
  std::vector<ModelItem> items;
  int32_t highestId = 0;
};

TEST(GeoDBModel, RandomOperationsAgreeWithTheModel) {
  for (uint32_t seed : {1u, 2u}) {
    SCOPED_TRACE(seed);
    ModelRun run(seed);
    run.Run(1500);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace orq::test
