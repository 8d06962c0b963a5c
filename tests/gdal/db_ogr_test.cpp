// db export / db import through OGR: a generated database of every kind
// through a GeoPackage and back, ogrinfo's view of the layers, and the
// layers that cannot become items.
#include <cstring>
#include <map>
#include <random>
#include <sstream>

#include "../InProcessCommand.h"
#include "GdalTestSupport.h"
#include "orqcarta/Orq_GeoDB.h"

namespace orq::test {
namespace {

using cli::RunInProcess;
using cli::TRun;

TRun RunDb(std::vector<std::string> Args) { return RunInProcess(cli::RegisterDbCommands, "db", std::move(Args)); }

// Items of every kind at random places: outlines of 1 to 12 points, BLOBs
// of up to 3 kB; then some deleted, so that the ItemIDs have gaps.
void FillDatabase(TGeoDB& Db, int Count) {
  std::mt19937 random(4242);
  std::uniform_real_distribution<float> lat(-80, 80), lon(-179, 179), step(-0.5f, 0.5f);
  std::uniform_int_distribution<int> kindOf(0, 99), points(1, 12), bytes(0, 3000), small(0, 255);
  Db.SetLazyWrite(true);
  Db.SetOnPercDoneEnabled(false);
  for (int i = 0; i < Count; ++i) {
    std::string name = "item " + std::to_string(i) + (i % 7 == 0 ? " Zürich" : "");
    const int k = kindOf(random);
    const float a = static_cast<float>(small(random)) * 3.5f;
    const auto cls = static_cast<uint8_t>(small(random));
    const int tag = small(random) - 100;
    const double date = 45000 + i / 1000.0;
    if (k < 40) {
      Db.AddTown(name, date, i % 3, TSCoords{lat(random), lon(random)}, a, cls, tag);
      continue;
    }
    if (k >= 98) {
      std::vector<uint8_t> data(static_cast<std::size_t>(bytes(random)));
      for (uint8_t& b : data) b = static_cast<uint8_t>(small(random));
      TMetaInfo meta;
      meta.Keywords = "scan;map";
      meta.Caption = "blob " + std::to_string(i);
      meta.FilePath = "/maps/" + std::to_string(i) + ".jpg";
      meta.Comment = "generated";
      Db.AddBLOB(name, date, 0, 1, 2, 3, 4, a, cls, tag, meta, data.data(), static_cast<int32_t>(data.size()));
      continue;
    }
    std::vector<TSCoords> outline;
    TSCoords p{lat(random), lon(random)};
    float lo[2] = {p.Latit, p.Longit}, hi[2] = {p.Latit, p.Longit};
    for (int n = points(random); n > 0; --n) {
      outline.push_back(p);
      lo[0] = std::min(lo[0], p.Latit), hi[0] = std::max(hi[0], p.Latit);
      lo[1] = std::min(lo[1], p.Longit), hi[1] = std::max(hi[1], p.Longit);
      p = TSCoords{std::clamp(p.Latit + step(random), -89.f, 89.f), std::clamp(p.Longit + step(random), -179.f, 179.f)};
    }
    // Some outlines repeat their first point, as a closed ring of their own.
    if (k % 5 == 0 && outline.size() > 2) outline.push_back(outline.front());
    const bool closed = k % 2 == 0;
    switch ((k - 40) % 6) {
      case 0: Db.AddBorder(name, outline, closed, date, 1, lo[0], hi[0], lo[1], hi[1], a, cls, tag); break;
      case 1: Db.AddCity(name, outline, closed, date, 2, lo[0], hi[0], lo[1], hi[1], a, cls, tag); break;
      case 2: Db.AddLake(name, outline, date, 3, lo[0], hi[0], lo[1], hi[1], a, cls, tag); break;
      case 3: Db.AddRiver(name, outline, date, 4, lo[0], hi[0], lo[1], hi[1], a, cls, tag); break;
      case 4: Db.AddRoad(name, outline, date, 5, lo[0], hi[0], lo[1], hi[1], a, cls, tag); break;
      default: Db.AddRoute(name, outline, date, 6, lo[0], hi[0], lo[1], hi[1], a, cls, tag); break;
    }
  }
  for (int entry = 5; entry <= Db.NumEntries(); entry += 97) Db.DeleteData(entry);
  Db.SetLazyWrite(false);
}

// "Layer name -> (geometry, feature count)" from ogrinfo's summary.
std::map<std::string, std::pair<std::string, int>> OgrLayers(const std::string& File) {
  const std::string summary = RunGdalTool("ogrinfo", "-ro -so -al " + Quoted(File)).Out;
  std::map<std::string, std::pair<std::string, int>> layers;
  std::istringstream in(summary);
  std::string line, layer;
  while (std::getline(in, line)) {
    if (line.rfind("Layer name: ", 0) == 0) layer = line.substr(12);
    else if (line.rfind("Geometry: ", 0) == 0) layers[layer].first = line.substr(10);
    else if (line.rfind("Feature Count: ", 0) == 0) layers[layer].second = std::stoi(line.substr(15));
  }
  return layers;
}

void ExpectSameItem(TGeoDB& A, int EntryA, TGeoDB& B, int EntryB) {
  const TgdbData a = A.Data(EntryA), b = B.Data(EntryB);
  ASSERT_EQ(b.ItemId, a.ItemId);
  EXPECT_EQ(b.ItemKind, a.ItemKind) << a.ItemId;
  EXPECT_EQ(std::string(b.Name), std::string(a.Name)) << a.ItemId;
  EXPECT_EQ(b.Altitude, a.Altitude);
  EXPECT_EQ(b.ClassFlag, a.ClassFlag);
  EXPECT_EQ(b.Tag, a.Tag);
  EXPECT_EQ(b.Date, a.Date);
  EXPECT_EQ(b.StateFlag, a.StateFlag);
  EXPECT_EQ(b.LatLow, a.LatLow) << a.ItemId;
  EXPECT_EQ(b.LatHigh, a.LatHigh);
  EXPECT_EQ(b.LongLow, a.LongLow);
  EXPECT_EQ(b.LongHigh, a.LongHigh);
  if (IsPolygonKind(a.ItemKind)) {
    std::vector<TSCoords> pa, pb;
    ASSERT_TRUE(A.RetrievePolygon(EntryA, pa));
    ASSERT_TRUE(B.RetrievePolygon(EntryB, pb));
    EXPECT_EQ(pb, pa) << a.ItemId;
    if (a.ItemKind == gitBorder || a.ItemKind == gitCity) {
      EXPECT_EQ(b.Closed, a.Closed) << a.ItemId;
    }
  } else if (a.ItemKind == gitBLOB) {
    TMetaInfo ma, mb;
    TMemoryStream da, db;
    ASSERT_TRUE(A.RetrieveBLOB(EntryA, ma, &da));
    ASSERT_TRUE(B.RetrieveBLOB(EntryB, mb, &db));
    EXPECT_EQ(mb, ma);
    ASSERT_EQ(db.Size(), da.Size());
    EXPECT_EQ(std::memcmp(db.Memory(), da.Memory(), static_cast<std::size_t>(da.Size())), 0) << a.ItemId;
  }
}

TEST(DbOgr, TenThousandItemsGoThroughAGeoPackageAndComeBackEqual) {
  TGdalScratch dir;
  TGeoDB source;
  source.SetDBName(dir.File("world"));
  FillDatabase(source, 10000);
  std::array<int, gitUndefined> byKind{};
  for (int i = 1; i <= source.NumEntries(); ++i) ++byKind[source.Data(i).ItemKind];
  source.SetDBName("");

  WriteText(dir.File("world.gpkg"), "an older file, replaced");
  TRun run = RunDb({"export", dir.File("world"), dir.File("world.gpkg")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  // Written aside and renamed: no temporary file stays behind.
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    EXPECT_EQ(entry.path().filename().string().find("partial"), std::string::npos) << entry.path();

  const auto layers = OgrLayers(dir.File("world.gpkg"));
  const char* geometry[gitUndefined] = {"Polygon", "Point", "Polygon", "Polygon", "Line String", "Line String",
                                        "Line String", "None"};
  for (int k = gitBorder; k < gitUndefined; ++k) {
    const auto it = layers.find(GeoDBLayerName(static_cast<TgdbItem>(k)));
    ASSERT_NE(it, layers.end()) << GeoDBLayerName(static_cast<TgdbItem>(k));
    EXPECT_EQ(it->second.second, byKind[k]) << it->first;
    EXPECT_EQ(it->second.first, geometry[k]) << it->first;
  }

  TGeoDB fresh;
  fresh.SetDBName(dir.File("copy"));
  fresh.SetDBName("");
  run = RunDb({"import", dir.File("copy"), dir.File("world.gpkg")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  EXPECT_EQ(run.Out.find("new ItemID"), std::string::npos) << run.Out;

  source.SetDBName(dir.File("world"));
  fresh.SetDBName(dir.File("copy"));
  ASSERT_GT(source.NumEntries(), 9800);
  ASSERT_EQ(fresh.NumEntries(), source.NumEntries());
  for (int i = 1; i <= source.NumEntries(); ++i) {
    const int j = fresh.SearchForItemID(source.Data(i).ItemId);
    ASSERT_GT(j, 0) << source.Data(i).ItemId;
    ExpectSameItem(source, i, fresh, j);
    if (HasFailure()) break;
  }

  // Imported again into the same database, the IDs are taken: new ones.
  fresh.SetDBName("");
  run = RunDb({"import", dir.File("copy"), dir.File("world.gpkg"), "--kind", "town"});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  EXPECT_NE(run.Out.find("; " + std::to_string(source.NumEntries()) + " with a new ItemID"), std::string::npos)
      << run.Out;
}

TEST(DbOgr, GeoJsonAndShapefilesHoldOneKindAndNoBlobs) {
  TGdalScratch dir;
  TGeoDB db;
  db.SetDBName(dir.File("small"));
  FillDatabase(db, 300);
  db.SetDBName("");
  TRun run = RunDb({"export", dir.File("small"), dir.File("all.geojson")});
  EXPECT_EQ(run.ExitCode, cli::ExitFailure);
  EXPECT_NE(run.Err.find("only a GeoPackage"), std::string::npos) << run.Err;
  EXPECT_FALSE(fs::exists(dir.File("all.geojson")));
  run = RunDb({"export", dir.File("small"), dir.File("all.geojson"), "--kinds", "town,river"});
  EXPECT_EQ(run.ExitCode, cli::ExitFailure);
  EXPECT_NE(run.Err.find("one layer"), std::string::npos) << run.Err;

  run = RunDb({"export", dir.File("small"), dir.File("rivers.geojson"), "--kinds", "river"});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  run = RunDb({"export", dir.File("small"), dir.File("shapes"), "--format", "shp", "--kinds", "town,lake,road"});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  EXPECT_TRUE(fs::exists(dir.File("shapes/lakes.shp")));

  TGeoDB fresh;
  fresh.SetDBName(dir.File("back"));
  fresh.SetDBName("");
  run = RunDb({"import", dir.File("back"), dir.File("rivers.geojson"), dir.File("shapes/towns.shp"),
               dir.File("shapes/lakes.shp"), dir.File("shapes/roads.shp")});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  db.SetDBName(dir.File("small"));
  fresh.SetDBName(dir.File("back"));
  int compared = 0;
  for (int i = 1; i <= db.NumEntries(); ++i) {
    const TgdbItem k = db.Data(i).ItemKind;
    if (k != gitRiver && k != gitTown && k != gitLake && k != gitRoad) continue;
    const int j = fresh.SearchForItemID(db.Data(i).ItemId);
    ASSERT_GT(j, 0);
    ExpectSameItem(db, i, fresh, j);
    ++compared;
  }
  EXPECT_EQ(fresh.NumEntries(), compared);
}

// A GeoPackage made by ogr2ogr from GeoJSON text, with one layer.
std::string GeoPackageOf(const TGdalScratch& Dir, const std::string& Name, const std::string& Layer,
                         const std::string& Features) {
  WriteText(Dir.File(Name + ".geojson"), "{\"type\":\"FeatureCollection\",\"features\":[" + Features + "]}");
  const std::string out = Dir.File(Name + ".gpkg");
  EXPECT_EQ(RunGdalTool("ogr2ogr", "-f GPKG " + Quoted(out) + " " + Quoted(Dir.File(Name + ".geojson")) + " -nln " +
                                       Layer)
                .ExitCode,
            0);
  return out;
}

std::string Feature(const std::string& Geometry) {
  return "{\"type\":\"Feature\",\"properties\":{\"name\":\"x\"},\"geometry\":" + Geometry + "}";
}

TEST(DbOgr, WhatItemsCannotHoldIsRefusedWithLayerAndFeatureAndNothingIsAdded) {
  TGdalScratch dir;
  const std::string square = "[[7,46],[8,46],[8,47],[7,47],[7,46]]";
  const std::string hole = "[[7.2,46.2],[7.4,46.2],[7.4,46.4],[7.2,46.2]]";
  struct TCase {
    std::string File;
    std::vector<std::string> Options;
    std::string Says;
  };
  const std::vector<TCase> cases = {
      {GeoPackageOf(dir, "holes", "lakes",
                    Feature("{\"type\":\"Polygon\",\"coordinates\":[" + square + "]}") + "," +
                        Feature("{\"type\":\"Polygon\",\"coordinates\":[" + square + "," + hole + "]}")),
       {},
       "layer \"lakes\", feature 2: a polygon with 1 hole(s), which an item's outline cannot hold"},
      {GeoPackageOf(dir, "parts", "borders",
                    Feature("{\"type\":\"MultiPolygon\",\"coordinates\":[[" + square + "],[" + square + "]]}")),
       {},
       "layer \"borders\", feature 1: a Multi Polygon of 2 parts; an item holds one outline (split it into single "
       "parts first)"},
      {GeoPackageOf(dir, "mixed", "misc",
                    Feature("{\"type\":\"GeometryCollection\",\"geometries\":[{\"type\":\"Point\",\"coordinates\":[7,46]}]}")),
       {},
       "layer \"misc\": its geometry type Geometry Collection is none an item can hold (points, polygons, line strings)"},
      {GeoPackageOf(dir, "parcels", "parcels", Feature("{\"type\":\"Polygon\",\"coordinates\":[" + square + "]}")),
       {},
       "layer \"parcels\": polygons may be borders, cities or lakes; say which with the layer kind"},
      {GeoPackageOf(dir, "wrong", "rivers", Feature("{\"type\":\"Point\",\"coordinates\":[7,46]}")),
       {},
       "layer \"rivers\": its geometry type Point is not that of River items (Line String)"},
  };
  TGeoDB db;
  db.SetDBName(dir.File("target"));
  int town = 0;
  {
    std::string name = "kept";
    town = db.AddTown(name, 1, 0, TSCoords{1, 2}, 0, 0, 0);
  }
  db.SetDBName("");
  for (const TCase& c : cases) {
    std::vector<std::string> args = {"import", dir.File("target"), c.File};
    args.insert(args.end(), c.Options.begin(), c.Options.end());
    const TRun run = RunDb(args);
    EXPECT_EQ(run.ExitCode, cli::ExitBadInput) << c.File;
    EXPECT_EQ(run.Err, "orqcarta db import: " + c.File + ": " + c.Says + "\n");
  }
  db.SetDBName(dir.File("target"));
  EXPECT_EQ(db.NumEntries(), town);
  db.SetDBName("");
  // Told its kind, the ambiguous layer is imported.
  const TRun run = RunDb({"import", dir.File("target"), dir.File("parcels.gpkg"), "--kind", "lake"});
  ASSERT_EQ(run.ExitCode, cli::ExitOk) << run.Err;
  EXPECT_EQ(run.Out, "imported 1 item (lakes 1); 1 with a new ItemID\n");
  db.SetDBName(dir.File("target"));
  ASSERT_EQ(db.NumEntries(), 2);
  std::vector<TSCoords> outline;
  ASSERT_TRUE(db.RetrievePolygon(2, outline));
  EXPECT_EQ(outline.size(), 4u);  // the ring's closing point is not an outline point
  EXPECT_EQ(db.Data(2).LatHigh, 47);
  EXPECT_EQ(db.Data(2).LongLow, 7);
}

}  // namespace
}  // namespace orq::test
