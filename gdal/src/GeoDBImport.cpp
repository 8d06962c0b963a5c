// OGR layers into the geo-database: every feature is read and checked
// first, then the items are added in ItemID order.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "GdalSupport.h"
#include "GeoDBLayers.h"
#include "orqplatform/DateTime.h"

namespace orq {

using namespace gdal_detail;

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A layer named after a kind: our layer names, or the kind's own name.
bool KindOfLayerName(const std::string& Name, TgdbItem& Kind) {
  const std::string lower = Lower(Name);
  for (int k = gitBorder; k < gitUndefined; ++k)
    if (lower == GeoDBLayerName(static_cast<TgdbItem>(k)) || lower == Lower(GDB_ITEMNAMES[k])) {
      Kind = static_cast<TgdbItem>(k);
      return true;
    }
  return false;
}

struct TPendingItem {
  TgdbItem Kind = gitUndefined;
  int32_t ItemId = 0;  // 0: none given
  std::string Name;
  float Altitude = 0;
  uint8_t ClassFlag = 0;
  int32_t Tag = 0, State = 0;
  double Date = 0;
  bool HaveBox = false;
  float LatLow = 0, LatHigh = 0, LongLow = 0, LongHigh = 0;
  std::vector<TSCoords> Points;
  bool Closed = true;
  TMetaInfo Meta;
  std::vector<GByte> Data;
};

class TLayerReader {
 public:
  TLayerReader(const std::string& Path, OGRLayer& L, TgdbItem Kind, const TGdalErrorTrap& Trap)
      : FPath(Path), FLayer(L), FKind(Kind), FTrap(Trap) {}

  void ReadInto(std::vector<TPendingItem>& Items) {
    OGRSpatialReference lonLat = Wgs84LonLat();
    if (const OGRSpatialReference* srs = FLayer.GetSpatialRef(); srs && !srs->IsSame(&lonLat)) {
      FTransform.reset(OGRCreateCoordinateTransformation(srs, &lonLat));
      if (!FTransform) Refuse("its CRS cannot be converted to latitude and longitude");
    }
    FLayer.ResetReading();
    while (TFeaturePtr f{FLayer.GetNextFeature()}) {
      ++FNumber;
      Items.push_back(Read(*f));
    }
  }

 private:
  [[noreturn]] void Refuse(const std::string& Why) const {
    Fail(FPath, std::string("layer \"") + FLayer.GetName() + "\"" +
                    (FNumber > 0 ? ", feature " + std::to_string(FNumber) : std::string()) + ": " + Why,
         &FTrap);
  }

  int Index(const OGRFeature& F, const char* Name) const { return F.GetFieldIndex(Name); }
  bool Has(const OGRFeature& F, const char* Name) const {
    const int i = Index(F, Name);
    return i >= 0 && F.IsFieldSetAndNotNull(i);
  }
  double Real(const OGRFeature& F, const char* Name, double Default = 0) const {
    return Has(F, Name) ? F.GetFieldAsDouble(Index(F, Name)) : Default;
  }
  long long Integer(const OGRFeature& F, const char* Name, long long Default = 0) const {
    return Has(F, Name) ? F.GetFieldAsInteger64(Index(F, Name)) : Default;
  }
  std::string Text(const OGRFeature& F, const char* Name) const {
    return Has(F, Name) ? std::string(F.GetFieldAsString(Index(F, Name))) : std::string();
  }

  TSCoords Position(double X, double Y) const {
    if (FTransform && !FTransform->Transform(1, &X, &Y)) Refuse("a point cannot be converted to latitude and longitude");
    if (!(std::fabs(Y) <= 90 && std::fabs(X) <= 180)) Refuse("a point lies outside latitude and longitude");
    return TSCoords{static_cast<float>(Y), static_cast<float>(X)};
  }

  // The one part of a multi-geometry, or a refusal naming how many it has.
  const OGRGeometry* SinglePart(const OGRGeometry* G) const {
    const OGRwkbGeometryType t = wkbFlatten(G->getGeometryType());
    if (t != wkbMultiPolygon && t != wkbMultiLineString && t != wkbMultiPoint) return G;
    const auto* multi = G->toGeometryCollection();
    if (multi->getNumGeometries() != 1)
      Refuse(std::string("a ") + OGRGeometryTypeToName(t) + " of " + std::to_string(multi->getNumGeometries()) +
             " parts; an item holds one outline (split it into single parts first)");
    return multi->getGeometryRef(0);
  }

  void ReadOutline(const OGRGeometry* G, TPendingItem& Item, long long NumPoints, int Clockwise) const {
    const OGRwkbGeometryType want = GeometryOfKind(FKind);
    const OGRwkbGeometryType t = wkbFlatten(G->getGeometryType());
    const OGRLineString* line = nullptr;
    if (want == wkbPolygon && t == wkbPolygon) {
      const OGRPolygon* polygon = G->toPolygon();
      if (polygon->getNumInteriorRings() > 0)
        Refuse("a polygon with " + std::to_string(polygon->getNumInteriorRings()) +
               " hole(s), which an item's outline cannot hold");
      line = polygon->getExteriorRing();
    } else if (want == wkbLineString && t == wkbLineString) {
      line = G->toLineString();
    } else {
      Refuse(std::string("a ") + OGRGeometryTypeToName(t) + " cannot be a " + GDB_ITEMNAMES[FKind] + " (that takes a " +
             OGRGeometryTypeToName(want) + ")");
    }
    int count = line ? line->getNumPoints() : 0;
    OGRLinearRing turned;
    if (want == wkbPolygon && Clockwise >= 0 && count > 0 && G->toPolygon()->getExteriorRing()->isClockwise() != (Clockwise != 0)) {
      // Reversed by the file format; reversing again keeps the first point first.
      turned = *G->toPolygon()->getExteriorRing();
      turned.reversePoints();
      line = &turned;
    }
    if (want == wkbPolygon) {
      // A ring repeats its first point; our outline holds it only when
      // num_points says so.
      if (NumPoints >= 0 && NumPoints <= count) count = static_cast<int>(NumPoints);
      else if (count > 1 && line->getX(0) == line->getX(count - 1) && line->getY(0) == line->getY(count - 1)) --count;
    }
    for (int i = 0; i < count; ++i) Item.Points.push_back(Position(line->getX(i), line->getY(i)));
  }

  TPendingItem Read(OGRFeature& F) const {
    TPendingItem item;
    item.Kind = FKind;
    const long long id = Integer(F, dbf::ItemId, 0);
    if (id > 0 && id <= std::numeric_limits<int32_t>::max()) item.ItemId = static_cast<int32_t>(id);
    item.Name = Has(F, dbf::Name) ? Text(F, dbf::Name) : Text(F, "NAME");
    item.Altitude = static_cast<float>(Real(F, dbf::Altitude));
    item.ClassFlag = static_cast<uint8_t>(std::clamp<long long>(Integer(F, dbf::Class), 0, 255));
    item.Tag = static_cast<int32_t>(Integer(F, dbf::Tag));
    item.State = static_cast<int32_t>(Integer(F, dbf::State));
    item.Date = Has(F, dbf::Date) ? Real(F, dbf::Date) : Now();
    item.Closed = Integer(F, dbf::Closed, 1) != 0;
    if (Has(F, dbf::LatLow) && Has(F, dbf::LatHigh) && Has(F, dbf::LongLow) && Has(F, dbf::LongHigh)) {
      item.HaveBox = true;
      item.LatLow = static_cast<float>(Real(F, dbf::LatLow));
      item.LatHigh = static_cast<float>(Real(F, dbf::LatHigh));
      item.LongLow = static_cast<float>(Real(F, dbf::LongLow));
      item.LongHigh = static_cast<float>(Real(F, dbf::LongHigh));
    }
    const OGRGeometry* g = F.GetGeometryRef();
    if (FKind == gitBLOB) {
      if (g && !g->IsEmpty()) Refuse("a BLOB carries no geometry");
      item.Meta.Keywords = Text(F, dbf::Keywords);
      item.Meta.Caption = Text(F, dbf::Caption);
      item.Meta.FilePath = Text(F, dbf::FilePath);
      item.Meta.Descriptor = Text(F, dbf::Descriptor);
      item.Meta.Comment = Text(F, dbf::Comment);
      const int i = Index(F, dbf::Data);
      if (i >= 0 && F.IsFieldSetAndNotNull(i)) {
        int size = 0;
        const GByte* bytes = F.GetFieldAsBinary(i, &size);
        item.Data.assign(bytes, bytes + size);
      }
      return item;
    }
    if (!g || g->IsEmpty()) {
      if (FKind == gitTown) Refuse("a town needs a point");
      return item;  // an outline of no points
    }
    g = SinglePart(g);
    if (FKind == gitTown) {
      if (wkbFlatten(g->getGeometryType()) != wkbPoint)
        Refuse(std::string("a ") + OGRGeometryTypeToName(g->getGeometryType()) + " cannot be a Town (that takes a Point)");
      const TSCoords at = Position(g->toPoint()->getX(), g->toPoint()->getY());
      item.Points.push_back(at);
      if (!item.HaveBox) {
        item.LatLow = item.LatHigh = at.Latit;
        item.LongLow = item.LongHigh = at.Longit;
      }
      return item;
    }
    ReadOutline(g, item, Has(F, dbf::NumPoints) ? Integer(F, dbf::NumPoints) : -1,
                Has(F, dbf::Clockwise) ? static_cast<int>(Integer(F, dbf::Clockwise)) : -1);
    if (!item.HaveBox && !item.Points.empty()) {
      item.LatLow = item.LatHigh = item.Points[0].Latit;
      item.LongLow = item.LongHigh = item.Points[0].Longit;
      for (const TSCoords& p : item.Points) {
        item.LatLow = std::min(item.LatLow, p.Latit);
        item.LatHigh = std::max(item.LatHigh, p.Latit);
        item.LongLow = std::min(item.LongLow, p.Longit);
        item.LongHigh = std::max(item.LongHigh, p.Longit);
      }
    }
    return item;
  }

  const std::string& FPath;
  OGRLayer& FLayer;
  TgdbItem FKind;
  const TGdalErrorTrap& FTrap;
  std::unique_ptr<OGRCoordinateTransformation> FTransform;
  int FNumber = 0;
};

TgdbItem KindOfLayer(const std::string& Path, OGRLayer& L, const TGeoDBOgrOptions& Options, const TGdalErrorTrap& Trap) {
  TgdbItem kind = gitUndefined;
  if (!KindOfLayerName(L.GetName(), kind)) kind = Options.LayerKind;
  const OGRwkbGeometryType t = wkbFlatten(L.GetGeomType());
  if (kind == gitUndefined) {
    if (t == wkbPoint || t == wkbMultiPoint) return gitTown;
    const std::string layer = std::string("layer \"") + L.GetName() + "\": ";
    if (t == wkbPolygon || t == wkbMultiPolygon)
      Fail(Path, layer + "polygons may be borders, cities or lakes; say which with the layer kind");
    if (t == wkbLineString || t == wkbMultiLineString)
      Fail(Path, layer + "line strings may be rivers, roads or routes; say which with the layer kind");
    Fail(Path, layer + "its geometry type " + OGRGeometryTypeToName(L.GetGeomType()) +
                   " is none an item can hold (points, polygons, line strings)",
         &Trap);
  }
  // A layer that declares a type which can never fit is refused as a whole;
  // wkbUnknown layers are checked feature by feature.
  const OGRwkbGeometryType want = GeometryOfKind(kind);
  const bool fits = t == wkbUnknown || t == want || (want == wkbPolygon && t == wkbMultiPolygon) ||
                    (want == wkbLineString && t == wkbMultiLineString) || (want == wkbPoint && t == wkbMultiPoint) ||
                    (want == wkbNone && t == wkbNone);
  if (!fits)
    Fail(Path, std::string("layer \"") + L.GetName() + "\": its geometry type " + OGRGeometryTypeToName(L.GetGeomType()) +
                   " is not that of " + GDB_ITEMNAMES[kind] + " items (" + OGRGeometryTypeToName(want) + ")");
  return kind;
}

int AddItem(TGeoDB& Db, TPendingItem& I) {
  std::string name = I.Name;
  switch (I.Kind) {
    case gitTown:
      return Db.AddTown(name, I.Date, I.State, I.Points.at(0), I.Altitude, I.ClassFlag, I.Tag);
    case gitBorder:
      return Db.AddBorder(name, I.Points, I.Closed, I.Date, I.State, I.LatLow, I.LatHigh, I.LongLow, I.LongHigh,
                          I.Altitude, I.ClassFlag, I.Tag);
    case gitCity:
      return Db.AddCity(name, I.Points, I.Closed, I.Date, I.State, I.LatLow, I.LatHigh, I.LongLow, I.LongHigh,
                        I.Altitude, I.ClassFlag, I.Tag);
    case gitLake:
      return Db.AddLake(name, I.Points, I.Date, I.State, I.LatLow, I.LatHigh, I.LongLow, I.LongHigh, I.Altitude,
                        I.ClassFlag, I.Tag);
    case gitRiver:
      return Db.AddRiver(name, I.Points, I.Date, I.State, I.LatLow, I.LatHigh, I.LongLow, I.LongHigh, I.Altitude,
                         I.ClassFlag, I.Tag);
    case gitRoad:
      return Db.AddRoad(name, I.Points, I.Date, I.State, I.LatLow, I.LatHigh, I.LongLow, I.LongHigh, I.Altitude,
                        I.ClassFlag, I.Tag);
    case gitRoute:
      return Db.AddRoute(name, I.Points, I.Date, I.State, I.LatLow, I.LatHigh, I.LongLow, I.LongHigh, I.Altitude,
                         I.ClassFlag, I.Tag);
    case gitBLOB: {
      static const GByte none = 0;
      return Db.AddBLOB(name, I.Date, I.State, I.LatLow, I.LatHigh, I.LongLow, I.LongHigh, I.Altitude, I.ClassFlag,
                        I.Tag, I.Meta, I.Data.empty() ? &none : I.Data.data(), static_cast<int32_t>(I.Data.size()));
    }
    default: return -1;
  }
}

}  // namespace

TGeoDBOgrCounts ImportGeoDB(TGeoDB& Db, const std::string& Path, const TGeoDBOgrOptions& Options) {
  return ImportGeoDB(Db, std::vector<std::string>{Path}, Options);
}

TGeoDBOgrCounts ImportGeoDB(TGeoDB& Db, const std::vector<std::string>& Paths, const TGeoDBOgrOptions& Options) {
  if (Db.DBName().empty()) throw EOrqGdalError("no database is open to import into");
  std::vector<TPendingItem> items;
  for (const std::string& Path : Paths) {
    if (!std::filesystem::exists(Path)) throw EOrqGdalError(Path + ": no such file");
    TGdalErrorTrap trap;
    TDatasetPtr ds(GDALDataset::Open(Path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!ds) Fail(Path, "GDAL cannot read it as vector data", &trap);
    if (ds->GetLayerCount() == 0) Fail(Path, "it holds no layer");
    for (OGRLayer* layer : ds->GetLayers()) {
      const TgdbItem kind = KindOfLayer(Path, *layer, Options, trap);
      TLayerReader(Path, *layer, kind, trap).ReadInto(items);
    }
    // A read that GDAL broke off would import a part of the file.
    if (!trap.LastMessage().empty()) Fail(Path, "GDAL could not read all of it", &trap);
  }
  // ItemID order, so that each ID can be kept while it lies above the
  // highest one given out; items without one keep their file order, last.
  std::stable_sort(items.begin(), items.end(), [](const TPendingItem& a, const TPendingItem& b) {
    if ((a.ItemId == 0) != (b.ItemId == 0)) return b.ItemId == 0;
    return a.ItemId < b.ItemId;
  });
  TGeoDBOgrCounts counts;
  const bool lazy = Db.LazyWrite();
  const bool percentages = Db.OnPercDoneEnabled();
  Db.SetLazyWrite(true);
  Db.SetOnPercDoneEnabled(false);
  int shown = -1;
  try {
    for (std::size_t i = 0; i < items.size(); ++i) {
      TPendingItem& item = items[i];
      if (item.ItemId > 0) Db.ReserveItemIDs(item.ItemId - 1);
      const int entry = AddItem(Db, item);
      if (entry < 1) throw EOrqGdalError(Db.DBName() + ": the database refused an item");
      if (item.ItemId == 0 || Db.Data(entry).ItemId != item.ItemId) ++counts.Renumbered;
      ++counts.ByKind[item.Kind];
      const int percent = static_cast<int>((i + 1) * 100 / items.size());
      if (Options.Progress && percent != shown) Options.Progress(&Db, shown = percent);
    }
  } catch (...) {
    Db.SetOnPercDoneEnabled(percentages);
    Db.SetLazyWrite(lazy);
    throw;
  }
  Db.SetOnPercDoneEnabled(percentages);
  Db.SetLazyWrite(lazy);
  return counts;
}

}  // namespace orq
