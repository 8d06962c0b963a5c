// TGeoDB against SQLite's R*Tree on the same random boxes: bulk loading,
// ~1 x 1 degree window queries, lookups by ItemID and reopening.
//
//   geodb_bench [--items=N] [--dir=PATH] [benchmark flags]
//
// N defaults to 1,000,000 boxes with sides of 0.01 to 0.5 degrees spread over
// the whole globe; the database files go to PATH (default: the temp folder).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "orqcarta/Orq_GeoDB.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Box {
  float latLo, latHi, longLo, longHi;
};

int gItems = 1000000;
fs::path gDir;
std::vector<Box> gBoxes;
std::vector<Box> gWindows;
std::map<std::string, double> gSeconds;  // one-shot timings for the summary

void MakeData() {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<float> side(0.01f, 0.5f), lat(-90, 89.5f), lon(-180, 179.5f);
  gBoxes.resize(static_cast<size_t>(gItems));
  for (Box& b : gBoxes) {
    b.latLo = lat(rng);
    b.longLo = lon(rng);
    b.latHi = b.latLo + side(rng);
    b.longHi = b.longLo + side(rng);
  }
  gWindows.resize(4096);
  std::uniform_real_distribution<float> wlat(-90, 89), wlon(-180, 179);
  for (Box& w : gWindows) {
    w.latLo = wlat(rng);
    w.longLo = wlon(rng);
    w.latHi = w.latLo + 1;
    w.longHi = w.longLo + 1;
  }
}

// --- TGeoDB -------------------------------------------------------------------

orq::TGeoDB* gDb = nullptr;
std::string GeoDBBase() { return (gDir / "bench_geodb").string(); }

void RemoveGeoDBFiles() {
  for (const char* ext : {".orqgdd", ".orqgds", ".orqgi0", ".orqgi1", ".orqgi2", ".orqgi3", ".orqgi4"})
    fs::remove(GeoDBBase() + ext);
}

void BM_GeoDB_BulkAdd(benchmark::State& state) {
  for (auto _ : state) {
    delete gDb;
    gDb = nullptr;
    RemoveGeoDBFiles();
    const auto t0 = Clock::now();
    gDb = new orq::TGeoDB();
    gDb->SetDBName(GeoDBBase());
    gDb->SetLazyWrite(true);
    std::vector<orq::TSCoords> corners(2);
    std::string name;
    for (const Box& b : gBoxes) {
      corners[0] = {b.latLo, b.longLo};
      corners[1] = {b.latHi, b.longHi};
      name = "box";
      gDb->AddRoad(name, corners, 45000.0, 0, 0, 0, 0, 0, 0, 0, 0);
    }
    gDb->SetLazyWrite(false);  // sorts and saves the five indexes
    gSeconds["GeoDB bulk add"] = std::chrono::duration<double>(Clock::now() - t0).count();
  }
  state.counters["items"] = gDb->NumEntries();
}

void BM_GeoDB_Window(benchmark::State& state) {
  gDb->FindItemsInRegion(0, 1, 0, 1);  // builds the spatial index once
  size_t i = 0, found = 0;
  for (auto _ : state) {
    const Box& w = gWindows[i++ % gWindows.size()];
    const std::vector<int> hits = gDb->FindItemsInRegion(w.latLo, w.latHi, w.longLo, w.longHi);
    found += hits.size();
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["hits/query"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_GeoDB_SearchForItemID(benchmark::State& state) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> id(1, gItems);
  for (auto _ : state) benchmark::DoNotOptimize(gDb->SearchForItemID(id(rng)));
}

void BM_GeoDB_Reopen(benchmark::State& state) {
  for (auto _ : state) {
    gDb->SetDBName("");
    gDb->SetDBName(GeoDBBase());
  }
}

// --- SQLite R*Tree ----------------------------------------------------------------

struct SqliteDb {
  sqlite3* db = nullptr;
  sqlite3_stmt* window = nullptr;
  sqlite3_stmt* byId = nullptr;
};
SqliteDb gSqlDisk, gSqlMem;

void Exec(sqlite3* db, const char* sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
    std::fprintf(stderr, "sqlite: %s\n", err);
    std::exit(1);
  }
}

void CloseSqlite(SqliteDb& s) {
  sqlite3_finalize(s.window);
  sqlite3_finalize(s.byId);
  sqlite3_close(s.db);
  s = SqliteDb();
}

void PrepareQueries(SqliteDb& s) {
  sqlite3_prepare_v2(s.db, "SELECT id FROM boxes WHERE minLat <= ?2 AND maxLat >= ?1 AND minLon <= ?4 AND maxLon >= ?3",
                     -1, &s.window, nullptr);
  sqlite3_prepare_v2(s.db, "SELECT minLat FROM boxes WHERE id = ?1", -1, &s.byId, nullptr);
}

void LoadSqlite(SqliteDb& s, const std::string& where) {
  CloseSqlite(s);
  if (where != ":memory:") fs::remove(where);
  sqlite3_open(where.c_str(), &s.db);
  Exec(s.db, "CREATE VIRTUAL TABLE boxes USING rtree(id, minLat, maxLat, minLon, maxLon)");
  Exec(s.db, "BEGIN");
  sqlite3_stmt* ins = nullptr;
  sqlite3_prepare_v2(s.db, "INSERT INTO boxes VALUES (?1, ?2, ?3, ?4, ?5)", -1, &ins, nullptr);
  int64_t id = 0;
  for (const Box& b : gBoxes) {
    sqlite3_bind_int64(ins, 1, ++id);
    sqlite3_bind_double(ins, 2, b.latLo);
    sqlite3_bind_double(ins, 3, b.latHi);
    sqlite3_bind_double(ins, 4, b.longLo);
    sqlite3_bind_double(ins, 5, b.longHi);
    sqlite3_step(ins);
    sqlite3_reset(ins);
  }
  sqlite3_finalize(ins);
  Exec(s.db, "COMMIT");
  PrepareQueries(s);
}

std::string SqlitePath() { return (gDir / "bench_rtree.sqlite").string(); }

void BM_SQLite_BulkAdd_Disk(benchmark::State& state) {
  for (auto _ : state) {
    const auto t0 = Clock::now();
    LoadSqlite(gSqlDisk, SqlitePath());
    gSeconds["SQLite bulk add, disk"] = std::chrono::duration<double>(Clock::now() - t0).count();
  }
}

void BM_SQLite_BulkAdd_Memory(benchmark::State& state) {
  for (auto _ : state) {
    const auto t0 = Clock::now();
    LoadSqlite(gSqlMem, ":memory:");
    gSeconds["SQLite bulk add, memory"] = std::chrono::duration<double>(Clock::now() - t0).count();
  }
}

void SqliteWindow(benchmark::State& state, SqliteDb& s) {
  size_t i = 0, found = 0;
  std::vector<int64_t> ids;
  for (auto _ : state) {
    const Box& w = gWindows[i++ % gWindows.size()];
    sqlite3_bind_double(s.window, 1, w.latLo);
    sqlite3_bind_double(s.window, 2, w.latHi);
    sqlite3_bind_double(s.window, 3, w.longLo);
    sqlite3_bind_double(s.window, 4, w.longHi);
    ids.clear();
    while (sqlite3_step(s.window) == SQLITE_ROW) ids.push_back(sqlite3_column_int64(s.window, 0));
    sqlite3_reset(s.window);
    found += ids.size();
  }
  state.counters["hits/query"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_SQLite_Window_Disk(benchmark::State& state) { SqliteWindow(state, gSqlDisk); }
void BM_SQLite_Window_Memory(benchmark::State& state) { SqliteWindow(state, gSqlMem); }

void BM_SQLite_ById_Disk(benchmark::State& state) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> id(1, gItems);
  for (auto _ : state) {
    sqlite3_bind_int64(gSqlDisk.byId, 1, id(rng));
    if (sqlite3_step(gSqlDisk.byId) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_double(gSqlDisk.byId, 0));
    sqlite3_reset(gSqlDisk.byId);
  }
}

void BM_SQLite_Reopen_Disk(benchmark::State& state) {
  for (auto _ : state) {
    CloseSqlite(gSqlDisk);
    sqlite3_open(SqlitePath().c_str(), &gSqlDisk.db);
    PrepareQueries(gSqlDisk);
    // Opening SQLite reads nothing yet: one query makes it touch the tree.
    sqlite3_bind_int64(gSqlDisk.byId, 1, 1);
    sqlite3_step(gSqlDisk.byId);
    sqlite3_reset(gSqlDisk.byId);
  }
}

// Both engines must agree on what a window finds.
void CrossCheck() {
  int mismatches = 0;
  for (size_t i = 0; i < 200; ++i) {
    const Box& w = gWindows[i];
    std::vector<int> ours = gDb->FindItemsInRegion(w.latLo, w.latHi, w.longLo, w.longHi);
    std::vector<int> theirs;
    sqlite3_bind_double(gSqlMem.window, 1, w.latLo);
    sqlite3_bind_double(gSqlMem.window, 2, w.latHi);
    sqlite3_bind_double(gSqlMem.window, 3, w.longLo);
    sqlite3_bind_double(gSqlMem.window, 4, w.longHi);
    while (sqlite3_step(gSqlMem.window) == SQLITE_ROW) theirs.push_back(static_cast<int>(sqlite3_column_int64(gSqlMem.window, 0)));
    sqlite3_reset(gSqlMem.window);
    std::sort(theirs.begin(), theirs.end());
    // SQLite stores the bounds rounded outwards to float; the boxes are floats already.
    if (ours != theirs) ++mismatches;
  }
  std::printf("cross-check of 200 windows: %d mismatches\n", mismatches);
}

}  // namespace

BENCHMARK(BM_GeoDB_BulkAdd)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_SQLite_BulkAdd_Disk)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_SQLite_BulkAdd_Memory)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_GeoDB_Window)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SQLite_Window_Disk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SQLite_Window_Memory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GeoDB_SearchForItemID)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_SQLite_ById_Disk)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_GeoDB_Reopen)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SQLite_Reopen_Disk)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  gDir = fs::temp_directory_path();
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--items=", 8) == 0) {
      gItems = std::atoi(argv[i] + 8);
    } else if (std::strncmp(argv[i], "--dir=", 6) == 0) {
      gDir = argv[i] + 6;
    } else {
      rest.push_back(argv[i]);
    }
  }
  int restCount = static_cast<int>(rest.size());
  MakeData();
  benchmark::Initialize(&restCount, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  if (gDb && gSqlMem.db) CrossCheck();
  std::printf("\n%d boxes\n", gItems);
  for (const auto& [what, s] : gSeconds) std::printf("%-26s %8.2f s\n", what.c_str(), s);
  if (gSeconds.count("GeoDB bulk add") && gSeconds.count("SQLite bulk add, disk"))
    std::printf("bulk add ratio GeoDB / SQLite disk: %.2f\n", gSeconds["GeoDB bulk add"] / gSeconds["SQLite bulk add, disk"]);
  delete gDb;
  CloseSqlite(gSqlDisk);
  CloseSqlite(gSqlMem);
  RemoveGeoDBFiles();
  fs::remove(SqlitePath());
  benchmark::Shutdown();
  return 0;
}
