// Geo-database items out to OGR layers, one per kind.
#include <algorithm>
#include <filesystem>

#include "GdalSupport.h"
#include "GeoDBLayers.h"

namespace orq {

using namespace gdal_detail;

namespace {

namespace fs = std::filesystem;

const char* DriverOf(TGeoDBOgrFormat F) {
  switch (F) {
    case dofGPKG: return "GPKG";
    case dofGeoJSON: return "GeoJSON";
    case dofShapefile: return "ESRI Shapefile";
  }
  return "";
}

void AddField(OGRLayer& L, const char* Name, OGRFieldType Type, const std::string& Path, const TGdalErrorTrap& Trap) {
  OGRFieldDefn def(Name, Type);
  if (L.CreateField(&def) != OGRERR_NONE) Fail(Path, std::string("cannot create the field ") + Name, &Trap);
}

OGRLayer* CreateKindLayer(GDALDataset& Ds, TgdbItem Kind, const std::string& Path, const TGdalErrorTrap& Trap) {
  OGRSpatialReference lonLat = Wgs84LonLat();
  const OGRwkbGeometryType geometry = GeometryOfKind(Kind);
  const char* const utf8[] = {"ENCODING=UTF-8", nullptr};
  OGRLayer* layer = Ds.CreateLayer(GeoDBLayerName(Kind), geometry == wkbNone ? nullptr : &lonLat, geometry,
                                   const_cast<char**>(utf8));
  if (!layer) Fail(Path, std::string("cannot create the layer ") + GeoDBLayerName(Kind), &Trap);
  AddField(*layer, dbf::ItemId, OFTInteger, Path, Trap);
  AddField(*layer, dbf::Name, OFTString, Path, Trap);
  AddField(*layer, dbf::Altitude, OFTReal, Path, Trap);
  AddField(*layer, dbf::Class, OFTInteger, Path, Trap);
  AddField(*layer, dbf::Tag, OFTInteger, Path, Trap);
  AddField(*layer, dbf::Date, OFTReal, Path, Trap);
  AddField(*layer, dbf::State, OFTInteger, Path, Trap);
  for (const char* bound : {dbf::LatLow, dbf::LatHigh, dbf::LongLow, dbf::LongHigh})
    AddField(*layer, bound, OFTReal, Path, Trap);
  if (IsPolygonKind(Kind)) AddField(*layer, dbf::NumPoints, OFTInteger, Path, Trap);
  if (geometry == wkbPolygon) AddField(*layer, dbf::Clockwise, OFTInteger, Path, Trap);
  if (HasClosedFlag(Kind)) AddField(*layer, dbf::Closed, OFTInteger, Path, Trap);
  if (Kind == gitBLOB)
    for (const char* meta : {dbf::Keywords, dbf::Caption, dbf::FilePath, dbf::Descriptor, dbf::Comment})
      AddField(*layer, meta, OFTString, Path, Trap);
  if (Kind == gitBLOB) AddField(*layer, dbf::Data, OFTBinary, Path, Trap);
  return layer;
}

std::unique_ptr<OGRGeometry> OutlineGeometry(TgdbItem Kind, const std::vector<TSCoords>& Points) {
  OGRLineString line;
  for (const TSCoords& p : Points) line.addPoint(p.Longit, p.Latit);
  if (GeometryOfKind(Kind) == wkbLineString) return std::make_unique<OGRLineString>(line);
  auto ring = std::make_unique<OGRLinearRing>();
  ring->addSubLineString(&line);
  // A ring is closed by repeating its first point; num_points says whether
  // the outline itself had that point.
  if (!Points.empty()) ring->closeRings();
  auto polygon = std::make_unique<OGRPolygon>();
  polygon->addRingDirectly(ring.release());
  return polygon;
}

void WriteItem(TGeoDB& Db, int Entry, OGRLayer& L, bool SetFid, const std::string& Path, const TGdalErrorTrap& Trap) {
  const TgdbData d = Db.Data(Entry);
  TFeaturePtr f(OGRFeature::CreateFeature(L.GetLayerDefn()));
  if (SetFid) f->SetFID(d.ItemId);
  f->SetField(dbf::ItemId, d.ItemId);
  f->SetField(dbf::Name, std::string(d.Name).c_str());
  f->SetField(dbf::Altitude, static_cast<double>(d.Altitude));
  f->SetField(dbf::Class, static_cast<int>(d.ClassFlag));
  f->SetField(dbf::Tag, d.Tag);
  f->SetField(dbf::Date, d.Date);
  f->SetField(dbf::State, d.StateFlag);
  f->SetField(dbf::LatLow, static_cast<double>(d.LatLow));
  f->SetField(dbf::LatHigh, static_cast<double>(d.LatHigh));
  f->SetField(dbf::LongLow, static_cast<double>(d.LongLow));
  f->SetField(dbf::LongHigh, static_cast<double>(d.LongHigh));
  const TgdbItem kind = d.ItemKind;
  if (kind == gitTown) {
    const TSCoords at = ExtractLocation(d);
    OGRPoint p(at.Longit, at.Latit);
    f->SetGeometry(&p);
  } else if (IsPolygonKind(kind)) {
    std::vector<TSCoords> points;
    if (!Db.RetrievePolygon(Entry, points))
      Fail(Path, "cannot read the outline of item " + std::to_string(d.ItemId) + " from the database");
    f->SetField(dbf::NumPoints, static_cast<int>(points.size()));
    if (HasClosedFlag(kind)) f->SetField(dbf::Closed, d.Closed ? 1 : 0);
    std::unique_ptr<OGRGeometry> outline = OutlineGeometry(kind, points);
    if (GeometryOfKind(kind) == wkbPolygon)
      f->SetField(dbf::Clockwise, outline->toPolygon()->getExteriorRing()->isClockwise() ? 1 : 0);
    f->SetGeometryDirectly(outline.release());
  } else if (kind == gitBLOB) {
    TMetaInfo meta;
    TMemoryStream data;
    if (!Db.RetrieveBLOB(Entry, meta, &data))
      Fail(Path, "cannot read BLOB " + std::to_string(d.ItemId) + " from the database");
    f->SetField(dbf::Keywords, std::string(meta.Keywords).c_str());
    f->SetField(dbf::Caption, std::string(meta.Caption).c_str());
    f->SetField(dbf::FilePath, std::string(meta.FilePath).c_str());
    f->SetField(dbf::Descriptor, std::string(meta.Descriptor).c_str());
    f->SetField(dbf::Comment, std::string(meta.Comment).c_str());
    f->SetField(L.GetLayerDefn()->GetFieldIndex(dbf::Data), static_cast<int>(data.Size()),
                static_cast<const GByte*>(data.Memory()));
  }
  if (L.CreateFeature(f.get()) != OGRERR_NONE)
    Fail(Path, "cannot write item " + std::to_string(d.ItemId), &Trap);
}

// Clears the shapefiles a previous export left, so that the result holds
// this one only.
void RemoveOldOutput(const std::string& Path, TGeoDBOgrFormat Format) {
  if (Format != dofShapefile) return;
  if (LowerExtension(Path) == "shp") {
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj", ".cpg"})
      RemoveQuietly(fs::path(Path).replace_extension(ext).string());
    return;
  }
  for (int k = gitBorder; k < gitUndefined; ++k)
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj", ".cpg"})
      RemoveQuietly((fs::path(Path) / (std::string(GeoDBLayerName(static_cast<TgdbItem>(k))) + ext)).string());
}

}  // namespace

TGeoDBOgrCounts ExportGeoDB(TGeoDB& Db, const std::string& Path, TGeoDBOgrFormat Format,
                            const TGeoDBOgrOptions& Options) {
  std::vector<TgdbItem> kinds = Options.Kinds;
  if (kinds.empty())
    for (int k = gitBorder; k < gitUndefined; ++k) kinds.push_back(static_cast<TgdbItem>(k));
  std::array<bool, gitUndefined> wanted{};
  for (TgdbItem k : kinds) {
    if (k < gitBorder || k >= gitUndefined) throw EOrqGdalError(Path + ": no layer for items of undefined kind");
    wanted[k] = true;
  }
  // Items by kind, in position order.
  std::array<std::vector<int>, gitUndefined> entries;
  int leftOut = 0;
  for (int i = 1; i <= Db.NumEntries(); ++i) {
    const TgdbItem k = Db.Data(i).ItemKind;
    if (k >= gitBorder && k < gitUndefined) {
      if (wanted[k]) entries[k].push_back(i);
    } else if (Options.Kinds.empty()) {
      ++leftOut;  // no layer for them
    }
  }
  if (Format != dofGPKG && !entries[gitBLOB].empty())
    throw EOrqGdalError(Path + ": " + std::to_string(entries[gitBLOB].size()) +
                        " BLOBs, which only a GeoPackage can hold; leave the kind blob out");
  int layers = 0;
  for (int k = gitBorder; k < gitUndefined; ++k) layers += entries[k].empty() ? 0 : 1;
  const bool oneLayer = Format == dofGeoJSON || (Format == dofShapefile && LowerExtension(Path) == "shp");
  if (oneLayer && layers > 1)
    throw EOrqGdalError(Path + ": the file holds one layer, and items of " + std::to_string(layers) +
                        " kinds are to be exported; name one kind");

  TGdalErrorTrap trap;
  GDALDriver* driver = DriverNamed(DriverOf(Format), Path);
  // One file is written aside and replaces the old one when complete;
  // shapefiles, several files each, are written in place.
  std::unique_ptr<TReplacingFile> replacing;
  if (Format != dofShapefile) replacing = std::make_unique<TReplacingFile>(Path);
  else RemoveOldOutput(Path, Format);
  if (Format == dofShapefile && !oneLayer) {
    std::error_code ec;
    fs::create_directories(Path, ec);
  }
  const std::string written = replacing ? replacing->Temporary() : Path;
  TDatasetPtr ds(driver->Create(written.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!ds) Fail(Path, "cannot create the file", &trap);
  TGeoDBOgrCounts counts;
  try {
    const bool transaction = Format == dofGPKG && ds->StartTransaction() == OGRERR_NONE;
    int total = 0;
    for (const auto& e : entries) total += static_cast<int>(e.size());
    int done = 0, shown = -1;
    for (int k = gitBorder; k < gitUndefined; ++k) {
      if (entries[k].empty()) continue;
      OGRLayer* layer = CreateKindLayer(*ds, static_cast<TgdbItem>(k), Path, trap);
      for (int entry : entries[k]) {
        WriteItem(Db, entry, *layer, Format == dofGPKG, Path, trap);
        ++counts.ByKind[k];
        const int percent = static_cast<int>(static_cast<long long>(++done) * 100 / std::max(total, 1));
        if (Options.Progress && percent != shown) Options.Progress(&Db, shown = percent);
      }
    }
    if (transaction && ds->CommitTransaction() != OGRERR_NONE) Fail(Path, "cannot write the items", &trap);
    // Closing writes what the driver still holds; GDAL reports a failure of it
    // only through its error handler.
    ds.reset();
    if (!trap.LastMessage().empty()) Fail(Path, "cannot write the file", &trap);
  } catch (...) {
    ds.reset();
    if (!replacing) RemoveOldOutput(Path, Format);
    throw;
  }
  if (replacing) replacing->Commit();
  counts.LeftOut = leftOut;
  return counts;
}

}  // namespace orq
