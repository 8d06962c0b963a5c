#include "DatumEpsg.h"

#include <stdexcept>

#include "orqcarta/Orq_GeoBasics.h"

namespace orq::cli {

namespace {
const TDatumEpsg Table[] = {
#include "DatumEpsgTable.inc"
};
static_assert(std::size(Table) == GeoDatumCount, "one EPSG record a datum");

double Width(const TDatumEpsg& r) { return r.West <= r.East ? r.East - r.West : r.East - r.West + 360; }
}  // namespace

const TDatumEpsg& DatumEpsg(int Number) {
  if (Number < 1 || Number > GeoDatumCount) throw std::out_of_range("datum number");
  return Table[Number - 1];
}

bool AreaContains(const TDatumEpsg& r, double Latitude, double Longitude) {
  if (r.South == r.North) return false;  // no area recorded
  if (Latitude < r.South || Latitude > r.North) return false;
  if (r.West <= r.East) return Longitude >= r.West && Longitude <= r.East;
  return Longitude >= r.West || Longitude <= r.East;
}

double AreaSize(const TDatumEpsg& r) { return (r.North - r.South) * Width(r); }

}  // namespace orq::cli
