#include "OgrTime.h"

#include <cmath>

namespace orq::gdal_detail {

bool ReadDateTime(const OGRFeature& F, int Field, TDateTime& Value) {
  if (Field < 0 || !F.IsFieldSetAndNotNull(Field)) return false;
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, tz = 0;
  float s = 0;
  if (!F.GetFieldAsDateTime(Field, &y, &mo, &d, &h, &mi, &s, &tz)) return false;
  const double whole = std::floor(s);
  int ms = static_cast<int>(std::lround((s - whole) * 1000));
  int sec = static_cast<int>(whole);
  if (ms >= 1000) ms = 999;
  return TryEncodeDateTime(y, mo, d, h, mi, sec, ms, Value);
}

void WriteDateTime(OGRFeature& F, int Field, TDateTime Value, int TzFlag) {
  if (Field < 0 || !(Value >= MinDateTime && Value <= MaxDateTime)) return;
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(Value, y, mo, d, h, mi, s, ms);
  F.SetField(Field, y, mo, d, h, mi, static_cast<float>(s + ms / 1000.0), TzFlag);
}

}  // namespace orq::gdal_detail
