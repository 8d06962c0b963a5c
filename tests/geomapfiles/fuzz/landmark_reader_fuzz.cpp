// Landmark reader of the map control.
#include <cstdint>

#include "fuzz_support.h"
#include "orqcarta/Orq_GeoMap.h"

using namespace orq;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  WriteFuzzFile(Data, Size);
  // One control for all runs: building a control costs more than reading.
  static TGeoMap* map = [] {
    auto* g = new TGeoMap();
    g->SetSuppressPaint(true);
    return g;
  }();
  map->LoadLandMarks(FuzzFileName(), "");
  if (map->NumLandMarks() > map->LandMarkCapacity()) __builtin_trap();
  for (int i = 1; i <= map->NumLandMarks(); ++i) {
    const TLandMark lm = map->LandMarkData(i);
    if (lm.Caption.Text.length() > 80 || lm.Identifier.length() > 15) __builtin_trap();
  }
  return 0;
}
