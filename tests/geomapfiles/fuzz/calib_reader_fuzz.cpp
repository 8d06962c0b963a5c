// Calibration readers: ParseCalibData (file and stream) and the map reader.
#include <cstdint>

#include "fuzz_support.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Streams.h"

using namespace orq;

namespace {

void CheckCapacity(const TCalibData& d) {
  if (d.NumCalLines < 0 || d.NumCalLines > MaxCalibLines || d.NumCalQuads < 0 || d.NumCalQuads > MaxCalibQuads)
    __builtin_trap();
  for (int i = 0; i < d.NumCalLines; ++i)
    if (d.CalLines[i].NumPoints < 0 || d.CalLines[i].NumPoints > MaxPointsPerLine) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TMemoryStream s;
  if (Size) s.WriteBuffer(Data, static_cast<int64_t>(Size));
  TCalibData d;
  TCalibModel m;
  try {
    s.SetPosition(0);
    ParseCalibData(&s, "", d, m);
  } catch (const EOrqGeoMapError&) {
  }
  CheckCapacity(d);
  static TGeoMap* map = [] {
    auto* g = new TGeoMap();
    g->SetSuppressPaint(true);
    return g;
  }();
  try {
    s.SetPosition(0);
    map->LoadCalDataFromXML(&s, "");
  } catch (const EOrqGeoMapError&) {
  }
  CheckCapacity(map->CalibData());
  WriteFuzzFile(Data, Size);
  try {
    ParseCalibData(FuzzFileName(), "", d, m);
  } catch (const EOrqGeoMapError&) {
  }
  CheckCapacity(d);
  return 0;
}
