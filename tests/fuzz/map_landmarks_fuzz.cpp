// libFuzzer target: the landmark block reader (ReadLandMarksFromOpenXMLFile
// through LoadLandMarks) over arbitrary bytes in a scratch file. Every
// landmark read must be retrievable and the count must not be negative.
#include <cstddef>
#include <cstdint>

#include "map_fuzz_input.h"
#include "orqcarta/Orq_GeoMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static orq::TGeoMap* map = [] {
    auto* m = new orq::TGeoMap;
    m->SetSuppressPaint(true);
    return m;
  }();
  const std::string id = orq::fuzz::PickDataID(Data, Size);
  const std::string& file = orq::fuzz::WriteScratchFile(Data, Size);
  map->RemoveAllLandMarks();
  map->LoadLandMarks(file, id);
  const int n = map->NumLandMarks();
  if (n < 0) __builtin_trap();
  for (int i = 1; i <= n; ++i) {
    const orq::TLandMark lm = map->LandMarkData(i);
    if (lm.Identifier.length() > 15 || lm.Caption.Text.length() > 80) __builtin_trap();
  }
  return 0;
}
