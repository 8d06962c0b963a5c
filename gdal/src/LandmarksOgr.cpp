// Landmarks to and from GPX, KML/KMZ and GeoPackage points.
#include <ogr_featurestyle.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "GdalSupport.h"
#include "OgrTime.h"

namespace orq {

using namespace gdal_detail;

namespace {

const char* FormatName(TLandmarkOgrFormat F) {
  switch (F) {
    case lofGPX: return "GPX";
    case lofKML: return "KML";
    case lofKMZ: return "KMZ";
    case lofGPKG: return "GeoPackage";
  }
  return "?";
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A symbol by its display name, any case; false for a name of another tool.
bool SymbolFromName(const std::string& Name, TLandMarkElement& Kind) {
  const std::string lower = Lower(Name);
  for (int k = 0; k <= lmUserDef; ++k)
    if (Lower(LMTypeNames[static_cast<std::size_t>(k)]) == lower) {
      Kind = static_cast<TLandMarkElement>(k);
      return true;
    }
  return false;
}

// Field index by any of the names, or -1.
int FieldOf(const OGRFeature& F, std::initializer_list<const char*> Names) {
  for (const char* n : Names) {
    const int i = F.GetFieldIndex(n);
    if (i >= 0) return i;
  }
  return -1;
}

std::string TextField(const OGRFeature& F, int i) {
  return i >= 0 && F.IsFieldSetAndNotNull(i) ? std::string(F.GetFieldAsString(i)) : std::string();
}

// "#RRGGBB[AA]" of a colour (ours is 0x00BBGGRR).
std::string HexColour(TColor C) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02XFF", C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF);
  return text;
}

// The KML style of a feature: its own style string, or the named style it
// refers to ("@name") from the layer's or the dataset's style table.
std::string StyleOf(OGRFeature& F, OGRLayer& L, GDALDataset& Ds) {
  const char* s = F.GetStyleString();
  std::string style = s ? s : "";
  if (!style.empty() && style[0] == '@') {
    const std::string name = style.substr(1);
    const char* found = nullptr;
    if (OGRStyleTable* t = L.GetStyleTable()) found = t->Find(name.c_str());
    if (!found)
      if (OGRStyleTable* t = Ds.GetStyleTable()) found = t->Find(name.c_str());
    style = found ? found : "";
  }
  return style;
}

void ApplyStyle(const std::string& Style, TLandMark& Lm) {
  if (Style.empty()) return;
  OGRStyleMgr manager;
  if (!manager.InitStyleString(Style.c_str())) return;
  for (int i = 0; i < manager.GetPartCount(); ++i) {
    std::unique_ptr<OGRStyleTool> part(manager.GetPart(i));
    if (!part || part->GetType() != OGRSTCSymbol) continue;
    auto* symbol = static_cast<OGRStyleSymbol*>(part.get());
    GBool isNull = TRUE;
    const char* id = symbol->Id(isNull);
    if (!isNull && id) {
      std::string name = id;
      // An icon file ("…/Circle.png") names the symbol by its base name.
      name = std::filesystem::path(name).stem().string();
      TLandMarkElement kind;
      if (SymbolFromName(name, kind)) Lm.SymbolProps.Kind = kind;
    }
    const char* colour = symbol->Color(isNull);
    int r, g, b, a;
    if (!isNull && colour && symbol->GetRGBFromString(colour, r, g, b, a))
      Lm.SymbolProps.FGColor = static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
  }
}

void SetName(TLandMark& Lm, const std::string& Name) {
  Lm.Identifier = Name;
  Lm.Caption.Text = Name;
}

TLandMark FromFeature(OGRFeature& F, OGRLayer& L, GDALDataset& Ds, TLandmarkOgrFormat Format,
                      const TLandMark& Template, const OGRPoint& P) {
  TLandMark lm = Template;
  lm.Latitude = P.getY();
  lm.Longitude = P.getX();
  if (P.Is3D()) lm.Altitude = P.getZ();
  const std::string name = TextField(F, FieldOf(F, {"name", "Name"}));
  const std::string desc = TextField(F, FieldOf(F, {"desc", "description"}));
  if (!name.empty()) SetName(lm, name);
  else if (!desc.empty()) lm.Caption.Text = desc;
  if (Format == lofGPKG) {
    // Our own layer's fields, where the file has them.
    const std::string id = TextField(F, FieldOf(F, {"identifier"}));
    const int caption = FieldOf(F, {"caption"});
    if (!id.empty()) lm.Identifier = id;
    if (caption >= 0) lm.Caption.Text = TextField(F, caption);
    auto integer = [&](const char* n, auto& Target) {
      const int i = F.GetFieldIndex(n);
      if (i >= 0 && F.IsFieldSetAndNotNull(i)) Target = static_cast<std::decay_t<decltype(Target)>>(F.GetFieldAsInteger64(i));
    };
    integer("class", lm.ClassFlag);
    integer("tag", lm.Tag);
    integer("symbol_size", lm.SymbolProps.Size);
    integer("color_fg", lm.SymbolProps.FGColor);
    integer("color_bg", lm.SymbolProps.BGColor);
    integer("transparent", lm.SymbolProps.Transparent);
    integer("caption_size", lm.Caption.Size);
    integer("caption_color", lm.Caption.FGColor);
  }
  const std::string cmt = TextField(F, FieldOf(F, {"cmt"}));
  if (Format == lofGPX && !cmt.empty()) lm.Identifier = cmt;
  const int ele = FieldOf(F, {"ele", "altitude", "elevation"});
  if (ele >= 0 && F.IsFieldSetAndNotNull(ele)) lm.Altitude = F.GetFieldAsDouble(ele);
  ReadDateTime(F, FieldOf(F, {"time", "timestamp", "when"}), lm.Time);
  TLandMarkElement kind;
  const std::string sym = TextField(F, FieldOf(F, {"sym", "symbol"}));
  if (!sym.empty() && SymbolFromName(sym, kind)) lm.SymbolProps.Kind = kind;
  if (Format == lofKML || Format == lofKMZ) ApplyStyle(StyleOf(F, L, Ds), lm);
  return lm;
}

bool WantedLayer(TLandmarkOgrFormat Format, OGRLayer& L) {
  if (Format != lofGPX) return wkbFlatten(L.GetGeomType()) == wkbPoint || L.GetGeomType() == wkbUnknown;
  const std::string name = L.GetName();
  return name == "waypoints" || name == "route_points" || name == "track_points";
}

}  // namespace

std::vector<TLandMark> ReadLandmarksOgr(const std::string& Path, TLandmarkOgrFormat Format, const TLandMark& Template) {
  if (!std::filesystem::exists(Path)) throw EOrqGdalError(Path + ": no such file");
  TGdalErrorTrap trap;
  TDatasetPtr ds(GDALDataset::Open(Path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
  if (!ds) Fail(Path, std::string("GDAL cannot read it as ") + FormatName(Format), &trap);
  std::vector<TLandMark> result;
  OGRSpatialReference lonLat = Wgs84LonLat();
  for (OGRLayer* layer : ds->GetLayers()) {
    if (!WantedLayer(Format, *layer)) continue;
    std::unique_ptr<OGRCoordinateTransformation> ct;
    if (const OGRSpatialReference* srs = layer->GetSpatialRef(); srs && !srs->IsSame(&lonLat)) {
      ct.reset(OGRCreateCoordinateTransformation(srs, &lonLat));
      if (!ct) Fail(Path, std::string("layer \"") + layer->GetName() + "\": its CRS cannot be converted", &trap);
    }
    layer->ResetReading();
    while (TFeaturePtr f{layer->GetNextFeature()}) {
      OGRGeometry* g = f->GetGeometryRef();
      if (!g || wkbFlatten(g->getGeometryType()) != wkbPoint) continue;
      OGRPoint p = *g->toPoint();
      if (ct && p.transform(ct.get()) != OGRERR_NONE)
        Fail(Path, std::string("layer \"") + layer->GetName() + "\": a point cannot be converted", &trap);
      result.push_back(FromFeature(*f, *layer, *ds, Format, Template, p));
    }
  }
  // GDAL stops at a broken part of a file and reports it; what came before
  // would be a silently shortened list.
  if (!trap.LastMessage().empty()) Fail(Path, "GDAL could not read all of it", &trap);
  return result;
}

namespace {

struct TLandmarkFields {
  int Name = -1, Cmt = -1, Desc = -1, Ele = -1, Time = -1, Sym = -1;
};

OGRLayer* CreateLandmarkLayer(GDALDataset& Ds, TLandmarkOgrFormat Format, const std::string& Path,
                              const TGdalErrorTrap& Trap) {
  OGRSpatialReference lonLat = Wgs84LonLat();
  const char* name = Format == lofGPX ? "waypoints" : "landmarks";
  OGRLayer* layer = Ds.CreateLayer(name, &lonLat, Format == lofGPX ? wkbPoint : wkbPoint25D, nullptr);
  if (!layer) Fail(Path, "cannot create the layer", &Trap);
  if (Format == lofGPKG) {
    const std::pair<const char*, OGRFieldType> fields[] = {
        {"identifier", OFTString}, {"caption", OFTString},     {"altitude", OFTReal},    {"time", OFTDateTime},
        {"symbol", OFTString},     {"symbol_size", OFTInteger}, {"color_fg", OFTInteger64}, {"color_bg", OFTInteger64},
        {"transparent", OFTInteger}, {"class", OFTInteger},     {"tag", OFTInteger},     {"caption_size", OFTInteger},
        {"caption_color", OFTInteger64}};
    for (const auto& [n, t] : fields) {
      OGRFieldDefn def(n, t);
      if (layer->CreateField(&def) != OGRERR_NONE) Fail(Path, std::string("cannot create the field ") + n, &Trap);
    }
  } else if (Format == lofKML || Format == lofKMZ) {
    for (const char* n : {"name", "description", "timestamp"}) {
      OGRFieldDefn def(n, std::string(n) == "timestamp" ? OFTDateTime : OFTString);
      layer->CreateField(&def);
    }
  }
  return layer;
}

void FillFeature(OGRFeature& F, TLandmarkOgrFormat Format, const TLandMark& Lm) {
  const std::string caption = Lm.Caption.Text, id = Lm.Identifier;
  const std::string name = caption.empty() ? id : caption;
  auto set = [&](const char* Field, const std::string& Value) {
    const int i = F.GetFieldIndex(Field);
    if (i >= 0 && !Value.empty()) F.SetField(i, Value.c_str());
  };
  const bool hasTime = Lm.Time != 0;
  switch (Format) {
    case lofGPX:
      set("name", name);
      // The identifier survives as the comment when the name does not give it back.
      if (std::string(TLMIdentifier(name)) != id) set("cmt", id);
      if (F.GetFieldIndex("ele") >= 0) F.SetField(F.GetFieldIndex("ele"), Lm.Altitude);
      if (hasTime) WriteDateTime(F, F.GetFieldIndex("time"), Lm.Time, 100);
      set("sym", LMTypeName(Lm.SymbolProps.Kind));
      break;
    case lofKML:
    case lofKMZ:
      set("name", name);
      if (hasTime) WriteDateTime(F, F.GetFieldIndex("timestamp"), Lm.Time, 100);
      F.SetStyleString(("SYMBOL(id:\"" + LMTypeName(Lm.SymbolProps.Kind) + "\",c:" + HexColour(Lm.SymbolProps.FGColor) +
                        ")")
                           .c_str());
      break;
    case lofGPKG:
      set("identifier", id);
      set("caption", caption);
      F.SetField("altitude", Lm.Altitude);
      if (hasTime) WriteDateTime(F, F.GetFieldIndex("time"), Lm.Time, 0);
      set("symbol", LMTypeName(Lm.SymbolProps.Kind));
      F.SetField("symbol_size", Lm.SymbolProps.Size);
      F.SetField("color_fg", static_cast<GIntBig>(Lm.SymbolProps.FGColor));
      F.SetField("color_bg", static_cast<GIntBig>(Lm.SymbolProps.BGColor));
      F.SetField("transparent", Lm.SymbolProps.Transparent ? 1 : 0);
      F.SetField("class", static_cast<int>(Lm.ClassFlag));
      F.SetField("tag", Lm.Tag);
      F.SetField("caption_size", Lm.Caption.Size);
      F.SetField("caption_color", static_cast<GIntBig>(Lm.Caption.FGColor));
      break;
  }
}

}  // namespace

void WriteLandmarksOgr(const std::string& Path, TLandmarkOgrFormat Format, const std::vector<TLandMark>& LandMarks) {
  TGdalErrorTrap trap;
  const char* driverName = Format == lofGPX ? "GPX" : Format == lofGPKG ? "GPKG" : "LIBKML";
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
  if (!driver && (Format == lofKML)) driver = GetGDALDriverManager()->GetDriverByName("KML");
  if (!driver) Fail(Path, std::string("this GDAL has no driver for ") + FormatName(Format));
  TReplacingFile file(Path);
  TDatasetPtr ds(driver->Create(file.Temporary().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!ds) Fail(Path, "cannot create the file", &trap);
  {
    OGRLayer* layer = CreateLandmarkLayer(*ds, Format, Path, trap);
    const bool transaction = Format == lofGPKG && ds->StartTransaction() == OGRERR_NONE;
    for (const TLandMark& lm : LandMarks) {
      TFeaturePtr f(OGRFeature::CreateFeature(layer->GetLayerDefn()));
      if (Format == lofGPX) f->SetGeometry(std::make_unique<OGRPoint>(lm.Longitude, lm.Latitude).get());
      else f->SetGeometry(std::make_unique<OGRPoint>(lm.Longitude, lm.Latitude, lm.Altitude).get());
      FillFeature(*f, Format, lm);
      if (layer->CreateFeature(f.get()) != OGRERR_NONE) Fail(Path, "cannot write a landmark", &trap);
    }
    if (transaction && ds->CommitTransaction() != OGRERR_NONE) Fail(Path, "cannot write the landmarks", &trap);
    // Closing writes what the driver still holds; GDAL reports a failure of it
    // only through its error handler.
    ds.reset();
    if (!trap.LastMessage().empty()) Fail(Path, "cannot write the file", &trap);
  }
  file.Commit();
}

}  // namespace orq
