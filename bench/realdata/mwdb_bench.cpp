// All of MWDB-II (marble-data) imported with `orqcarta db import-pnt` into
// one TGeoDB, then FindItemsInRegion over every 10 x 10 degree window of the
// globe against SQLite's R*Tree holding the same bounding boxes.
//
//   mwdb_bench [--marble=DIR] [--dir=PATH] [benchmark flags]
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "InProcessCommand.h"
#include "db_commands.h"
#include "orqcarta/Orq_GeoDB.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path gMarble = "/usr/share/marble/data";
fs::path gDir;
orq::TGeoDB* gDb = nullptr;
sqlite3* gSql = nullptr;
sqlite3_stmt* gWindow = nullptr;

struct Window {
  double latLo, latHi, longLo, longHi;
};
std::vector<Window> gWindows;

const struct {
  const char* File;
  const char* Kind;
} kFiles[] = {{"PCOAST", "border"},  {"PISLAND", "border"},     {"PLAKE", "lake"},       {"PLAKEISLAND", "border"},
              {"RIVER", "river"},    {"PDIFFBORDER", "border"}, {"PGLACIER", "border"}, {"PUSA48.DIFF", "border"},
              {"DATELINE", "route"}};

std::string Base() { return (gDir / "mwdb").string(); }

long long FileSize(const fs::path& P) {
  std::error_code ec;
  const auto s = fs::file_size(P, ec);
  return ec ? -1 : static_cast<long long>(s);
}

double Import() {
  for (const char* ext : {".orqgdd", ".orqgds", ".orqgi0", ".orqgi1", ".orqgi2", ".orqgi3", ".orqgi4"})
    fs::remove(Base() + ext);
  const auto t0 = Clock::now();
  if (orq::cli::RunInProcess(orq::cli::RegisterDbCommands, "db", {"create", Base()}).ExitCode != 0) std::exit(1);
  long long inputBytes = 0;
  for (const auto& f : kFiles) {
    const fs::path file = gMarble / "mwdbii" / (std::string(f.File) + ".PNT");
    inputBytes += FileSize(file);
    const auto run = orq::cli::RunInProcess(orq::cli::RegisterDbCommands, "db",
                                            {"import-pnt", Base(), file.string(), "--kind", f.Kind});
    if (run.ExitCode != 0) {
      std::fprintf(stderr, "%s: %s", f.File, run.Err.c_str());
      std::exit(1);
    }
    std::printf("%-12s %8lld bytes: %s", f.File, FileSize(file), run.Out.c_str());
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
  gDb = new orq::TGeoDB();
  gDb->SetDBName(Base());
  long long points = 0;
  for (int i = 1; i <= gDb->NumEntries(); ++i) points += gDb->GetSumdata(i).NumPoints;
  long long dbBytes = 0;
  for (const char* ext : {".orqgdd", ".orqgds", ".orqgi0", ".orqgi1", ".orqgi2", ".orqgi3", ".orqgi4"})
    dbBytes += FileSize(Base() + ext);
  std::printf("imported %d items, %lld points from %lld bytes of PNT in %.3f s; database %lld bytes "
              "(data file %lld, summary %lld)\n",
              gDb->NumEntries(), points, inputBytes, seconds, dbBytes, FileSize(Base() + ".orqgdd"),
              FileSize(Base() + ".orqgds"));
  return seconds;
}

void LoadSqlite() {
  sqlite3_open(":memory:", &gSql);
  sqlite3_exec(gSql, "CREATE VIRTUAL TABLE boxes USING rtree(id, minLat, maxLat, minLon, maxLon)", nullptr, nullptr,
               nullptr);
  sqlite3_exec(gSql, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* ins = nullptr;
  sqlite3_prepare_v2(gSql, "INSERT INTO boxes VALUES (?1, ?2, ?3, ?4, ?5)", -1, &ins, nullptr);
  for (int i = 1; i <= gDb->NumEntries(); ++i) {
    const orq::TgdbData d = gDb->GetSumdata(i);
    sqlite3_bind_int64(ins, 1, i);
    sqlite3_bind_double(ins, 2, d.LatLow);
    sqlite3_bind_double(ins, 3, d.LatHigh);
    sqlite3_bind_double(ins, 4, d.LongLow);
    sqlite3_bind_double(ins, 5, d.LongHigh);
    sqlite3_step(ins);
    sqlite3_reset(ins);
  }
  sqlite3_finalize(ins);
  sqlite3_exec(gSql, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_prepare_v2(gSql, "SELECT id FROM boxes WHERE minLat <= ?2 AND maxLat >= ?1 AND minLon <= ?4 AND maxLon >= ?3",
                     -1, &gWindow, nullptr);
}

std::vector<int> SqliteWindow(const Window& w) {
  std::vector<int> ids;
  sqlite3_bind_double(gWindow, 1, w.latLo);
  sqlite3_bind_double(gWindow, 2, w.latHi);
  sqlite3_bind_double(gWindow, 3, w.longLo);
  sqlite3_bind_double(gWindow, 4, w.longHi);
  while (sqlite3_step(gWindow) == SQLITE_ROW) ids.push_back(static_cast<int>(sqlite3_column_int64(gWindow, 0)));
  sqlite3_reset(gWindow);
  return ids;
}

double gOursNs = 0, gTheirsNs = 0;

void BM_GeoDB_Window10(benchmark::State& state) {
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    const Window& w = gWindows[i++ % gWindows.size()];
    const std::vector<int> hits = gDb->FindItemsInRegion(w.latLo, w.latHi, w.longLo, w.longHi);
    found += hits.size();
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["hits/query"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_SQLite_Window10(benchmark::State& state) {
  std::size_t i = 0, found = 0;
  for (auto _ : state) {
    const std::vector<int> hits = SqliteWindow(gWindows[i++ % gWindows.size()]);
    found += hits.size();
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["hits/query"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

// One timed sweep over all windows each, for the printed ratio.
void Sweep() {
  auto t0 = Clock::now();
  std::size_t ours = 0, theirs = 0;
  for (int r = 0; r < 20; ++r)
    for (const Window& w : gWindows) ours += gDb->FindItemsInRegion(w.latLo, w.latHi, w.longLo, w.longHi).size();
  gOursNs = std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / (20.0 * gWindows.size());
  t0 = Clock::now();
  for (int r = 0; r < 20; ++r)
    for (const Window& w : gWindows) theirs += SqliteWindow(w).size();
  gTheirsNs = std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / (20.0 * gWindows.size());
  int mismatches = 0;
  for (const Window& w : gWindows) {
    std::vector<int> a = gDb->FindItemsInRegion(w.latLo, w.latHi, w.longLo, w.longHi), b = SqliteWindow(w);
    std::sort(b.begin(), b.end());
    mismatches += a != b;
  }
  std::printf("%zu windows of 10 x 10 degrees, %.1f items each: TGeoDB %.2f us, SQLite R*Tree (memory) %.2f us a "
              "query, ratio TGeoDB / SQLite %.2f; %d windows disagree\n",
              gWindows.size(), static_cast<double>(ours) / (20.0 * gWindows.size()), gOursNs / 1000,
              gTheirsNs / 1000, gOursNs / gTheirsNs, mismatches);
}

}  // namespace

BENCHMARK(BM_GeoDB_Window10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SQLite_Window10)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  gDir = fs::temp_directory_path();
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--marble=", 9) == 0)
      gMarble = argv[i] + 9;
    else if (std::strncmp(argv[i], "--dir=", 6) == 0)
      gDir = argv[i] + 6;
    else
      rest.push_back(argv[i]);
  }
  if (!fs::exists(gMarble / "mwdbii/PCOAST.PNT")) {
    std::fprintf(stderr, "mwdb_bench: no MWDB-II under %s (install marble-data)\n", gMarble.c_str());
    return 1;
  }
  Import();
  LoadSqlite();
  for (int lat = -90; lat < 90; lat += 10)
    for (int lon = -180; lon < 180; lon += 10) gWindows.push_back({double(lat), lat + 10.0, double(lon), lon + 10.0});
  gDb->FindItemsInRegion(0, 1, 0, 1);  // builds the spatial index once
  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  Sweep();
  delete gDb;
  sqlite3_finalize(gWindow);
  sqlite3_close(gSql);
  for (const char* ext : {".orqgdd", ".orqgds", ".orqgi0", ".orqgi1", ".orqgi2", ".orqgi3", ".orqgi4"})
    fs::remove(Base() + ext);
  benchmark::Shutdown();
  return 0;
}
