// libFuzzer target: ParseCalibData over arbitrary bytes in a memory stream.
// The errors the reader is meant to raise (EOrqGeoMapError for a bad line
// type or point count) are expected; anything else, or a sanitizer report,
// is a finding. Afterwards every count must lie within the record's limits.
#include <cstddef>
#include <cstdint>

#include "map_fuzz_input.h"
#include "orqcarta/Orq_GeoMap.h"
#include "orqplatform/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string id = orq::fuzz::PickDataID(Data, Size);
  orq::TMemoryStream stream;
  if (Size > 0) stream.Write(Data, static_cast<int64_t>(Size));
  stream.SetPosition(0);
  orq::TCalibData cal;
  orq::TCalibModel model = orq::cmUndefined;
  try {
    orq::ParseCalibData(&stream, id, cal, model);
  } catch (const orq::EOrqGeoMapError&) {
  }
  if (cal.NumCalLines < 0 || cal.NumCalLines > orq::MaxCalibLines) __builtin_trap();
  if (cal.NumCalQuads < 0 || cal.NumCalQuads > orq::MaxCalibQuads) __builtin_trap();
  for (int i = 0; i < cal.NumCalLines; ++i)
    if (cal.CalLines[i].NumPoints < 0 || cal.CalLines[i].NumPoints > orq::MaxPointsPerLine) __builtin_trap();
  if (model < orq::cmParabolicIp || model > orq::cmUndefined) __builtin_trap();
  if (cal.Ellipsoid < 0 || cal.Ellipsoid >= orq::GeoEllipsoidCount) __builtin_trap();
  return 0;
}
